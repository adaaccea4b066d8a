// The layout, range and scale numbers, on a recording surface where every character is 100 wide and
// every line 200 high.
#include "graph/GraphLayout.h"
#include "GraphTestHost.h"
#include "platform/Colors.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

using Op = GraphStroke::Op;

constexpr double Step = 60;  // seconds between samples

class GraphLayoutTest : public ::testing::Test {
protected:
    // n series "##0.0" (500 wide) with values 1..8, eleven samples a minute apart.
    void Fill(int series, int samples = 11) {
        for (int s = 0; s < series; ++s)
            g.AddSample(QStringLiteral("S%1").arg(s), 0x10 * (s + 1), QStringLiteral("##0.0"));
        FillGraph(g, samples, Step, [](int, int i) { return static_cast<Single>(1 + i % 8); });
    }

    GraphTestHost host;
    ZelGraph g{&host};
};

TEST_F(GraphLayoutTest, PlotRectangleOnTheScreen) {
    struct Case {
        int series;
        const char* titleTop;
        const char* titleBottom;
        int zoom;
        Single left, top, width, height;
    };
    // Screen 9000 x 6000. Right margin 740 per series; left margin 680 per series in the left half.
    // Height: 6000 - 200 (time labels) - 200 per title and one more - 120.
    const std::vector<Case> cases{
        {1, "", "", 1, 0, 120, 8260, 5480},
        {2, "", "", 1, 680, 120, 7520, 5480},
        {4, "", "", 1, 1360, 120, 6040, 5480},
        {5, "", "", 1, 1360, 120, 5300, 5480},  // 2.5 rounds to 2 series on the left
        {1, "Top", "", 1, 0, 320, 8260, 5280},
        {1, "", "Bottom", 1, 0, 320, 8260, 5280},
        {1, "Top", "Bottom", 1, 0, 320, 8260, 5080},
        {1, "", "", 2, 0, 120, 8260, 5480 - GraphTestHost::PanBarHeight - 60},  // room for the pan bar
    };
    for (const Case& c : cases) {
        g.Clear();
        Fill(c.series);
        g.TitleTop(QString::fromLatin1(c.titleTop));
        g.TitleBottom(QString::fromLatin1(c.titleBottom));
        g.Zoom(c.zoom);
        g.MaxX(0);
        g.Refresh();
        const GraphFrame& f = g.Frame();
        SCOPED_TRACE(testing::Message() << c.series << " series, zoom " << c.zoom << " " << c.titleTop << "/"
                                        << c.titleBottom);
        EXPECT_EQ(f.plotLeft, c.left);
        EXPECT_EQ(f.plotTop, c.top);
        EXPECT_EQ(f.plotWidth, c.width);
        EXPECT_EQ(f.plotHeight, c.height);
    }
}

TEST_F(GraphLayoutTest, PlotRectangleOnAnotherTarget) {
    RecordingGraphSurface printer(GraphSurface::Kind::Printer, 12000, 16000);
    Fill(2);
    g.DrawObj(&printer);
    g.SetDrawLeft(200);
    g.SetDrawTop(300);
    g.SetDrawWidth(8000);
    g.SetDrawHeight(5000);
    g.TitleTop(QStringLiteral("Top"));
    g.Refresh();
    const GraphFrame& f = g.Frame();
    EXPECT_EQ(f.plotLeft, 200 + 200 + 680) << "the drawing rectangle's left edge counts twice";
    EXPECT_EQ(f.plotTop, 300 + 120 + 200);
    EXPECT_EQ(f.plotWidth, 8000 - 2 * 740);
    EXPECT_EQ(f.plotHeight, 5000 - 200 - 2 * 200 - 120);
    // The title is centred on the whole page.
    const GraphStroke* title = printer.FindText(QStringLiteral("Top"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->points[0].x, (12000 - 300) / 2.0);
    EXPECT_EQ(title->points[0].y, f.plotTop - 1.5 * 200);
    EXPECT_TRUE(host.screen.Of(Op::Line).empty()) << "nothing reaches the screen";

    // A degenerate rectangle leaves a plot of 1 by 1.
    g.SetDrawWidth(100);
    g.SetDrawHeight(100);
    g.Refresh();
    EXPECT_EQ(g.Frame().plotWidth, 1.0f);
    EXPECT_EQ(g.Frame().plotHeight, 1.0f);
}

TEST_F(GraphLayoutTest, TimeRangeIsTheWholeAxisUntilSet) {
    Fill(1);
    g.Refresh();
    EXPECT_EQ(g.MinX(), 0.0f);
    EXPECT_EQ(g.MaxX(), 600.0f);
    EXPECT_EQ(g.PosXStp(), 60.0f);
    EXPECT_FLOAT_EQ(g.Frame().scaleX, 8260.0f / 600);
    EXPECT_EQ(g.FormatX(), GraphTimeFormat);

    // A range that is set stays; MaxX 0 also resets MinX; an inverted range takes the whole axis.
    g.MinX(120);
    g.MaxX(300);
    g.FormatX(QStringLiteral("hh:nn"));
    g.Refresh();
    EXPECT_EQ(g.MinX(), 120.0f);
    EXPECT_EQ(g.MaxX(), 300.0f);
    EXPECT_EQ(g.FormatX(), GraphTimeFormat) << "a container's pattern is replaced";
    g.MaxX(0);
    g.Refresh();
    EXPECT_EQ(g.MinX(), 0.0f);
    EXPECT_EQ(g.MaxX(), 600.0f);
    g.MinX(700);
    g.Refresh();
    EXPECT_EQ(g.MinX(), 700.0f);
    EXPECT_EQ(g.MaxX(), 600.0f);
    EXPECT_LT(g.Frame().scaleX, 0.0f);
}

TEST_F(GraphLayoutTest, AutomaticValueRanges) {
    struct Case {
        std::vector<Single> values;
        Single fullScale;
        Single setMin, setMax;
        Single minY, maxY;
    };
    const Single nd = GraphNoData;
    const std::vector<Case> cases{
        {{1, 23.4f, 5}, 100, 0, 0, 0, 30},
        {{20.9f, 3}, 25, 0, 0, 0, 30},
        {{7.2f, 3}, 25, 0, 0, 0, 10},
        {{0.8f, 0.1f}, 5, 0, 0, 0, 2},
        {{-5.3f, 8}, 10, 0, 0, -5, 20},
        {{-5.5f, 8}, 10, 0, 0, -6, 20},
        {{nd, nd, nd}, 10, 0, 0, 0, 0},
        {{nd, 2}, 10, 0, 0, 0, 10},
        {{1, 23.4f}, 100, 0, 50, 0, 50},  // a range the container set is kept
        {{1, 23.4f}, 100, 5, 50, 5, 50},
        {{1, 23.4f}, 100, 5, 0, 0, 30},   // MaxY 0 makes both ends automatic again
        {{1, 23.4f}, 100, 60, 50, 60, 30},  // an inverted range: the upper end is recomputed
    };
    for (const Case& c : cases) {
        ZelGraph graph(&host);
        graph.AddSample(QStringLiteral("S"), 0, QStringLiteral("##0.0"), c.fullScale);
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            graph.valueX(static_cast<int>(i), Date(46000 + i / 1440.0));
            graph.valueY(0, static_cast<int>(i), c.values[i]);
        }
        graph.SampleCount(static_cast<int>(c.values.size()));
        graph.MinY(0, c.setMin);
        graph.MaxY(0, c.setMax);
        graph.Refresh();
        SCOPED_TRACE(testing::Message() << "values from " << c.values[0] << ", set " << c.setMin << ".."
                                        << c.setMax);
        EXPECT_EQ(graph.MinY(0), c.minY);
        EXPECT_EQ(graph.MaxY(0), c.maxY);
        EXPECT_FLOAT_EQ(graph.PosYStp(0), (c.maxY - c.minY) / 10);
        const Single scale = graph.Store().Series(0).scaleY;
        if (c.maxY == c.minY)
            EXPECT_EQ(scale, 0.0f);
        else
            EXPECT_FLOAT_EQ(scale, graph.Frame().plotHeight / (c.maxY - c.minY));
    }
}

TEST_F(GraphLayoutTest, MappingsBetweenDataAndDrawing) {
    EXPECT_EQ(g.xData(500), 0.0) << "before any layout the scale is 0";
    Fill(1);
    g.Refresh();
    const GraphFrame& f = g.Frame();
    EXPECT_EQ(g.xPos(0), 0.0);
    EXPECT_NEAR(g.xPos(600), f.plotWidth, 1e-3);
    EXPECT_DOUBLE_EQ(g.xData(g.xPos(240)), 240);
    EXPECT_DOUBLE_EQ(g.yPos(0), f.Bottom());
    EXPECT_DOUBLE_EQ(g.yPos(g.MaxY()), f.plotTop);
    EXPECT_NEAR(g.yData(g.yPos(3.5)), 3.5, 1e-4);

    // A series without a scale maps every value to the bottom edge and back to its MinY.
    ZelGraph flat(&host);
    flat.AddSample(QStringLiteral("S"));
    FillGraph(flat, 3, Step, [](int, int) { return GraphNoData; });
    flat.Refresh();
    EXPECT_DOUBLE_EQ(flat.yPos(12), flat.Frame().Bottom());
    EXPECT_EQ(flat.yData(100), 0.0);
}

TEST(GraphBlendColor, MixesEachChannelInItsPlace) {
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 0.8), RGB(204, 204, 204));
    EXPECT_EQ(BlendColor(RGB(240, 240, 240), RGB(0, 0, 255), 0.8), RGB(192, 192, 243));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(10, 20, 30), 0.3), RGB(10, 20, 30));
    EXPECT_EQ(BlendColor(RGB(1, 0, 0), RGB(0, 0, 0), 0.5), RGB(0, 0, 0)) << "half rounds to even";
}

TEST_F(GraphLayoutTest, FrameAndGrid) {
    Fill(1);
    g.ScaleColor(RGB(0, 0, 255));
    g.ScaleLineWidth(2);
    host.screen.BackColor = RGB(240, 240, 240);
    g.Refresh();
    const GraphFrame& f = g.Frame();
    const auto boxes = host.screen.Of(Op::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].points[0], (GraphPoint{f.plotLeft, f.plotTop}));
    EXPECT_EQ(boxes[0].points[1], (GraphPoint{f.Right(), f.Bottom()}));
    EXPECT_EQ(boxes[0].colour, RGB(0, 0, 255));
    EXPECT_EQ(boxes[0].width, 2);

    // Nine horizontal grid lines in the blend of background and scale colour, dash-dot-dot,
    // each with a 4-pixel tick outside the frame on both sides.
    const Long grid = RGB(192, 192, 243);
    int horizontal = 0;
    for (const GraphStroke& s : host.screen.Of(Op::Line)) {
        if (s.colour == grid && s.points[0].y == s.points[1].y) {
            ++horizontal;
            EXPECT_EQ(s.style, GraphSurface::DashDotDot);
            EXPECT_EQ(s.points[0].x, f.plotLeft);
            EXPECT_EQ(s.points[1].x, f.Right());
        }
    }
    EXPECT_EQ(horizontal, 9);
    const double y1 = f.plotHeight / 10.0 + f.plotTop;
    int ticks = 0;
    for (const GraphStroke& s : host.screen.Of(Op::Line))
        if (s.colour == RGB(0, 0, 255) && s.points[0].y == y1 && s.points[1].y == y1 &&
            std::abs(s.points[0].x - s.points[1].x) == 60)
            ++ticks;
    EXPECT_EQ(ticks, 2);

    // On paper the grid blends against white.
    RecordingGraphSurface printer(GraphSurface::Kind::Printer, 9000, 6000);
    printer.BackColor = RGB(240, 240, 240);
    g.DrawObj(&printer);
    g.SetDrawWidth(9000);
    g.SetDrawHeight(6000);
    g.Refresh();
    int whiteBlend = 0;
    for (const GraphStroke& s : printer.Of(Op::Line))
        whiteBlend += s.colour == RGB(204, 204, 255) ? 1 : 0;
    EXPECT_GE(whiteBlend, 9);
}

TEST_F(GraphLayoutTest, TimeLabelsSkipOverlapsAndGridFollowsTheLabels) {
    Fill(1);
    g.Refresh();
    // Labels are 1400 wide, samples 826 apart: the label at MinX would stick out left of 0, and
    // after each drawn label the next one overlaps, so samples 1, 3, 5, 7 and 9 are labelled.
    std::vector<double> labelled;
    for (const GraphStroke& s : host.screen.Of(Op::Text))
        if (s.text.size() == 14 && s.text[2] == u'/')
            labelled.push_back(s.points[0].x + 700);
    const std::vector<double> expected{826, 2478, 4130, 5782, 7434};
    ASSERT_EQ(labelled.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(labelled[i], expected[i], 1e-2);
    EXPECT_NE(host.screen.FindText(QStringLiteral("12/09 00:01:00")), nullptr);

    int vertical = 0;
    for (const GraphStroke& s : host.screen.Of(Op::Line))
        if (s.style == GraphSurface::DashDotDot && s.points[0].x == s.points[1].x)
            ++vertical;
    EXPECT_EQ(vertical, 5);

    // Where a label stands at MinX or MaxX no grid line is drawn with it.
    g.MinX(60);
    g.MaxX(120);
    g.Refresh();
    int atEdges = 0;
    int grid = 0;
    for (const GraphStroke& s : host.screen.Of(Op::Line)) {
        if (s.style == GraphSurface::DashDotDot && s.points[0].x == s.points[1].x)
            ++grid;
        if (s.points[1].y - s.points[0].y == 40)
            ++atEdges;
    }
    EXPECT_EQ(atEdges, 1) << "the label at MinX sticks out left of 0; the one at MaxX is drawn";
    EXPECT_EQ(grid, 0);
}

TEST_F(GraphLayoutTest, ValueScalesStandInColumns) {
    Fill(4);
    g.ValueName(1, QStringLiteral("O2ab"));
    g.Refresh();
    const GraphFrame& f = g.Frame();
    auto textsOf = [&](Long colour) {
        std::vector<GraphStroke> out;
        for (const GraphStroke& s : host.screen.Of(Op::Text))
            if (s.colour == colour)
                out.push_back(s);
        return out;
    };
    // Values up to 8, full scale 10: 0 to 20 in 11 labels; the name first, in the series' colour.
    const std::vector<double> anchors{1110, f.Right() + 530, f.Right() + 1060, f.Right() + 1590};
    for (int s = 0; s < 4; ++s) {
        const auto texts = textsOf(0x10 * (s + 1));
        SCOPED_TRACE(s);
        ASSERT_EQ(texts.size(), 12u);
        for (const GraphStroke& t : texts)
            EXPECT_DOUBLE_EQ(t.points[0].x + 100 * t.text.size(), anchors[static_cast<std::size_t>(s)]) << t.text.toStdString();
        EXPECT_EQ(texts[0].points[0].y, 30) << "name row 2 pixels from the top";
        EXPECT_EQ(texts[1].text, "0.0");
        EXPECT_EQ(texts[11].text, "20.0");
        EXPECT_DOUBLE_EQ(texts[11].points[0].y, f.plotTop - 100) << "centred on the value's height";
        EXPECT_EQ(texts[1].fontSize, 9);
    }
    EXPECT_EQ(textsOf(0x20)[0].fontSize, 6) << "a four-character name is printed at two thirds";
    EXPECT_EQ(textsOf(0x10)[0].fontSize, 9);

    // A hidden series gets no column: the next one takes its place.
    g.SampleVisible(1, false);
    g.Refresh();
    EXPECT_TRUE(textsOf(0x20).empty());
    EXPECT_DOUBLE_EQ(textsOf(0x30)[1].points[0].x + 300, f.Right() + 530);
    EXPECT_DOUBLE_EQ(textsOf(0x40)[1].points[0].x + 300, f.Right() + 1060);
}

TEST_F(GraphLayoutTest, FindSampleIndex) {
    Fill(1);
    g.Refresh();
    const std::vector<std::pair<double, int>> cases{
        {-5, 0}, {0, 0}, {0.5, 1}, {300, 6}, {301, 6}, {599, 10}, {600, 10}, {9999, 10}};
    for (const auto& [seconds, index] : cases)
        EXPECT_EQ(g.FindSampleIndex(seconds), index) << seconds;
}

}  // namespace
}  // namespace mt52
