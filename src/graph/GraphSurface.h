#pragma once
// The drawing surface the trend graph draws on: the graph's own screen picture, a printer page
// or a container's preview. Lengths are drawing units (twips on the screen and on paper: 1440 a
// inch); colours are red + 256 green + 65536 blue. The pen, fill and font settings are plain state
// kept here and read by the drawing operations, as on the original drawing objects.
//
// An implementation supplies the five primitives and the text measurements; the graph never
// draws any other way, so a recording surface in the tests sees every stroke.
#include "platform/Types.h"

#include <QString>

#include <array>
#include <vector>

namespace mt52 {

struct GraphPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

class GraphSurface {
public:
    // Which kind of target this is: the layout, the grid blend and the marks depend on it.
    enum class Kind { Screen, Printer, Preview };
    enum LineStyle { Solid = 0, DashDotDot = 4 };
    enum FillStyle { FillSolid = 0, FillTransparent = 1 };

    virtual ~GraphSurface() = default;

    virtual Kind SurfaceKind() const = 0;
    // Size of the drawing area in drawing units.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // Drawing units per device pixel (15 on the screen); 0 when the surface has no pixels.
    virtual double UnitsPerDevicePixel() const = 0;

    // A line in the given colour, the current DrawWidth and DrawStyle. A line from a point to
    // itself is a dot.
    virtual void Line(GraphPoint from, GraphPoint to, Long colour) = 0;
    // Many lines in one colour: ends[0]-ends[1], ends[2]-ends[3], ... A surface may draw them in
    // one go; the picture is that of drawing them one by one.
    virtual void Lines(const std::vector<GraphPoint>& ends, Long colour) {
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            Line(ends[i], ends[i + 1], colour);
    }
    // The outline of the rectangle spanned by two corners.
    virtual void Box(GraphPoint from, GraphPoint to, Long colour) = 0;
    // A triangle, filled with FillColor when FillStyle is solid, outlined in ForeColor.
    virtual void Triangle(const std::array<GraphPoint, 3>& corners) = 0;
    // Prints a text with its top-left corner at (CurrentX, CurrentY) in the current font and
    // ForeColor; CurrentY then moves one line down, CurrentX back to the left edge of the text.
    virtual void Print(const QString& text) = 0;
    // Clears the surface to its background (only the screen picture is ever cleared).
    virtual void Cls() = 0;

    // Size of a text in the current font, in drawing units. The height is that of a line.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    double CurrentX = 0;
    double CurrentY = 0;
    Long ForeColor = 0;
    Long FillColor = 0;
    int FillStyle = FillTransparent;
    double DrawWidth = 1;
    int DrawStyle = Solid;
    Long BackColor = 0xFFFFFF;
    double FontSize = 9;
    bool FontBold = false;

    // Prints a text with its top-left corner at (left, top).
    void PrintAt(double left, double top, const QString& text) {
        CurrentX = left;
        CurrentY = top;
        Print(text);
    }
};

}  // namespace mt52
