#pragma once
// The painting half of the trend graph: the curves of the series, the event marks with their
// labels, the marks of the event track and the cursor read-out.
#include "graph/GraphLayout.h"

namespace mt52 {

// Where the cursor line and its read-out go, in drawing units of the target just laid out.
struct CursorPlacement {
    double lineX = 0;
    double lineTop = 0;
    double lineBottom = 0;
    QString caption;        // "[date]" and one "name : value" line per visible series, each ended by CR LF
    double labelBottom = 0;  // the read-out's bottom edge
    bool labelRightOfLine = true;  // left edge 2 pixels right of the line; else right edge 2 pixels left
};

class GraphPainter {
public:
    GraphPainter(GraphStore& store, GraphFrame& frame, const GraphLayout& layout)
        : store_(store), frame_(frame), layout_(layout) {}

    // Every visible series' curve, segment by segment from each sample in view to the next. Where a
    // view holds many more samples than the surface has pixel columns, the segments that fall into
    // one column are drawn as one vertical stroke over their extent: the same picture, with no more
    // strokes than the surface can show.
    void DrawSeriesCurves(GraphSurface& target) const;
    // Marks and labels of every series whose events are visible, in rows near the top and bottom
    // edges, and the marks of the event track; records each series' label row.
    void DrawEventLabels(GraphSurface& target) const;
    // A filled triangle with its tip at (x, y), pointing down for orientation 0, else up.
    void DrawEventMarker(GraphSurface& target, double x, double y, int orientation, double size, Long colour) const;
    // Brings the cursor into view (moving cursorIndex) and works out the line and read-out.
    CursorPlacement UpdateCursorReadout(Single& cursorIndex, Single readoutOffset);

private:
    void DrawCurve(GraphSurface& target, int series) const;

    GraphStore& store_;
    GraphFrame& frame_;
    const GraphLayout& layout_;
};

// The read-out's number pattern for a series without one.
inline const QString GraphDefaultFormat = QStringLiteral("##0.0");

}  // namespace mt52
