// The interval-trend table: samples and events in time order with their texts, units and
// status colours, unit-change events, "Event Only", the events that end the listing, slot 4's
// events in the first gas column and a record of more rows than a 16-bit counter holds.
#include "platform/Colors.h"
#include "records/clsInterval.h"
#include "views/IntervalTable.h"
#include "views/RecordTables.h"
#include "views/RecordTableFixture.h"

#include <array>

namespace mt52 {
namespace {

using test::RowTexts;
using test::TimeAt;
using Readings = std::array<Single, 5>;

constexpr Single N = -101;  // no data / no event
constexpr Long Orange = RGB(255, 128, 0);
constexpr Long Red = RGB(255, 0, 0);

class IntervalTable : public test::RecordTableTest {
protected:
    void SetUp() override {
        RecordTableTest::SetUp();
        record_.ClearDatas();
        test::SetGas(record_, 0, {"CH4", 100, 0, "%LEL", true, 5});
        test::SetGas(record_, 1, {"O2", 25, 1, "%", true, 0});
        test::SetGas(record_, 2, {"H2S", 30, 1, "ppm", true, 0});
        test::SetGas(record_, 3, {"CO", 500, 0, "ppm", true, 0});
        test::SetGas(record_, 4, {"CH4", 100, 1, "VOL", true, 0});
        record_.GasBaseInfo(LogHeaderField::Dates, start_);
        summary_.SetCols(5);
        summary_.SetRows(16);
    }

    Date At(int seconds) const { return start_.addSeconds(seconds); }
    void AddSample(int seconds, Readings values) {
        const Long i = record_.DataCount();
        record_.DataCount(i + 1);
        record_.DateTimes(i, At(seconds));
        for (Integer g = 0; g < 5; ++g)
            record_.GasValue(g, i, values[static_cast<std::size_t>(g)]);
    }
    void AddEvent(int seconds, Readings codes) {
        const Long e = record_.EventCount();
        record_.EventCount(e + 1);
        record_.EventDateTimes(e, At(seconds));
        for (Integer g = 0; g < 5; ++g)
            record_.GasEvent(g, e, codes[static_cast<std::size_t>(g)]);
    }
    void Fill() { FillIntervalTable(record_, table_, summary_, options_); }
    QString Time(int seconds) const { return GeneralDate(At(seconds)); }

    const Date start_ = TimeAt(2024, 3, 5, 9, 0, 0);
    clsInterval record_;
    RecordTableOptions options_;
};

TEST_F(IntervalTable, ListsSamplesAndEventsInTimeOrderWithUnitsAndStatusColours) {
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddSample(10, {120, 20.8f, 1.5f, 3, N});
    AddSample(20, {7, 20.9f, 0, 0, N});
    AddEvent(10, {N, -103, N, -130, N});  // after the sample of the same second
    Fill();

    ASSERT_EQ(table_.Rows(), 5);
    EXPECT_EQ(RowTexts(table_, 0),
              (QStringList{"No", "Date/Time", "CH4(100%LEL)", "O2(25.0%)", "H2S(30.0ppm)", "CO(500ppm)"}));
    EXPECT_TRUE(table_.ColHidden(4));
    EXPECT_TRUE(table_.ColHidden(5));
    EXPECT_FALSE(table_.ColHidden(3));
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", Time(0), "5 %LEL", "20.9 %", "0.0 ppm", "0 ppm"}));
    EXPECT_EQ(RowTexts(table_, 2), (QStringList{"2", Time(10), "OVER", "20.8 %", "1.5 ppm", "3 ppm"}));
    EXPECT_EQ(RowTexts(table_, 3), (QStringList{"3", Time(10), "-----", "WARNING", "-----", "Fail(Air)"}));
    EXPECT_EQ(RowTexts(table_, 4).at(0), "4");

    // Event cells are coloured by status and stand at the left; the rest stay centred.
    EXPECT_EQ(table_.CellBackColor(3, 3), Orange);
    EXPECT_EQ(table_.CellBackColor(3, 5), RGB(128, 128, 128));
    EXPECT_EQ(table_.CellBackColor(3, 2), 0);
    EXPECT_EQ(table_.CellAlignment(3, 3), AlignLeftCenter);
    EXPECT_EQ(table_.CellAlignment(3, 2), AlignCenterCenter);
    EXPECT_EQ(table_.CellAlignment(1, 1), AlignLeftCenter);
    EXPECT_EQ(table_.CellAlignment(0, 1), AlignCenterCenter);
    EXPECT_EQ(RowTexts(summary_, 6), (QStringList{"Data Count", "4", "4", "4", "4"}));
}

TEST_F(IntervalTable, EventOnlyListsTheEventsNumberedFromOne) {
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddEvent(5, {-104, N, N, N, N});
    AddSample(10, {6, 20.9f, 0, 0, N});
    AddEvent(15, {-102, N, N, N, N});
    options_.eventOnly = true;
    Fill();

    ASSERT_EQ(table_.Rows(), 3);
    EXPECT_EQ(RowTexts(table_, 1).mid(0, 3), (QStringList{"1", Time(5), "ALARM"}));
    EXPECT_EQ(table_.CellBackColor(1, 2), Red);
    EXPECT_EQ(RowTexts(table_, 2).mid(0, 3), (QStringList{"2", Time(15), "NORMAL"}));
}

TEST_F(IntervalTable, UnitEventsSwitchTheFirstGasColumnAndAreLeftOutOfTheListAndCount) {
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddEvent(5, {-174, N, N, N, N});  // to ppm
    AddSample(10, {N, 20.9f, 0, 0, 25});
    AddEvent(15, {-175, N, N, N, N});  // to vol%
    AddSample(20, {N, 20.9f, 0, 0, 2.5f});
    AddEvent(25, {-173, N, N, N, N});  // back to %LEL
    AddSample(30, {6, 20.9f, 0, 0, N});
    Fill();

    ASSERT_EQ(table_.Rows(), 5);
    EXPECT_EQ(table_.TextMatrix(1, 2), "5 %LEL");
    EXPECT_EQ(table_.TextMatrix(2, 2), "25.0 ppm");    // slot 4's reading, slot 0's ratio names the unit
    EXPECT_EQ(table_.TextMatrix(3, 2), "2.5 VOL");    // slot 4's reading with slot 4's unit
    EXPECT_EQ(table_.TextMatrix(4, 2), "6 %LEL");
    EXPECT_EQ(table_.TextMatrix(4, 0), "4");
    EXPECT_EQ(summary_.TextMatrix(6, 1), "4");
}

TEST_F(IntervalTable, DebugModeListsAndCountsUnitEvents) {
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddEvent(5, {-174, N, N, N, N});
    options_.debugMode = true;
    Fill();

    ASSERT_EQ(table_.Rows(), 3);
    EXPECT_EQ(RowTexts(table_, 2).mid(0, 4), (QStringList{"2", Time(5), "ppm", "-----"}));
    EXPECT_EQ(table_.CellBackColor(2, 2), 0);
    EXPECT_EQ(summary_.TextMatrix(6, 1), "2");
}

TEST_F(IntervalTable, AUnitEventWithARealEventIsListedWithTheUnitCellBlank) {
    AddEvent(5, {-174, -104, N, N, N});
    Fill();

    ASSERT_EQ(table_.Rows(), 2);
    EXPECT_EQ(RowTexts(table_, 1).mid(2, 2), (QStringList{"-----", "ALARM"}));
}

TEST_F(IntervalTable, AnInstrumentFailureEndsTheListingAndThePeriod) {
    record_.Header().Last = At(100);
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddSample(10, {6, 20.9f, 0, 0, N});
    AddEvent(10, {N, -151, N, N, N});  // Fail(Li-ion)
    AddSample(20, {7, 20.9f, 0, 0, N});
    AddEvent(30, {-104, N, N, N, N});
    Fill();

    // The rows are sized for every item; those after the failure stay empty.
    ASSERT_EQ(table_.Rows(), 6);
    EXPECT_EQ(RowTexts(table_, 3).mid(0, 4), (QStringList{"3", Time(10), "-----", "Fail(Li-ion)"}));
    EXPECT_EQ(RowTexts(table_, 4), QStringList(6, QString()));
    EXPECT_EQ(RowTexts(table_, 5), QStringList(6, QString()));
    EXPECT_EQ(summary_.TextMatrix(2, 1), GeneralDate(start_) + " to " + Time(10));
    EXPECT_EQ(summary_.TextMatrix(2, 4), summary_.TextMatrix(2, 1));
    EXPECT_EQ(summary_.TextMatrix(6, 1), "5");
}

TEST_F(IntervalTable, APeriodWithoutEndIsLeftAsTheSummaryWroteIt) {
    summary_.SetTextMatrix(2, 1, "as written");
    AddSample(0, {5, 20.9f, 0, 0, N});
    AddEvent(5, {-150, N, N, N, N});
    AddSample(10, {6, 20.9f, 0, 0, N});
    Fill();

    EXPECT_EQ(table_.TextMatrix(3, 0), "");
    EXPECT_EQ(summary_.TextMatrix(2, 1), "as written");
}

TEST_F(IntervalTable, ASensorFailureEndsTheListingOnlyAfterTheFirstSampleRow) {
    AddEvent(0, {-132, N, N, N, N});
    AddSample(10, {5, 20.9f, 0, 0, N});
    AddEvent(20, {-132, N, N, N, N});
    AddSample(30, {6, 20.9f, 0, 0, N});
    Fill();

    EXPECT_EQ(table_.TextMatrix(1, 2), "Fail(Sen.)");
    EXPECT_EQ(table_.TextMatrix(2, 2), "5 %LEL");
    EXPECT_EQ(table_.TextMatrix(3, 2), "Fail(Sen.)");
    EXPECT_EQ(table_.TextMatrix(4, 0), "");
}

TEST(Fix001, ListsOnPastEveryCodeButTheEndingFailures) {
    struct Case {
        Single code;
        Long sampleRows;
        bool goesOn;
    };
    for (const Case c : {Case{-132, 0, true}, Case{-132, 5, false}, Case{-152, 3, true}, Case{-150, 0, false},
                         Case{-151, 2, false}, Case{-157, 0, false}, Case{-101, 7, true}, Case{-104, 1, true}})
        EXPECT_EQ(fix001(c.code, c.sampleRows), c.goesOn) << c.code << " after " << c.sampleRows;
}

TEST_F(IntervalTable, Slot4EventsShowInTheFirstGasColumn) {
    AddEvent(0, {N, N, N, N, -104});      // slot 4 alone
    AddEvent(10, {-104, N, N, N, -103});  // a gas state joins the event there
    AddEvent(20, {-104, N, N, N, -170});  // a calibration event does not
    Fill();

    EXPECT_EQ(table_.TextMatrix(1, 2), "ALARM <VOL>");
    EXPECT_EQ(table_.CellBackColor(1, 2), Red);
    EXPECT_EQ(table_.TextMatrix(2, 2), "ALARM/WARNING <VOL>");
    EXPECT_EQ(table_.TextMatrix(3, 2), "ALARM");
}

TEST_F(IntervalTable, TheHeadingFollowsTheSummarysFirstGasSlot) {
    options_.firstGasSlot = 4;
    Fill();
    EXPECT_EQ(table_.TextMatrix(0, 2), "CH4(100.0VOL)");
    ASSERT_EQ(table_.Rows(), 1);
}

TEST_F(IntervalTable, ARecordOfMoreRowsThanA16BitCounterIsListedWhole) {
    constexpr int Samples = 33000;
    record_.DataCount(Samples);
    for (Long i = 0; i < Samples; ++i) {
        record_.DateTimes(i, At(static_cast<int>(i) * 10));
        for (Integer g = 0; g < 5; ++g)
            record_.GasValue(g, i, Single(1));
    }
    AddEvent(Samples * 10, {-103, N, N, N, N});
    Fill();

    ASSERT_EQ(table_.Rows(), Samples + 2);
    EXPECT_EQ(table_.TextMatrix(32768, 0), "32768");
    EXPECT_EQ(table_.TextMatrix(Samples + 1, 0), QString::number(Samples + 1));
    EXPECT_EQ(table_.TextMatrix(Samples + 1, 2), "WARNING");
    EXPECT_EQ(table_.CellBackColor(Samples + 1, 2), Orange);
    // Beyond 5400 rows the coloured cells keep the column's alignment, unless condensed.
    EXPECT_EQ(table_.CellAlignment(Samples + 1, 2), AlignCenterCenter);
    options_.condensed = true;
    Fill();
    EXPECT_EQ(table_.CellAlignment(Samples + 1, 2), AlignLeftCenter);
}

}  // namespace
}  // namespace mt52
