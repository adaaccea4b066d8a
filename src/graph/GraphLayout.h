#pragma once
// The geometric half of the trend graph: at every paint it measures the target, reserves the
// margins for titles and value scales, fixes the visible time range and each series' value range
// and the scale factors, and draws the frame, titles, time labels, grid and value scales. It also
// maps between seconds or values and drawing positions.
#include "graph/GraphStore.h"
#include "graph/GraphSurface.h"

namespace mt52 {

// The view and layout values of the graph, in drawing units and seconds from sample 0.
struct GraphFrame {
    // Drawing rectangle on a target other than the graph's own screen picture.
    Single drawLeft = 0;
    Single drawTop = 0;
    Single drawWidth = 1000;
    Single drawHeight = 1000;
    Single drawLineWidth = 1;
    Single scaleLineWidth = 1;
    Long scaleColor = 0;
    QString titleTop;
    QString titleBottom;
    QString formatX;
    int zoom = 1;
    // Visible time range; MaxX 0 = the whole time axis.
    Single minX = 0;
    Single maxX = 0;
    // Written by the layout.
    Single posXStp = 0;
    Single scaleX = 0;
    Single plotLeft = 0;
    Single plotTop = 0;
    Single plotWidth = 0;
    Single plotHeight = 0;

    double Bottom() const { return static_cast<double>(plotTop) + plotHeight; }
    double Right() const { return static_cast<double>(plotLeft) + plotWidth; }
};

// The date pattern of the time labels and the cursor read-out, set at every layout.
inline const QString GraphTimeFormat = QStringLiteral("mm/dd hh:nn:ss");

// Screen twips per pixel, used for pixel-sized offsets on every target.
inline constexpr double GraphTwipsPerPixel = 15;

class GraphLayout {
public:
    GraphLayout(GraphStore& store, GraphFrame& frame) : store_(store), frame_(frame) {}

    // Lays the plot out on the target. onScreen tells the graph's own picture (already sized by
    // its owner) from a printer or preview, which use the drawing rectangle.
    void LayoutPlotArea(const GraphSurface& target, bool onScreen);
    // Each series' value range (automatic where its MaxY is 0), label step and scale.
    void AutoRangeSeries();
    // Frame, titles, time axis, grid and value scales; only when ScaleX is above 0.
    void DrawFrameAndScales(GraphSurface& target) const;
    // Where the value scales right of the plot end as last laid out: the right edge of the last
    // visible series' column (the plot's right edge when none has one).
    double ValueScalesRight() const;

    double xPos(double seconds) const;
    double yPos(double value, int series = 0) const;
    double xData(double x) const;
    double yData(double y, int series = 0) const;
    // The first sample strictly after the time; 0 at or before sample 0, the last sample when
    // none lies after it.
    int FindSampleIndex(double seconds) const;

private:
    void DrawTimeAxis(GraphSurface& target, Long gridColour) const;
    void DrawValueScales(GraphSurface& target) const;

    GraphStore& store_;
    GraphFrame& frame_;
};

// Mixes two colours channel by channel: (first - second) * fraction + second, rounded.
Long BlendColor(Long first, Long second, double fraction);

}  // namespace mt52
