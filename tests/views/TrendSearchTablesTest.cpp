// The trend-search window's fill of its summary and table: the interval trend's 18-row summary
// with the STEL and TWA rows, the window's own status colours, the bar hole without a table and
// the kinds it does not show.
#include "platform/Colors.h"
#include "records/clsInterval.h"
#include "views/BrowseTable.h"
#include "views/IntervalTable.h"
#include "views/RecordModels.h"
#include "views/RecordTableFixture.h"
#include "views/ViewRecords.h"

namespace mt52 {
namespace {

using test::Describe;
using test::RowTexts;
using test::When;

constexpr Single N = -101;  // no event

class TrendSearchTables : public test::RecordTableTest {
protected:
    void SetUp() override {
        RecordTableTest::SetUp();
        clsInterval& record = records_.Interval();
        record.ClearDatas();
        test::Identify(record, "iv0520", When(20, 12, 0));
        record.Header().Last = When(20, 13, 0);
        Describe(record, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .avg = 2.5f, .max = 12.3f,
                             .maxDate = When(20, 12, 10), .warning = 10, .alarm = 50});
        Describe(record, 1, {.name = "O2", .full = 25, .point = 1, .unit = "%", .avg = 20.9f, .max = 21,
                             .maxDate = When(20, 12, 20), .min = 18, .minDate = When(20, 12, 30), .warning = 19.5f,
                             .alarm = 18});
        Describe(record, 2, {.name = "H2S", .full = 30, .point = 1, .unit = "ppm", .warning = 5, .alarm = 10});
        Describe(record, 3, {.name = "CO", .full = 500, .point = 0, .unit = "ppm", .warning = 25, .alarm = 50});
        Describe(record, 4, {.name = "CH4", .full = 5, .point = 2, .unit = "vol%", .enabled = false});
        for (Integer slot = 0; slot < 4; ++slot) {
            record.GasListInfo(slot, GasInfoField::Stel, Single(15 + slot));
            record.GasListInfo(slot, GasInfoField::Twa, Single(5 + slot));
        }
        // One sample, then one event on the second gas.
        record.DataCount(1);
        record.DateTimes(0, When(20, 12, 0));
        for (Integer g = 0; g < 5; ++g)
            record.GasValue(g, 0, g == 4 ? N : Single(1));
        record.EventCount(1);
        record.EventDateTimes(0, When(20, 12, 5));
    }
    void EventCode(Single code) {
        for (Integer g = 0; g < 5; ++g)
            records_.Interval().GasEvent(g, 0, g == 1 ? code : N);
    }

    ViewRecords records_;
};

TEST_F(TrendSearchTables, AnIntervalTrendGetsTheStelAndTwaRows) {
    EventCode(-103);
    ASSERT_EQ(FillTrendTables(1, records_, summary_, table_, {}), SummaryFill::Filled);
    ASSERT_EQ(summary_.Rows(), 18);
    EXPECT_EQ(summary_.TextMatrix(2, 1), "2024/05/20 12:00:00 to 2024/05/20 13:00:00");
    EXPECT_EQ(RowTexts(summary_, 6).mid(0, 2), QStringList({"Data Count", "2"}));
    EXPECT_EQ(RowTexts(summary_, 14), QStringList({"Warning", "10.0 %LEL", "19.5 %", "5.0 ppm", "25 ppm"}));
    // Only the third and fourth gas keep STEL and TWA levels; they get their units as well.
    EXPECT_EQ(RowTexts(summary_, 16), QStringList({"STEL", "*****", "*****", "17.0 ppm", "18 ppm"}));
    EXPECT_EQ(RowTexts(summary_, 17), QStringList({"TWA", "*****", "*****", "7.0 ppm", "8 ppm"}));
    for (int row = 0; row < 18; ++row)
        EXPECT_EQ(summary_.MergeRow(row), row <= 7) << row;
    // Every gas column shows; the summary's third and fourth merge equal cells down the column,
    // the interval table's do not.
    for (int col = 0; col < 5; ++col) {
        EXPECT_FALSE(summary_.ColHidden(col)) << col;
        EXPECT_EQ(summary_.MergeCol(col), col >= 3) << col;
    }
    ASSERT_EQ(table_.Rows(), 3);
    EXPECT_EQ(RowTexts(table_, 2).at(3), "WARNING");
    for (int col = 0; col < 6; ++col) {
        EXPECT_FALSE(table_.ColHidden(col)) << col;
        EXPECT_FALSE(table_.MergeCol(col)) << col;
    }
    EXPECT_EQ(RowTexts(table_, 1).mid(4), QStringList({"1.0 ppm", "1 ppm"}));

    // A gas not in use shows dashes for its levels.
    records_.Interval().GasListInfo(3, GasInfoField::Enable, false);
    FillTrendTables(1, records_, summary_, table_, {});
    EXPECT_EQ(RowTexts(summary_, 16).at(4), "-----");
}

// The window colours event cells as the data view does, except the codes -197 to -193.
TEST_F(TrendSearchTables, TheWindowsOwnStatusColours) {
    const struct {
        Single code;
        Long dataView;
        Long window;
    } cases[] = {
        {-193, RGB(160, 160, 0), 0},
        {-197, RGB(160, 160, 0), 0},
        {-104, RGB(255, 0, 0), RGB(255, 0, 0)},
        {-130, RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EventCode(c.code);
        FillIntervalTable(records_.Interval(), table_, summary_, {});
        EXPECT_EQ(table_.CellBackColor(2, 3), c.dataView);
        FillTrendTables(1, records_, summary_, table_, {});
        EXPECT_EQ(table_.CellBackColor(2, 3), c.window);
    }
}

TEST_F(TrendSearchTables, ABarHoleGetsTheSummaryAloneAndOtherKindsNothing) {
    EventCode(-103);
    table_.SetRows(4);
    table_.SetCols(2);
    table_.SetTextMatrix(3, 1, "kept");
    ASSERT_EQ(FillTrendTables(9, records_, summary_, table_, {}), SummaryFill::Filled);
    EXPECT_EQ(summary_.Rows(), 18);
    EXPECT_EQ(RowTexts(summary_, 6).mid(0, 2), QStringList({"-----", "-----"}));
    EXPECT_EQ(table_.TextMatrix(3, 1), "kept");

    for (int kind : {3, 5, 11}) {
        EXPECT_EQ(FillTrendTables(kind, records_, summary_, table_, {}), SummaryFill::Hidden) << kind;
        EXPECT_EQ(summary_.Rows(), 1);
        EXPECT_EQ(summary_.Cols(), 1);
        EXPECT_EQ(table_.TextMatrix(3, 1), "kept");
    }
}

}  // namespace
}  // namespace mt52
