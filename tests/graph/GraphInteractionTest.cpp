// Zoom, panning, cursor keys, clicks and the event search.
#include "GraphTestHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

constexpr double Step = 60;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Shift = 1;

class GraphInteractionTest : public ::testing::Test {
protected:
    void Fill(int samples) {
        g.AddSample(QStringLiteral("CH4"), 0xFF00, QStringLiteral("#0.0"));
        g.AddSample(QStringLiteral("O2"), 0xFF, QStringLiteral("#0.0"));
        FillGraph(g, samples, Step, [](int s, int i) { return static_cast<Single>(s * 10 + i % 7); });
    }

    GraphTestHost host;
    ZelGraph g{&host};
};

TEST_F(GraphInteractionTest, ZoomShowsTheFirstPartAndSetsThePanBarUp) {
    Fill(1);
    g.Zoom(3);
    EXPECT_EQ(g.Zoom(), 1) << "ignored below two samples";

    g.Clear();
    Fill(100);
    g.Zoom(3);
    EXPECT_EQ(g.Zoom(), 3);
    EXPECT_TRUE(host.bar.visible);
    EXPECT_EQ(host.bar.min, 0);
    EXPECT_EQ(host.bar.max, 66);
    EXPECT_EQ(host.bar.largeChange, 32);
    EXPECT_EQ(host.bar.smallChange, 1);
    EXPECT_EQ(host.bar.value, 0);
    EXPECT_EQ(g.MinX(), 0.0f);
    EXPECT_EQ(g.MaxX(), 32 * Step);

    const int paints = host.paints;
    g.PanTo(10);
    EXPECT_EQ(g.MinX(), 10 * Step);
    EXPECT_EQ(g.MaxX(), 43 * Step) << "the panned window is one sample wider";
    EXPECT_EQ(host.paints, paints + 1);

    // Zooming again moves the bar back to the start; the new window wins.
    g.Zoom(1);
    EXPECT_FALSE(host.bar.visible);
    EXPECT_EQ(host.bar.max, -1);
    EXPECT_EQ(host.bar.value, 0);
    EXPECT_EQ(g.MinX(), 0.0f);
    EXPECT_EQ(g.MaxX(), 99 * Step);
}

TEST_F(GraphInteractionTest, ZoomAndPanNeverReadPastTheLastSample) {
    struct Case {
        int samples, zoom, pan;
        Single minX, maxX;
    };
    const std::vector<Case> cases{
        {6, 4, 4, 4 * Step, 5 * Step},   // round(1.5 + 4) is 6, one past the last sample
        {6, 4, 99, 4 * Step, 5 * Step},  // the bar's value stays within its range
        {2, 5, 0, 0, Step},              // round(0.4 - 1) is -1; the empty window shows the whole trend
    };
    for (const Case& c : cases) {
        ZelGraph graph(&host);
        graph.AddSample(QStringLiteral("S"));
        FillGraph(graph, c.samples, Step, [](int, int i) { return static_cast<Single>(i); });
        // Stale times past the samples in use must not be read either.
        graph.valueX(c.samples, Date(46000 + 99999 / 86400.0));
        graph.Zoom(c.zoom);
        graph.PanTo(c.pan);
        SCOPED_TRACE(testing::Message() << c.samples << " samples, zoom " << c.zoom << ", pan " << c.pan);
        EXPECT_EQ(graph.MinX(), c.minX);
        EXPECT_EQ(graph.MaxX(), c.maxX);
    }
    // A factor below 1 shows the whole trend.
    Fill(10);
    g.Zoom(0);
    EXPECT_EQ(g.Zoom(), 1);
    EXPECT_EQ(g.MaxX(), 9 * Step);
}

TEST_F(GraphInteractionTest, CursorKeys) {
    Fill(30);
    g.Refresh();
    struct Case {
        int key, shift;
        Single cursorBefore, offsetBefore;
        bool acts;
        Single cursorAfter, offsetAfter;
    };
    const double h = 5;  // picture height in pixels
    const std::vector<Case> cases{
        {Left, 0, 0, 0, false, 0, 0},
        {Left, 0, 3, 0, true, 2, 0},
        {Left, Shift, 9, 0, false, 9, 0},
        {Left, Shift, 10, 0, true, 0, 0},
        {Right, 0, 29, 0, false, 29, 0},
        {Right, 0, 28, 0, true, 29, 0},
        {Right, Shift, 19, 0, false, 19, 0},  // not SampleCount - 10
        {Right, Shift, 18, 0, true, 28, 0},
        {Up, 0, 0, -4, true, 0, -5},
        {Up, 0, 0, -5, false, 0, -5},
        {Up, Shift, 0, 0, true, 0, -10},
        {Down, 0, 0, -5, true, 0, -4},
        {Down, 0, 0, 5, false, 0, 5},
        {Down, Shift, 0, 4, true, 0, 14},
        {65, 0, 3, 0, false, 3, 0},
    };
    for (const Case& c : cases) {
        // Reach the starting offset through the keys themselves.
        g.Clear();
        Fill(30);
        g.Refresh();
        for (Single o = 0; o > c.offsetBefore; o -= 1)
            g.KeyDown(Up, 0, 100);
        for (Single o = 0; o < c.offsetBefore; o += 1)
            g.KeyDown(Down, 0, 100);
        g.CursorIndex(c.cursorBefore);
        const int moves = host.cursorMoves;
        SCOPED_TRACE(testing::Message() << "key " << c.key << " shift " << c.shift << " at " << c.cursorBefore
                                        << "/" << c.offsetBefore);
        EXPECT_EQ(g.KeyDown(c.key, c.shift, h), c.acts);
        EXPECT_EQ(g.CursorIndex(), c.cursorAfter);
        EXPECT_EQ(g.ReadoutOffset(), c.offsetAfter);
        EXPECT_EQ(host.cursorMoves, moves + (c.acts ? 1 : 0)) << "the read-out moves only when a key acts";
    }
    // The offset moves the read-out by whole pixels.
    g.KeyDown(Down, 0, h);
    const double bottom = host.cursor.labelBottom;
    g.KeyDown(Down, 0, h);
    EXPECT_DOUBLE_EQ(host.cursor.labelBottom, bottom + 15);
}

TEST_F(GraphInteractionTest, ClickPutsTheCursorOnTheNextSample) {
    Fill(20);
    g.Refresh();
    struct Case {
        double x;
        Single cursor;
    };
    const std::vector<Case> cases{
        {g.xPos(-100), 0},
        {g.xPos(0), 0},
        {g.xPos(5 * Step), 6},
        {g.xPos(5 * Step + 1), 6},
        {g.xPos(99999), 19},
    };
    for (const Case& c : cases) {
        g.MouseDown(c.x);
        EXPECT_EQ(g.CursorIndex(), c.cursor) << c.x;
        EXPECT_DOUBLE_EQ(host.cursor.lineX, g.xPos(g.Store().SecondsAt(static_cast<int>(c.cursor))));
    }
}

class GraphSearchTest : public GraphInteractionTest {
protected:
    // Events of series 0 at the given seconds (text "A<i>") and of series 1 ("B<i>").
    void Events(int series, const std::vector<double>& seconds, const char* prefix) {
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            g.EventX(series, static_cast<int>(i), Date(46000 + seconds[i] / 86400));
            g.EventFlag(series, static_cast<int>(i), QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i));
        }
        g.EventCount(series, static_cast<int>(seconds.size()));
        g.EventVisible(series, true);
    }
    QString Search(double seconds, double y) {
        Date date(1.0);
        QString name = QStringLiteral("x");
        g.SearchEvent(seconds, y, date, name);
        if (name.isEmpty()) {
            EXPECT_EQ(date, Date());
        }
        return name;
    }
};

TEST_F(GraphSearchTest, FindsTheNearestMarkNearItsRow) {
    Fill(11);  // 0 .. 600 s: marks within 15 s are found
    Events(0, {120, 300, 310}, "A");
    Events(1, {120, 500}, "B");
    g.Refresh();
    const double row0 = g.Store().Events(0).labelRow;  // top + 300
    const double row1 = g.Store().Events(1).labelRow;  // bottom - 750
    ASSERT_DOUBLE_EQ(row0, g.Frame().plotTop + 300);
    ASSERT_DOUBLE_EQ(row1, g.Frame().Bottom() - 750);
    EXPECT_EQ(g.Store().Events(0).entries[0].seconds, 120);

    struct Case {
        double seconds, y;
        const char* found;
    };
    const std::vector<Case> cases{
        {121, row0, "A0"},
        {121, row1, "B0"},        // same distance: the nearer label row
        {121, (row0 + row1) / 2, ""},  // both rows too far
        {305, row0, "A1"},        // equal in both: the first found
        {106, row0, "A0"},
        {105, row0, ""},          // exactly 1/40 of the span away
        {120, row0 + 179, "A0"},
        {120, row0 + 180, ""},    // exactly 180 from the row
        {-1, row0, ""},           // outside the view
        {601, row0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.seconds, c.y), QString::fromLatin1(c.found)) << c.seconds << " " << c.y;

    Date date;
    QString name;
    g.SearchEvent(121, row0, date, name);
    EXPECT_EQ(date, Date(46000 + 120 / 86400.0));

    // Hidden marks are still found; the event track never is.
    g.EventVisible(0, false);
    g.EventFlag(1000, 3, QStringLiteral("Alarm"));
    EXPECT_EQ(Search(121, row0), "A0");
    EXPECT_EQ(Search(180, g.Frame().Bottom() - 300), "");
}

}  // namespace
}  // namespace mt52
