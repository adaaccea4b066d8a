// The trend search's look-up of the alarm trend around an event, and the rules that decide which
// table cells and graph marks start a search and which icon the pointer shows over them.
#include "views/StoredRecords.h"
#include "views/TrendSearch.h"

#include "platform/RuntimeError.h"

#include <QFile>

namespace mt52 {
namespace {

class FindAlarmTrendTest : public test::TrendFixture {
protected:
    const Date event_ = test::MayDate(20, 12, 0, 0);

    // An alarm trend header (no trend file: the look-up reads Log_Head only).
    void AddAlarmHead(Long seqNo, int secondsFromEvent, const QString& serial = QStringLiteral("SN1"),
                      Long kind = 2) {
        test::Columns columns = test::HeadColumns(seqNo, kind, QStringLiteral("a%1").arg(seqNo),
                                                  event_.addSeconds(secondsFromEvent));
        for (auto& [name, value] : columns)
            if (name == u"SerialNo")
                value = serial;
        test::InsertRow(QStringLiteral("Log_Head"), columns);
    }
    static void ClearHeads() { Database(State().DatabasePath).execute(QStringLiteral("DELETE FROM Log_Head")); }
    Long Find(Long seqNo = 1, const QString& serial = QStringLiteral("SN1"), int before = -30, int after = 45) {
        return FindAlarmTrend(State().DatabasePath, seqNo, serial, event_, before, after);
    }
};

TEST_F(FindAlarmTrendTest, PicksTheNearestInsideTheWindowAndTheEarlierOfATie) {
    struct Case {
        const char* what;
        std::vector<int> offsets;  // records 10, 11, ... at these seconds from the event
        Long expected;
    };
    const Case cases[] = {
        {"nearest wins over an earlier one", {-30, 10}, 11},
        {"a tie goes to the earlier", {10, -10}, 11},
        {"both window edges are inside", {-30}, 10},
        {"the far edge is inside", {45}, 10},
        {"one second past the end is outside", {46}, -1},
        {"one second before the start is outside", {-31}, -1},
        {"none at all", {}, -1},
        {"exactly at the event", {3, 0, -2}, 11},
    };
    for (const Case& c : cases) {
        ClearHeads();
        Long seqNo = 10;
        for (int offset : c.offsets)
            AddAlarmHead(seqNo++, offset);
        EXPECT_EQ(Find(), c.expected) << c.what;
    }
}

TEST_F(FindAlarmTrendTest, LooksOnlyAtOtherAlarmTrendsOfTheSameInstrument) {
    AddAlarmHead(10, 5, QStringLiteral("SN2"));      // another instrument
    AddAlarmHead(11, 2, QStringLiteral("SN1"), 1);   // an interval trend
    AddAlarmHead(12, 1);                             // the record searched from
    AddAlarmHead(13, 20);
    EXPECT_EQ(Find(12), 13);
    EXPECT_EQ(Find(12, QStringLiteral("SN2")), 10);
    EXPECT_EQ(Find(12, QStringLiteral("SN3")), -1);
}

TEST_F(FindAlarmTrendTest, ASerialNumberWithAnApostropheIsOnlyAValue) {
    AddAlarmHead(10, 5, QStringLiteral("O'Neil"));
    AddAlarmHead(11, 6);
    EXPECT_EQ(Find(1, QStringLiteral("O'Neil")), 10);
    EXPECT_EQ(Find(1, QStringLiteral("' OR '1'='1")), -1);
}

TEST_F(FindAlarmTrendTest, AWideWindowStillStopsShortOfTenMinutes) {
    AddAlarmHead(10, 600);
    AddAlarmHead(11, -599);
    EXPECT_EQ(Find(1, QStringLiteral("SN1"), -900, 900), 11);
    ClearHeads();
    AddAlarmHead(10, 600);
    EXPECT_EQ(Find(1, QStringLiteral("SN1"), -900, 900), -1);
}

TEST_F(FindAlarmTrendTest, ADatabaseThatCannotBeReadRaises) {
    QFile::remove(State().DatabasePath);
    EXPECT_THROW(Find(), RuntimeError);
}

TEST(TrendSearchRules, GraphMarksNeedTheirExactText) {
    EXPECT_EQ(GraphMarkIcon("ALARM"), TrendEventIcon::Alarm);
    EXPECT_EQ(GraphMarkIcon("WARNING"), TrendEventIcon::Alarm);
    EXPECT_EQ(GraphMarkIcon("OVER"), TrendEventIcon::Alarm);
    EXPECT_EQ(GraphMarkIcon("MODE"), TrendEventIcon::Interval);
    for (const char* other : {"Alarm", "alarm", "ALARMS", "-WARNING", "STEL", ""})
        EXPECT_EQ(GraphMarkIcon(other), TrendEventIcon::None) << other;
}

TEST(TrendSearchRules, TableCellsOfIntervalTrendsWithAColourAndAnEventPrefix) {
    constexpr Long Red = 255;
    struct Case {
        Long logType;
        int row, col;
        const char* text;
        Long colour;
        TrendEventIcon icon;
    };
    const Case cases[] = {
        {1, 3, 2, "WARNING", Red, TrendEventIcon::Alarm},
        {1, 3, 5, "ALARM", Red, TrendEventIcon::Alarm},
        {1, 3, 2, "OVER", Red, TrendEventIcon::Alarm},
        {1, 3, 2, "MODE x", Red, TrendEventIcon::Interval},
        {1, 3, 2, "WARNING", 0, TrendEventIcon::None},     // no colour of its own
        {1, 3, 2, "-WARNING", Red, TrendEventIcon::None},
        {1, 3, 2, "STEL", Red, TrendEventIcon::None},
        {1, 3, 2, "warning", Red, TrendEventIcon::None},
        {1, 0, 2, "ALARM", Red, TrendEventIcon::None},     // header row
        {1, 3, 0, "ALARM", Red, TrendEventIcon::None},     // number column
        {2, 3, 2, "ALARM", Red, TrendEventIcon::None},     // an alarm trend's table
        {11, 3, 2, "ALARM", Red, TrendEventIcon::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableCellIcon(c.logType, c.row, c.col, c.text, c.colour), c.icon)
            << c.logType << " " << c.row << "," << c.col << " " << c.text << " " << c.colour;
}

TEST(TrendSearchRules, TheRowDateLosesItsBracketedMark) {
    EXPECT_EQ(TableRowDate("2009/05/12 10:11:12(1)"), Date::FromParts(2009, 5, 12, 10, 11, 12));
    EXPECT_EQ(TableRowDate("2009/05/12 10:11:12"), Date::FromParts(2009, 5, 12, 10, 11, 12));
    EXPECT_EQ(TableRowDate("2009/05/12(x) 10:11"), Date::FromParts(2009, 5, 12, 10, 11, 0));
    EXPECT_FALSE(TableRowDate("").has_value());
    EXPECT_FALSE(TableRowDate("-----").has_value());
}

}  // namespace
}  // namespace mt52
