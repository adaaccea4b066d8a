#pragma once
// A drawing surface that keeps every stroke instead of drawing it, with fixed text metrics: each
// character is CharWidth wide and every line LineHeight high, whatever the font. Tests (and the
// tests of the views and reports that draw a graph) read the strokes back as numbers.
#include "graph/GraphSurface.h"

#include <vector>

namespace mt52 {

struct GraphStroke {
    enum class Op { Line, Box, Triangle, Text, Cls };
    Op op = Op::Line;
    // Line and Box: the two ends; Triangle: the three corners; Text: its top-left corner.
    std::vector<GraphPoint> points;
    Long colour = 0;   // line or box colour; a triangle's fill colour; a text's ForeColor
    Long outline = 0;  // a triangle's outline (ForeColor)
    double width = 1;
    int style = GraphSurface::Solid;
    int fillStyle = GraphSurface::FillTransparent;
    QString text;
    double fontSize = 0;
    bool bold = false;
};

class RecordingGraphSurface final : public GraphSurface {
public:
    RecordingGraphSurface(Kind kind, double width, double height, double charWidth = 100, double lineHeight = 200,
                          double unitsPerPixel = 15);

    Kind SurfaceKind() const override { return kind_; }
    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }
    double UnitsPerDevicePixel() const override { return unitsPerPixel_; }
    void Resize(double width, double height);

    void Line(GraphPoint from, GraphPoint to, Long colour) override;
    void Box(GraphPoint from, GraphPoint to, Long colour) override;
    void Triangle(const std::array<GraphPoint, 3>& corners) override;
    void Print(const QString& text) override;
    void Cls() override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

    std::vector<GraphStroke> strokes;

    // The strokes of one kind, in drawing order.
    std::vector<GraphStroke> Of(GraphStroke::Op op) const;
    // The first text stroke with exactly this text, or nullptr.
    const GraphStroke* FindText(const QString& text) const;

private:
    GraphStroke Stroke(GraphStroke::Op op) const;

    Kind kind_;
    double width_;
    double height_;
    double charWidth_;
    double lineHeight_;
    double unitsPerPixel_;
};

}  // namespace mt52
