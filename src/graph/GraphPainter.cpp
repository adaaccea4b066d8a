#include "graph/GraphPainter.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace mt52 {

namespace {

constexpr double MarkSize = 50;
constexpr double RowSpacing = 300;
// The track's marks are drawn in colour 1 (red 1), practically black.
constexpr Long TrackMarkColour = 1;

// Consecutive connected segments that fall inside one pixel column, kept as one vertical extent.
struct ColumnRun {
    bool open = false;
    double column = 0;
    double x = 0;
    double top = 0;
    double bottom = 0;
    GraphPoint end;
};

}  // namespace

void GraphPainter::DrawSeriesCurves(GraphSurface& target) const {
    target.DrawWidth = frame_.drawLineWidth;
    target.DrawStyle = GraphSurface::Solid;
    for (int s = 0; s < store_.SampleDataCount(); ++s)
        if (store_.Series(s).visible)
            DrawCurve(target, s);
    target.FillStyle = GraphSurface::FillTransparent;
}

void GraphPainter::DrawCurve(GraphSurface& target, int s) const {
    const GraphSeries& series = store_.Series(s);
    const int last = std::min(series.lastSample, store_.SampleCapacity() - 1);
    const std::vector<GraphTimeStamp>& axis = store_.TimeAxisEntries();
    const std::vector<Single>& values = series.values;
    const double minX = frame_.minX;
    const double maxX = frame_.maxX;
    // xPos and yPos of this series, worked out here once for the many samples.
    const double scaleX = frame_.scaleX;
    const double plotLeft = frame_.plotLeft;
    const double bottom = frame_.Bottom();
    const double minY = series.minY;
    const double scaleY = series.scaleY;
    auto xOf = [&](int j) { return (axis[static_cast<std::size_t>(j)].seconds - minX) * scaleX + plotLeft; };
    auto yOf = [&](Single v) { return bottom - (v - minY) * scaleY; };
    auto inView = [&](int j) {
        const double t = axis[static_cast<std::size_t>(j)].seconds;
        return minX <= t && t < maxX;
    };

    // Merge per pixel column only when the view holds more segments than the columns can show.
    const double unitsPerPixel = target.UnitsPerDevicePixel();
    bool merge = false;
    if (unitsPerPixel > 0) {
        const double columns = frame_.plotWidth / unitsPerPixel;
        int segments = 0;
        for (int j = 0; j < last && segments <= 2 * columns; ++j)
            segments += inView(j) ? 1 : 0;
        merge = segments > 2 * columns;
    }
    const double pixelsPerUnit = merge ? 1 / unitsPerPixel : 0;

    // The strokes go to the surface in one batch.
    std::vector<GraphPoint> strokes;
    strokes.reserve(merge ? static_cast<std::size_t>(6 * frame_.plotWidth / unitsPerPixel) + 16
                          : 2 * static_cast<std::size_t>(std::max(last, 0)));
    auto stroke = [&strokes](GraphPoint from, GraphPoint to) {
        strokes.push_back(from);
        strokes.push_back(to);
    };
    ColumnRun run;
    auto flush = [&] {
        if (run.open)
            stroke({run.x, run.top}, {run.x, run.bottom});
        run.open = false;
    };

    // The sample whose point ends the open run, so the next segment starts where the run ends.
    int runEndSample = -1;
    for (int j = 0; j < last; ++j) {
        if (!inView(j))
            continue;
        const Single v = values[static_cast<std::size_t>(j)];
        const Single w = values[static_cast<std::size_t>(j + 1)];
        // Most segments of a dense curve continue the open run within its column.
        if (run.open && runEndSample == j && !IsGraphNoData(v) && !IsGraphNoData(w)) {
            const double x1 = xOf(j + 1);
            const double c = x1 * pixelsPerUnit;
            if (c >= run.column && c < run.column + 1) {
                const double y1 = yOf(w);
                run.top = std::min(run.top, y1);
                run.bottom = std::max(run.bottom, y1);
                run.end = {x1, y1};
                runEndSample = j + 1;
                continue;
            }
        }
        const double x0 = xOf(j);
        GraphPoint from;
        GraphPoint to;
        if (IsGraphNoData(w)) {
            // The curve ends at sample j: a dot.
            from = to = {x0, yOf(v)};
        } else if (IsGraphNoData(v)) {
            // The curve resumes: a level line at the next value.
            const double y = yOf(w);
            from = {x0, y};
            to = {xOf(j + 1), y};
        } else {
            from = {x0, yOf(v)};
            to = {xOf(j + 1), yOf(w)};
        }
        if (!merge) {
            stroke(from, to);
            continue;
        }
        const double column = std::floor(from.x * pixelsPerUnit);
        if (column != std::floor(to.x * pixelsPerUnit)) {
            flush();
            stroke(from, to);
            continue;
        }
        if (run.open && (run.column != column || !(run.end == from)))
            flush();
        if (!run.open) {
            run = {true, column, from.x, std::min(from.y, to.y), std::max(from.y, to.y), to};
        } else {
            run.top = std::min({run.top, from.y, to.y});
            run.bottom = std::max({run.bottom, from.y, to.y});
            run.end = to;
        }
        // A dot ends at its own sample; every other segment at the next one.
        runEndSample = from == to && IsGraphNoData(w) ? -1 : j + 1;
    }
    flush();
    target.Lines(strokes, series.color);
}

void GraphPainter::DrawEventLabels(GraphSurface& target) const {
    const bool bold = target.FontBold;
    const double size = target.FontSize;
    target.FontBold = false;
    target.FontSize = size - 3.5;

    const double bottom = frame_.Bottom();
    const int n = store_.SampleDataCount();
    const double upperRows = RoundHalfEven(n / 2.0);
    for (int s = 0; s < n; ++s) {
        GraphEventList& events = store_.Events(s);
        if (!events.visible)
            continue;
        const int count = std::min(store_.EventCount(s), GraphMaxEvents + 1);
        for (int g = 0; g < count; ++g) {
            const double t = events.entries[static_cast<std::size_t>(g)].seconds;
            const QString& text = events.texts[static_cast<std::size_t>(g)];
            if (t < frame_.minX || t > frame_.maxX || text.isEmpty())
                continue;
            const double x = layout_.xPos(t);
            const Long colour = store_.Series(s).color;
            // Upper rows point down onto their row with the label above; lower rows the same
            // with the label below the tip.
            const bool upper = s < upperRows;
            const double y = upper ? frame_.plotTop + (s / 2.0 + 1) * RowSpacing : bottom - (s / 2.0 + 2) * RowSpacing;
            DrawEventMarker(target, x, y, 0, MarkSize, colour);
            events.labelRow = static_cast<Single>(y);
            target.PrintAt(x - target.TextWidth(text) / 2, upper ? y - 240 : y + 120, text);
        }
    }

    if (store_.TrackVisible()) {
        const int count = std::min(store_.SampleCount(), GraphMaxEvents + 1);
        for (int j = 0; j < count; ++j) {
            const double t = store_.TimeAxis(j).seconds;
            const QString& text = store_.TrackText(j);
            if (t < frame_.minX || t > frame_.maxX || text.isEmpty())
                continue;
            const double x = layout_.xPos(t);
            DrawEventMarker(target, x, bottom - RowSpacing, 1, MarkSize, TrackMarkColour);
            target.PrintAt(x - target.TextWidth(text) / 2, bottom - 180, text);
        }
    }

    target.FontBold = bold;
    target.FontSize = size;
}

void GraphPainter::DrawEventMarker(GraphSurface& target, double x, double y, int orientation, double size,
                                   Long colour) const {
    target.FillColor = colour;
    target.ForeColor = colour;
    target.FillStyle = GraphSurface::FillSolid;
    target.DrawWidth = frame_.drawLineWidth;
    // The corners stay in the surface's own units, so a mark lands under its label on any target;
    // the tip moves one device pixel up (pointing down) or down (pointing up).
    const double pixel = target.UnitsPerDevicePixel();
    const double direction = orientation == 0 ? -1 : 1;
    const double baseY = y + direction * 2.2 * size;
    target.Triangle({GraphPoint{x, y + direction * pixel}, GraphPoint{x - 0.83 * size, baseY},
                     GraphPoint{x + 0.83 * size, baseY}});
    target.FillStyle = GraphSurface::FillTransparent;
}

CursorPlacement GraphPainter::UpdateCursorReadout(Single& cursorIndex, Single readoutOffset) {
    // A cursor left of the view lands on the sample at MinX, one right of it on the sample at MaxX.
    auto snapTo = [&](double edge) {
        int index = layout_.FindSampleIndex(edge);
        if (edge > store_.SecondsAt(index))
            ++index;
        if (edge < store_.SecondsAt(index))
            --index;
        cursorIndex = static_cast<Single>(store_.ClampSample(index));
    };
    const int c = store_.ClampSample(static_cast<int>(RoundHalfEven(cursorIndex)));
    if (frame_.minX > store_.SecondsAt(c))
        snapTo(frame_.minX);
    else if (frame_.maxX < store_.SecondsAt(c))
        snapTo(frame_.maxX);
    const int cursor = store_.ClampSample(static_cast<int>(RoundHalfEven(cursorIndex)));
    const GraphTimeStamp& at = store_.TimeAxis(cursor);

    CursorPlacement p;
    const double bottom = frame_.Bottom();
    p.lineX = layout_.xPos(at.seconds);
    p.lineTop = frame_.plotTop + GraphTwipsPerPixel;
    p.lineBottom = bottom - GraphTwipsPerPixel;

    frame_.formatX = GraphTimeFormat;
    p.caption = QStringLiteral("[") + FormatDate(at.date, frame_.formatX) + QStringLiteral("]\r\n");
    double lowest = frame_.plotTop;
    for (int s = 0; s < store_.SampleDataCount(); ++s) {
        GraphSeries& series = store_.Series(s);
        const Single value = series.values[static_cast<std::size_t>(cursor)];
        lowest = s == 0 ? layout_.yPos(value, s) : std::max(lowest, layout_.yPos(value, s));
        if (!series.visible)
            continue;
        if (series.format.isEmpty())
            series.format = GraphDefaultFormat;
        p.caption += series.name + QStringLiteral(" : ") +
                     (IsGraphNoData(value) ? QStringLiteral("-----") : FormatNumber(value, series.format)) +
                     QStringLiteral("\r\n");
    }
    p.labelBottom = std::clamp(lowest, static_cast<double>(frame_.plotTop), bottom) +
                    readoutOffset * GraphTwipsPerPixel;
    p.labelRightOfLine = at.seconds <= frame_.minX + (frame_.maxX - frame_.minX) / 2.0;
    return p;
}

}  // namespace mt52
