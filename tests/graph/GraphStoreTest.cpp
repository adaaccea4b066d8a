#include "graph/ZelGraph.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

const Date Start(46000.0);  // 2025-12-09 00:00

Date At(double seconds) { return Date(Start.value() + seconds / 86400.0); }

TEST(GraphStore, SeriesTablesGrowFromTheSpareSlot) {
    ZelGraph g;
    EXPECT_EQ(g.SampleDataCount(), 1) << "empty";
    // An empty name leaves slot 0 free, so the next series fills it again.
    EXPECT_EQ(g.AddSample(QString(), 0xFF, QStringLiteral("#0.0")), 0);
    EXPECT_EQ(g.SampleDataCount(), 1);
    EXPECT_EQ(g.AddSample(QStringLiteral("CH4"), 0xFF00), 0);
    EXPECT_EQ(g.SampleDataCount(), 1);
    EXPECT_EQ(g.FormatY(0), "#0.0") << "an empty format keeps the slot's earlier one";
    EXPECT_EQ(g.AddSample(QStringLiteral("O2"), 0xFF, QStringLiteral("#0.00"), 25), 1);
    EXPECT_EQ(g.SampleDataCount(), 2);
    EXPECT_TRUE(g.SampleVisible(1));
    EXPECT_FALSE(g.EventVisible(1)) << "a new series' marks start hidden";
    EXPECT_EQ(g.ValueName(1), "O2");
    EXPECT_EQ(g.ValueColor(0), 0xFF00);
}

TEST(GraphStore, WritesPastTheLastSeriesAreIgnored) {
    ZelGraph g;
    g.AddSample(QStringLiteral("CH4"));
    g.AddSample(QStringLiteral("O2"));
    const int spare = g.SampleDataCount();

    g.valueY(spare, 3, 5.0f);
    g.ValueName(spare, QStringLiteral("x"));
    g.ValueColor(spare, 0xFF);
    g.MinY(spare, 1);
    g.MaxY(spare, 9);
    g.SampleVisible(spare, true);
    EXPECT_EQ(g.valueY(spare, 3), 0.0f);
    EXPECT_EQ(g.ValueName(spare), "");
    EXPECT_EQ(g.ValueColor(spare), 0);
    EXPECT_EQ(g.MinY(spare), 0.0f);
    EXPECT_EQ(g.MaxY(spare), 0.0f);
    EXPECT_FALSE(g.SampleVisible(spare));
    // Indexes outside every table read as empty and write nothing.
    g.valueY(-1, 0, 1.0f);
    g.valueY(0, 20000, 1.0f);
    EXPECT_EQ(g.valueY(0, 20000), 0.0f);
    EXPECT_EQ(g.ValueName(99), "");

    // Only FormatY, EventX and EventCount write the spare slot; the next series finds them.
    g.FormatY(spare, QStringLiteral("#0"));
    g.EventCount(spare, 4);
    EXPECT_EQ(g.AddSample(QStringLiteral("H2S")), spare);
    EXPECT_EQ(g.FormatY(spare), "#0");
    EXPECT_EQ(g.EventCount(spare), 4);
}

TEST(GraphStore, ValueYRaisesLastSample) {
    ZelGraph g;
    g.AddSample(QStringLiteral("CH4"));
    g.valueY(0, 7, 1.5f);
    g.valueY(0, 3, 2.5f);
    EXPECT_EQ(g.Store().Series(0).lastSample, 7);
    EXPECT_EQ(g.valueY(0, 3), 2.5f);
}

TEST(GraphStore, TimeAxisSecondsCountFromSampleZero) {
    ZelGraph g;
    g.valueX(0, Start);
    g.valueX(1, At(90));
    g.valueX(2, At(90.4));
    g.valueX(3, At(-30));
    EXPECT_EQ(g.Store().TimeAxis(0).seconds, 0);
    EXPECT_EQ(g.Store().TimeAxis(1).seconds, 90);
    EXPECT_EQ(g.Store().TimeAxis(2).seconds, 90);
    EXPECT_EQ(g.Store().TimeAxis(3).seconds, -30);
    EXPECT_EQ(g.valueX(1), At(90));
    // A later sample 0 leaves the seconds already stored alone.
    g.valueX(0, At(60));
    EXPECT_EQ(g.Store().TimeAxis(0).seconds, 0);
    EXPECT_EQ(g.Store().TimeAxis(1).seconds, 90);
}

TEST(GraphStore, DataXStoresBelowTheLastIndexAndRaisesSampleCount) {
    ZelGraph g;
    g.DataX(0, Start);
    g.DataX(12, At(120));
    EXPECT_EQ(g.SampleCount(), 12);
    EXPECT_EQ(g.DataX(12), At(120));
    g.DataX(5, At(50));
    EXPECT_EQ(g.SampleCount(), 12) << "only raised";
    g.DataX(GraphMaxSamples, At(999));
    EXPECT_EQ(g.DataX(GraphMaxSamples), Date());
    EXPECT_EQ(g.SampleCount(), 12);
    EXPECT_EQ(g.MaxSamples(), GraphMaxSamples);
}

TEST(GraphStore, EventsAndTheTrack) {
    ZelGraph g;
    g.AddSample(QStringLiteral("CH4"));
    g.AddSample(QStringLiteral("O2"));

    // Before sample 0 has a date an event gets 0 seconds and leaves the count alone.
    g.EventX(0, 2, At(30));
    EXPECT_EQ(g.EventX(0, 2), At(30));
    EXPECT_EQ(g.Store().Events(0).entries[2].seconds, 0);
    EXPECT_EQ(g.EventCount(0), 0);

    g.valueX(0, Start);
    g.EventCount(1, 3);
    g.EventX(1, 5, At(45));
    EXPECT_EQ(g.Store().Events(1).entries[5].seconds, 45);
    EXPECT_EQ(g.EventCount(1), 5) << "raised to the index, not past it";
    g.EventX(1, GraphMaxEvents, At(50));
    EXPECT_EQ(g.EventX(1, GraphMaxEvents), Date());

    g.EventFlag(1, 5, QStringLiteral("ALM"));
    g.EventFlag(1, GraphMaxEvents, QStringLiteral("lost"));
    EXPECT_EQ(g.EventFlag(1, 5), "ALM");
    EXPECT_EQ(g.EventFlag(1, GraphMaxEvents), "");

    // Any index at or past the spare slot addresses the track, indexed by sample.
    g.EventFlag(1000, 360, QStringLiteral("Alarm"));
    g.EventVisible(1000, true);
    EXPECT_EQ(g.Store().TrackText(360), "Alarm");
    EXPECT_EQ(g.EventFlag(2, 360), "Alarm");
    EXPECT_TRUE(g.Store().TrackVisible());
    EXPECT_FALSE(g.EventVisible(0));
    g.EventFlag(1000, GraphMaxEvents, QStringLiteral("lost"));
    EXPECT_EQ(g.EventFlag(1000, GraphMaxEvents), "");
}

TEST(GraphStore, ClearEmptiesDataButKeepsTheView) {
    ZelGraph g;
    g.AddSample(QStringLiteral("CH4"));
    g.AddSample(QStringLiteral("O2"));
    g.valueX(0, Start);
    g.valueX(1, At(60));
    g.valueX(2, At(120));
    g.SampleCount(3);
    g.Zoom(2);
    g.MinX(10);
    g.MaxX(100);
    g.CursorIndex(2);
    g.TitleTop(QStringLiteral("Title"));
    g.EventFlag(1000, 4, QStringLiteral("Alarm"));
    g.EventVisible(1000, true);

    g.Clear();
    EXPECT_EQ(g.SampleDataCount(), 1);
    EXPECT_EQ(g.ValueName(0), "");
    EXPECT_EQ(g.SampleCount(), 0);
    EXPECT_EQ(g.CursorIndex(), 0.0f);
    EXPECT_EQ(g.Store().TrackText(4), "");
    EXPECT_TRUE(g.Store().TrackVisible());
    EXPECT_EQ(g.MinX(), 10.0f);
    EXPECT_EQ(g.MaxX(), 100.0f);
    EXPECT_EQ(g.Zoom(), 2);
    EXPECT_EQ(g.TitleTop(), "Title");
    EXPECT_EQ(g.valueX(2), At(120)) << "the time axis stays";
}

TEST(GraphStore, InertMembers) {
    ZelGraph g;
    g.TestDisp(true);
    EXPECT_FALSE(g.TestDisp());
    g.SampleDataCount(7);
    EXPECT_EQ(g.SampleDataCount(), 1);
    EXPECT_EQ(g.MaxEvents(), 2048);
}

}  // namespace
}  // namespace mt52
