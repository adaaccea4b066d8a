// The summary grid of each record kind: property rows, the gas block of trends with its
// "no data" dashes, the first gas column's stand-in slot, units, and the grid's layout.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "records/clsHistory.h"
#include "records/clsSnapShot.h"
#include "views/RecordModels.h"
#include "views/RecordSummary.h"
#include "views/ViewRecords.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

using test::Describe;
using test::GasDescription;
using test::When;

class RecordSummaryTest : public test::RecordTableTest {
protected:
    QStringList Row(int row) const { return test::RowTexts(grid, row); }

    // An interval trend of combustible gas, oxygen and hydrogen sulphide (no data), the fourth
    // slot empty and not in use.
    void FillInterval(clsInterval& record) {
        test::Identify(record, "iv0520", When(20, 12, 0));
        record.Header().Last = When(20, 13, 0);
        record.DataCount(3);
        record.EventCount(2);
        Describe(record, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .avg = 2.5f, .max = 12.3f,
                             .maxDate = When(20, 12, 10), .warning = 10, .alarm = 50});
        Describe(record, 1, {.name = "O2", .full = 25, .point = 1, .unit = "%", .avg = 20.9f, .max = 21,
                             .maxDate = When(20, 12, 20), .min = 18, .minDate = When(20, 12, 30), .warning = 19.5f,
                             .alarm = 18});
        Describe(record, 2, {.name = "H2S", .full = 30, .point = 1, .unit = "ppm", .warning = 5, .alarm = 10});
        Describe(record, 3, {.enabled = false});
        Describe(record, 4, {.name = "CH4", .full = 5, .point = 2, .unit = "vol%", .enabled = false});
    }

    GridModel& grid = summary_;
};

TEST_F(RecordSummaryTest, IntervalTrendShowsItsPropertiesAndOneColumnPerGas) {
    clsInterval record;
    FillInterval(record);
    FillIntervalSummary(record, false, grid);

    ASSERT_EQ(grid.Rows(), 16);
    ASSERT_EQ(grid.Cols(), 5);
    EXPECT_EQ(Row(0), QStringList({"Property", "Value", "Value", "Value", "Value"}));
    EXPECT_EQ(grid.TextMatrix(1, 1), "iv0520");
    EXPECT_EQ(Row(2)[0], "Sampling Date/Time");
    EXPECT_EQ(grid.TextMatrix(2, 1), "2024/05/20 12:00:00 to 2024/05/20 13:00:00");
    EXPECT_EQ(grid.TextMatrix(3, 1), "SN1");
    EXPECT_EQ(grid.TextMatrix(4, 1), "ST1");
    EXPECT_EQ(grid.TextMatrix(5, 1), "U1");
    EXPECT_EQ(Row(6).mid(0, 2), QStringList({"Data Count", "5"}));  // samples and event rows
    EXPECT_EQ(Row(7).mid(0, 2), QStringList({"Interval Time (sec)", "10"}));

    EXPECT_EQ(Row(8), QStringList({"Gas", "CH4(100.0%LEL)", "O2(25.0%)", "H2S(30.0ppm)", "----(---)"}));
    EXPECT_EQ(Row(9), QStringList({"Avg", "2.5 %LEL", "20.9 %", "-----", "-----"}));
    EXPECT_EQ(Row(10), QStringList({"Max", "12.3 %LEL", "21.0 %", "-----", "-----"}));
    EXPECT_EQ(Row(11), QStringList({"Max Date/Time", "05/20 12:10:00", "05/20 12:20:00", "-----", "-----"}));
    EXPECT_EQ(Row(12), QStringList({"Min", "*****", "18.0 %", "*****", "*****"}));
    EXPECT_EQ(Row(13), QStringList({"Min Date/Time", "*****", "05/20 12:30:00", "*****", "*****"}));
    // A slot without data still shows its alarm levels; a slot not in use shows dashes.
    EXPECT_EQ(Row(14), QStringList({"Warning", "10.0 %LEL", "19.5 %", "5.0 ppm", "-----"}));
    EXPECT_EQ(Row(15), QStringList({"Alarm", "50.0 %LEL", "18.0 %", "10.0 ppm", "-----"}));

    EXPECT_TRUE(grid.ColHidden(3));
    EXPECT_TRUE(grid.ColHidden(4));
    EXPECT_FALSE(grid.ColHidden(2));
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(grid.MergeRow(row), row <= 7) << row;
    EXPECT_EQ(grid.CellBackColor(8, 1), 224 + 224 * 256 + 224 * 65536);
    EXPECT_EQ(grid.CellBackColor(9, 1), 0);
    EXPECT_EQ(grid.CellAlignment(0, 1), AlignCenterCenter);
    EXPECT_EQ(grid.CellAlignment(3, 1), AlignLeftCenter);
    EXPECT_EQ(grid.CellAlignment(9, 2), AlignCenterCenter);
    EXPECT_EQ(grid.CellAlignment(11, 2), AlignLeftCenter);
}

TEST_F(RecordSummaryTest, TheFirstGasColumnShowsTheOtherUnitWhenTheSensorHasNoDataOrItPeaked) {
    struct Case {
        const char* what;
        Single max0;
        Single max4;
        QStringList caption8;  // columns 0 and 1 of row 8
        QString avg;
        QString max;
    };
    const Case cases[] = {
        {"slot 0 without data, slot 4 with", NoDataReading, 1.25f, {"Gas", "CH4(5.00vol%)"}, "0.50 vol%", "1.25 vol%"},
        {"both with data, slot 4 above 0", 12.3f, 1.25f, {"Gas", "CH4(100.0%LEL)"}, "2.5 %LEL", "1.25 vol%"},
        {"both with data, slot 4 at 0", 12.3f, 0, {"Gas", "CH4(100.0%LEL)"}, "2.5 %LEL", "12.3 %LEL"},
        {"a maximum beyond the full scale", 120, NoDataReading, {"Gas", "CH4(100.0%LEL)"}, "2.5 %LEL", "OVER"},
    };
    for (const Case& c : cases) {
        clsInterval record;
        FillInterval(record);
        record.GasListInfo(0, GasInfoField::Max, c.max0);
        Describe(record, 4, {.name = "CH4", .full = 5, .point = 2, .unit = "vol%", .enabled = false, .avg = 0.5f,
                             .max = c.max4, .maxDate = When(20, 12, 40)});
        FillIntervalSummary(record, false, grid);
        EXPECT_EQ(Row(8).mid(0, 2), c.caption8) << c.what;
        EXPECT_EQ(grid.TextMatrix(9, 1), c.avg) << c.what;
        EXPECT_EQ(grid.TextMatrix(10, 1), c.max) << c.what;
        // The levels always come from the first sensor's own slot.
        EXPECT_EQ(grid.TextMatrix(14, 1), "10.0 %LEL") << c.what;
    }
}

TEST_F(RecordSummaryTest, AMissingEndAndABarHoleRecordShowWhatIsNotThere) {
    clsInterval record;
    FillInterval(record);
    record.Header().Last = InvalidDateMark;
    FillIntervalSummary(record, true, grid);
    EXPECT_EQ(grid.TextMatrix(2, 1), "2024/05/20 12:00:00 to ");
    EXPECT_EQ(Row(6), QStringList({"-----", "-----", "-----", "-----", "-----"}));
}

TEST_F(RecordSummaryTest, AlarmTrendShowsItsAlarmMomentAndTheAlarmLevels) {
    clsAlarm record;
    test::Identify(record, "al0520", When(20, 9, 30));
    record.DataCount(720);
    Describe(record, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .warning = 10, .alarm = 50});
    Describe(record, 1, {.name = "O2", .full = 25, .point = 1, .unit = "%", .warning = 19.5f, .alarm = 18});
    Describe(record, 2, {.enabled = false});
    Describe(record, 3, {.enabled = false});
    FillAlarmSummary(record, grid);

    ASSERT_EQ(grid.Rows(), 11);
    EXPECT_EQ(Row(2).mid(0, 2), QStringList({"Alarm Date/Time", "2024/05/20 09:30:00"}));
    EXPECT_EQ(Row(6).mid(0, 2), QStringList({"Data Count", "720"}));
    EXPECT_EQ(Row(8), QStringList({"Gas", "CH4(100.0%LEL)", "O2(25.0%)", "----(---)", "----(---)"}));
    EXPECT_EQ(Row(9), QStringList({"Warning", "10.0 %LEL", "19.5 %", "-----", "-----"}));
    EXPECT_EQ(Row(10), QStringList({"Alarm", "50.0 %LEL", "18.0 %", "-----", "-----"}));
    EXPECT_TRUE(grid.ColHidden(3));
    EXPECT_TRUE(grid.MergeRow(7));
    EXPECT_FALSE(grid.MergeRow(8));
}

TEST_F(RecordSummaryTest, HistoriesEventsAndSnapshotsShowTheirIdentity) {
    // A trend summary first: nothing of its layout may stay.
    clsInterval trend;
    FillInterval(trend);
    FillIntervalSummary(trend, false, grid);

    clsHistory history;
    test::Identify(history, "ch0520", When(21, 8, 0));
    FillPropertySummary(history, false, grid);
    ASSERT_EQ(grid.Rows(), 5);
    ASSERT_EQ(grid.Cols(), 2);
    EXPECT_EQ(Row(0), QStringList({"Property", "Value"}));
    EXPECT_EQ(Row(1), QStringList({"Serial No.", "SN1"}));
    EXPECT_EQ(Row(2), QStringList({"Station ID", "ST1"}));
    EXPECT_EQ(Row(3), QStringList({"User ID", "U1"}));
    EXPECT_EQ(Row(4), QStringList({"Last Download", "2024/05/21 08:00:00"}));
    EXPECT_FALSE(grid.MergeRow(0));
    EXPECT_EQ(grid.CellBackColor(1, 1), 0);

    clsSnapShot snapshot;
    test::Identify(snapshot, "ss0522", When(22, 7, 15));
    FillPropertySummary(snapshot, true, grid);
    ASSERT_EQ(grid.Rows(), 6);
    EXPECT_EQ(Row(1), QStringList({"Name", "ss0522"}));
    EXPECT_EQ(Row(2), QStringList({"Sampling Date/Time", "2024/05/22 07:15:00"}));
    EXPECT_EQ(Row(5), QStringList({"User ID", "U1"}));
}

TEST_F(RecordSummaryTest, KindsWithoutASummaryHideItOrLeaveItToTheirTable) {
    ViewRecords records;
    FillInterval(records.Interval());
    EXPECT_EQ(FillRecordSummary(1, records, grid), SummaryFill::Filled);
    EXPECT_EQ(FillRecordSummary(8, records, grid), SummaryFill::ByTable);
    EXPECT_EQ(grid.Rows(), 16);  // untouched
    EXPECT_EQ(FillRecordSummary(4, records, grid), SummaryFill::Hidden);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
}

}  // namespace
}  // namespace mt52
