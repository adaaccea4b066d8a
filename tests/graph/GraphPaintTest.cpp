// Curves, event marks and the cursor read-out as recorded strokes.
#include "GraphTestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace mt52 {
namespace {

using Op = GraphStroke::Op;
constexpr Long Green = 0x00FF00;
constexpr double Step = 60;

std::vector<GraphStroke> LinesIn(const RecordingGraphSurface& surface, Long colour) {
    std::vector<GraphStroke> out;
    for (const GraphStroke& s : surface.Of(Op::Line))
        if (s.colour == colour)
            out.push_back(s);
    return out;
}

class GraphPaintTest : public ::testing::Test {
protected:
    // One series of the given values, a minute apart, full scale 10.
    void Series(const std::vector<Single>& values, int sampleCount = -1) {
        g.AddSample(QStringLiteral("CH4"), Green, QStringLiteral("#0.0"));
        for (std::size_t i = 0; i < values.size(); ++i) {
            g.valueX(static_cast<int>(i), Date(46000 + i * Step / 86400));
            g.valueY(0, static_cast<int>(i), values[i]);
        }
        g.SampleCount(sampleCount < 0 ? static_cast<int>(values.size()) : sampleCount);
    }
    GraphPoint At(int sample, double value) const { return {g.xPos(sample * Step), g.yPos(value)}; }

    GraphTestHost host;
    ZelGraph g{&host};
};

TEST_F(GraphPaintTest, NoDataEndsTheCurveWithADotAndResumesWithALevelLine) {
    const Single nd = GraphNoData;
    Series({10, nd, nd, 12, 11});
    g.Refresh();
    const auto lines = LinesIn(host.screen, Green);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, (std::vector<GraphPoint>{At(0, 10), At(0, 10)})) << "dot at the last reading";
    EXPECT_EQ(lines[1].points, (std::vector<GraphPoint>{At(1, nd), At(1, nd)})) << "dot at the no-data height";
    EXPECT_EQ(lines[2].points, (std::vector<GraphPoint>{At(2, 12), At(3, 12)})) << "level line at the next value";
    EXPECT_EQ(lines[3].points, (std::vector<GraphPoint>{At(3, 12), At(4, 11)}));
}

TEST_F(GraphPaintTest, SegmentsStartInsideTheView) {
    Series({1, 2, 3, 4, 5, 6});
    g.MinX(70);
    g.MaxX(150);
    g.Refresh();
    // Only the segment from 120 s starts in the view; it runs on to 180 s across the frame.
    const auto lines = LinesIn(host.screen, Green);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<GraphPoint>{At(2, 3), At(3, 4)}));
    EXPECT_GT(lines[0].points[1].x, g.Frame().Right());
}

TEST_F(GraphPaintTest, CurveEndsAtItsLastWrittenSample) {
    Series({1, 2, 3, 4, 5, 6});
    g.SampleCount(100);
    for (int i = 6; i < 100; ++i)
        g.valueX(i, Date(46000 + i * Step / 86400));
    g.Refresh();
    EXPECT_EQ(LinesIn(host.screen, Green).size(), 5u);
    // Hidden curves are not drawn.
    g.SampleVisible(0, false);
    g.Refresh();
    EXPECT_TRUE(LinesIn(host.screen, Green).empty());
}

TEST_F(GraphPaintTest, EventRowsMarksAndTheTrack) {
    const Long colours[4] = {0x10, 0x20, 0x30, 0x40};
    for (int s = 0; s < 4; ++s)
        g.AddSample(QStringLiteral("S%1").arg(s), colours[s], QStringLiteral("#0.0"));
    FillGraph(g, 11, Step, [](int, int i) { return static_cast<Single>(i); });
    for (int s = 0; s < 4; ++s) {
        g.EventX(s, 0, Date(46000 + 120 / 86400.0));
        g.EventFlag(s, 0, QStringLiteral("E%1").arg(s));
        g.EventX(s, 1, Date(46000 + 600 / 86400.0));  // exactly at MaxX
        g.EventFlag(s, 1, QStringLiteral("Last%1").arg(s));
        g.EventCount(s, 2);
        g.EventVisible(s, true);
    }
    g.SampleVisible(3, false);  // its marks are still drawn
    g.EventFlag(1000, 4, QStringLiteral("Alarm"));
    g.EventVisible(1000, true);
    g.Refresh();

    const GraphFrame& f = g.Frame();
    const double x = g.xPos(120);
    const std::vector<double> rows{f.plotTop + 300, f.plotTop + 450, f.Bottom() - 900, f.Bottom() - 1050};
    const auto triangles = host.screen.Of(Op::Triangle);
    ASSERT_EQ(triangles.size(), 9u);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const GraphStroke& t = triangles[static_cast<std::size_t>(2 * s)];
        const double y = rows[static_cast<std::size_t>(s)];
        // Pointing down onto its row: the tip one pixel up, the base 110 above the row.
        EXPECT_EQ(t.points[0], (GraphPoint{x, y - 15}));
        EXPECT_EQ(t.points[1], (GraphPoint{x - 41.5, y - 110}));
        EXPECT_EQ(t.points[2], (GraphPoint{x + 41.5, y - 110}));
        EXPECT_EQ(t.colour, colours[s]);
        EXPECT_EQ(t.fillStyle, GraphSurface::FillSolid);
        EXPECT_EQ(g.Store().Events(s).labelRow, static_cast<Single>(y));
        const GraphStroke* label = host.screen.FindText(QStringLiteral("E%1").arg(s));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->colour, colours[s]);
        EXPECT_EQ(label->fontSize, 9 - 3.5);
        EXPECT_EQ(label->points[0], (GraphPoint{x - 100, s < 2 ? y - 240 : y + 120}));
        EXPECT_NE(host.screen.FindText(QStringLiteral("Last%1").arg(s)), nullptr);
    }
    // The track's mark points up from 300 above the bottom edge, with its text below.
    const GraphStroke& track = triangles[8];
    const double trackX = g.xPos(240);
    EXPECT_EQ(track.points[0], (GraphPoint{trackX, f.Bottom() - 300 + 15}));
    EXPECT_EQ(track.points[1], (GraphPoint{trackX - 41.5, f.Bottom() - 300 + 110}));
    EXPECT_EQ(track.colour, 1);
    const GraphStroke* alarm = host.screen.FindText(QStringLiteral("Alarm"));
    ASSERT_NE(alarm, nullptr);
    EXPECT_EQ(alarm->points[0], (GraphPoint{trackX - 250, f.Bottom() - 180}));
    EXPECT_EQ(host.screen.FontSize, 9) << "the font is restored";

    // Events outside the view and series whose events are hidden draw nothing.
    g.MinX(180);
    g.MaxX(540);
    g.EventVisible(1000, false);
    g.Refresh();
    EXPECT_TRUE(host.screen.Of(Op::Triangle).empty());
}

TEST_F(GraphPaintTest, MarksOnPaperStayInDrawingUnits) {
    Series({1, 2, 3, 4});
    g.EventX(0, 0, Date(46000 + 60 / 86400.0));
    g.EventFlag(0, 0, QStringLiteral("ALM"));
    g.EventCount(0, 1);
    g.EventVisible(0, true);
    // A printer page at 600 dpi: 2.4 drawing units per device pixel.
    RecordingGraphSurface page(GraphSurface::Kind::Printer, 12000, 16000, 100, 200, 2.4);
    g.DrawObj(&page);
    g.SetDrawLeft(720);
    g.SetDrawTop(1440);
    g.SetDrawWidth(10000);
    g.SetDrawHeight(6000);
    g.Refresh();
    const auto triangles = page.Of(Op::Triangle);
    ASSERT_EQ(triangles.size(), 1u);
    const GraphStroke* label = page.FindText(QStringLiteral("ALM"));
    ASSERT_NE(label, nullptr);
    // A single series has its marks in the lower rows, labels below the tip.
    const double row = g.Frame().Bottom() - 600;
    EXPECT_DOUBLE_EQ(triangles[0].points[0].x, label->points[0].x + 150) << "the mark stands over its label";
    EXPECT_DOUBLE_EQ(triangles[0].points[0].y, row - 2.4);
    EXPECT_DOUBLE_EQ(label->points[0].y, row + 120);
}

TEST_F(GraphPaintTest, CursorReadout) {
    const Single nd = GraphNoData;
    g.AddSample(QStringLiteral("CH4"), Green, QStringLiteral("#0.0"));
    g.AddSample(QStringLiteral("O2"), 0xFF);  // no pattern: the read-out gives it "##0.0"
    g.AddSample(QStringLiteral("Hid"), 0xFF0000);
    FillGraph(g, 11, Step, [nd](int s, int i) {
        if (s == 0)
            return i == 6 ? nd : static_cast<Single>(i);
        return s == 1 ? 20.95f : 1.0f;
    });
    g.SampleVisible(2, false);
    g.CursorIndex(6);
    g.Refresh();
    const GraphFrame& f = g.Frame();
    EXPECT_EQ(host.cursor.caption, "[12/09 00:06:00]\r\nCH4 : -----\r\nO2 : 21.0\r\n");
    EXPECT_EQ(g.FormatY(1), "##0.0") << "the default pattern is kept";
    EXPECT_EQ(g.FormatY(2), "") << "hidden series are left alone";
    EXPECT_DOUBLE_EQ(host.cursor.lineX, g.xPos(360));
    EXPECT_DOUBLE_EQ(host.cursor.lineTop, f.plotTop + 15);
    EXPECT_DOUBLE_EQ(host.cursor.lineBottom, f.Bottom() - 15);
    // The lowest point under the cursor, the no-data value of series 0 here, near the bottom edge.
    EXPECT_DOUBLE_EQ(host.cursor.labelBottom, std::clamp(g.yPos(nd, 0), double(f.plotTop), f.Bottom()));
    EXPECT_FALSE(host.cursor.labelRightOfLine) << "the right half of the view";

    struct Case {
        int cursor;
        bool right;
    };
    for (const Case c : {Case{5, true}, Case{4, true}, Case{7, false}}) {
        g.CursorIndex(static_cast<Single>(c.cursor));
        g.Refresh();
        EXPECT_EQ(host.cursor.labelRightOfLine, c.right) << c.cursor << ", the middle counts as the left half";
    }
}

TEST_F(GraphPaintTest, CursorOutsideTheViewSnapsToItsNearerEnd) {
    Series({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    struct Case {
        Single minX, maxX, cursor, snapped;
    };
    for (const Case c : {Case{120, 300, 0, 2}, Case{120, 300, 9, 5}, Case{120, 300, 3, 3}, Case{90, 300, 0, 1},
                         Case{120, 330, 9, 5}}) {
        g.MinX(c.minX);
        g.MaxX(c.maxX);
        g.CursorIndex(c.cursor);
        g.Refresh();
        EXPECT_EQ(g.CursorIndex(), c.snapped) << c.minX << ".." << c.maxX << " from " << c.cursor;
    }
}

TEST_F(GraphPaintTest, WhenNothingIsPainted) {
    Series({1, 2, 3});
    g.Refresh();
    const std::size_t drawn = host.screen.strokes.size();
    ASSERT_GT(drawn, 1u);

    // After Clear a refresh leaves the picture as it was.
    g.Clear();
    g.Refresh();
    EXPECT_EQ(host.screen.strokes.size(), drawn);

    // Without AutoRedraw only Refresh paints.
    Series({1, 2, 3});
    g.AutoRedraw(false);
    const int paints = host.paints;
    g.Paint();
    EXPECT_EQ(host.paints, paints);
    g.Refresh();
    EXPECT_EQ(host.paints, paints + 1);

    // Samples all at one time: the picture is cleared and nothing else drawn.
    ZelGraph same(&host);
    same.AddSample(QStringLiteral("S"));
    FillGraph(same, 3, 0, [](int, int) { return 1.0f; });
    same.Refresh();
    ASSERT_EQ(host.screen.strokes.size(), 1u);
    EXPECT_EQ(host.screen.strokes[0].op, Op::Cls);
}

TEST(GraphDesignTime, TestPatternLeavesAnEmptyPicture) {
    struct DesignHost : GraphTestHost {
        bool DesignTime() const override { return true; }
    } host;
    ZelGraph g(&host);
    g.Refresh();
    EXPECT_EQ(g.SampleDataCount(), 3);
    EXPECT_EQ(g.SampleCount(), 256);
    EXPECT_FLOAT_EQ(g.valueY(1, 32), static_cast<Single>(2 * std::sin(32 / 12.8 * 6.2831853)));
    ASSERT_EQ(host.screen.strokes.size(), 1u);
    EXPECT_EQ(host.screen.strokes[0].op, Op::Cls);
    g.Refresh();
    EXPECT_EQ(g.SampleDataCount(), 3) << "loaded once";
}

// Where more segments fall into the view than the plot has pixel columns, each column's
// connected segments become one vertical stroke; the strokes cover the same columns and heights.
TEST_F(GraphPaintTest, DenseCurvesDrawOneStrokePerPixelColumn) {
    const int samples = 6000;
    std::vector<Single> values(samples);
    for (int i = 0; i < samples; ++i)
        values[static_cast<std::size_t>(i)] = i % 500 == 250 ? GraphNoData : static_cast<Single>(5 + 4 * std::sin(i / 7.0));
    Series(values);
    g.Refresh();
    const auto merged = LinesIn(host.screen, Green);
    const double columns = g.Frame().plotWidth / 15;
    EXPECT_LE(merged.size(), static_cast<std::size_t>(3 * columns));

    RecordingGraphSurface exactSurface(GraphSurface::Kind::Preview, 9000, 6000, 100, 200, 0);
    g.DrawObj(&exactSurface);
    g.SetDrawWidth(9000);
    g.SetDrawHeight(6000);
    g.Refresh();
    const auto exact = LinesIn(exactSurface, Green);
    ASSERT_EQ(exact.size(), static_cast<std::size_t>(samples - 1));

    // Per pixel column, the vertical extent of all strokes touching it.
    auto extents = [](const std::vector<GraphStroke>& lines) {
        std::map<long, std::pair<double, double>> out;
        for (const GraphStroke& s : lines) {
            for (const GraphPoint& p : s.points) {
                auto [it, added] = out.try_emplace(static_cast<long>(std::floor(p.x / 15)), p.y, p.y);
                if (!added) {
                    it->second.first = std::min(it->second.first, p.y);
                    it->second.second = std::max(it->second.second, p.y);
                }
            }
        }
        return out;
    };
    const auto a = extents(merged);
    const auto b = extents(exact);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [column, range] : b) {
        ASSERT_TRUE(a.count(column)) << column;
        EXPECT_DOUBLE_EQ(a.at(column).first, range.first) << column;
        EXPECT_DOUBLE_EQ(a.at(column).second, range.second) << column;
    }
}

}  // namespace
}  // namespace mt52
