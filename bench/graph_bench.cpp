// Whole repaints of the trend graph on its screen picture: 54,001 samples in five series, the
// largest interval trend a record holds, at a typical window size. The goal is 60 repaints a second.
#include "BenchMain.h"
#include "graph/ZelGraph.h"
#include "graph/gui/QPainterGraphSurface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace mt52;

class PictureHost final : public GraphHost {
public:
    explicit PictureHost(QSize pixels) : pixels_(pixels) { picture.Resize(pixels); }
    GraphSurface& ScreenSurface() override { return picture; }
    void FitScreenSurface(bool) override { picture.Resize(pixels_); }
    void PanBarChanged(const PanBar&) override {}
    void PlaceCursor(const CursorPlacement&) override {}
    void ScreenPainted() override { picture.End(); }

    GraphPicture picture;

private:
    QSize pixels_;
};

constexpr int Samples = 54001;
constexpr int Series = 5;

void Fill(ZelGraph& g) {
    const Long colours[Series] = {0x00FF00, 0xFF0000, 0x0000FF, 0xC000C0, 0x0080FF};
    for (int s = 0; s < Series; ++s)
        g.AddSample(QStringLiteral("Gas%1").arg(s), colours[s], QStringLiteral("##0.0"), 100);
    for (int i = 0; i < Samples; ++i) {
        g.valueX(i, Date(46000 + i * 10 / 86400.0));
        for (int s = 0; s < Series; ++s) {
            const double v = 20 + 15 * std::sin(i / (200.0 + 37 * s)) + 5 * std::sin(i * 0.37 + s);
            g.valueY(s, i, i % 997 == 500 ? GraphNoData : static_cast<Single>(v));
        }
    }
    for (int e = 0; e < 40; ++e) {
        g.EventX(e % Series, e / Series, Date(46000 + e * 13000 / 86400.0));
        g.EventFlag(e % Series, e / Series, QStringLiteral("ALM"));
    }
    for (int s = 0; s < Series; ++s) {
        g.EventCount(s, 8);
        g.EventVisible(s, true);
    }
    g.SampleCount(Samples);
}

void BM_RepaintWholeTrend(benchmark::State& state) {
    PictureHost host(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    ZelGraph g(&host, Samples);
    Fill(g);
    g.Zoom(static_cast<int>(state.range(2)));
    for (auto _ : state) {
        g.Refresh();
        benchmark::DoNotOptimize(host.picture.Image().constBits());
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RepaintWholeTrend)->Args({1280, 720, 1})->Args({1920, 1080, 1})->Args({1280, 720, 10})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return mt52::bench::RunWithApplication<QGuiApplication>(argc, argv); }
