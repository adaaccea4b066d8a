#pragma once
// A graph host for the core tests: a recording screen picture of a fixed inner size and a record
// of what the graph asked of its pan bar and cursor.
#include "graph/RecordingGraphSurface.h"
#include "graph/ZelGraph.h"

namespace mt52 {

class GraphTestHost : public GraphHost {
public:
    static constexpr double PanBarHeight = 255;

    explicit GraphTestHost(double innerWidth = 9000, double innerHeight = 6000)
        : screen(GraphSurface::Kind::Screen, innerWidth, innerHeight), innerWidth_(innerWidth),
          innerHeight_(innerHeight) {}

    GraphSurface& ScreenSurface() override { return screen; }
    void FitScreenSurface(bool roomForPanBar) override {
        screen.Resize(innerWidth_, roomForPanBar ? innerHeight_ - PanBarHeight - 60 : innerHeight_);
    }
    void PanBarChanged(const PanBar& b) override { bar = b; }
    void PlaceCursor(const CursorPlacement& p) override {
        cursor = p;
        ++cursorMoves;
    }
    void ScreenPainted() override { ++paints; }

    RecordingGraphSurface screen;
    PanBar bar;
    CursorPlacement cursor;
    int cursorMoves = 0;
    int paints = 0;

private:
    double innerWidth_;
    double innerHeight_;
};

// Sample i at `start` + i * stepSeconds, every series value from `value(series, i)`.
template <typename ValueOf>
void FillGraph(ZelGraph& g, int samples, double stepSeconds, ValueOf value, Date start = Date(46000.0)) {
    for (int i = 0; i < samples; ++i) {
        g.valueX(i, Date(start.value() + i * stepSeconds / 86400.0));
        for (int s = 0; s < g.SampleDataCount(); ++s)
            g.valueY(s, i, value(s, i));
    }
    g.SampleCount(samples);
}

}  // namespace mt52
