// The calibration-history and bump-test tables: a block of rows per item, grey reading rows,
// units on numbers, words at the left, and the hidden columns of a calibration history.
#include "platform/Colors.h"
#include "records/clsHistory.h"
#include "views/HistoryTables.h"
#include "views/RecordTableFixture.h"

namespace mt52 {
namespace {

using test::RowTexts;
using test::TimeAt;

constexpr Long Grey = RGB(240, 240, 240);

class HistoryTables : public test::RecordTableTest {
protected:
    void SetUp() override {
        RecordTableTest::SetUp();
        record_.ClearDatas();
        test::SetGas(record_, 0, {"CH4", 100, 1, "%LEL"});
        test::SetGas(record_, 1, {"O2", 25, 1, "%"});
        test::SetGas(record_, 4, {"CO", 500, 0, "ppm"});
    }

    // Items newest first, one an hour; every slot's readings -101 unless set.
    void Items(int count) {
        record_.DataCount(static_cast<Integer>(count));
        for (Integer i = 0; i < count; ++i) {
            record_.Dates(i, first_.addSeconds(-3600.0 * i));
            for (Integer g = 0; g < 5; ++g) {
                record_.Before(g, i, -101);
                record_.After(g, i, -101);
                record_.Judge(g, i, 0);
            }
        }
    }

    const Date first_ = TimeAt(2024, 3, 5, 12, 0, 0);
    clsHistory record_;
};

TEST_F(HistoryTables, ACalibrationHistoryShowsBeforeAndAfterRowsPerItem) {
    Items(3);
    record_.Before(0, 0, 1.5f);
    record_.After(0, 0, 50);
    record_.Before(1, 0, -170);  // CAL ON
    record_.After(4, 0, 100);
    FillHistoryTable(record_, false, table_);

    ASSERT_EQ(table_.Rows(), 7);
    ASSERT_EQ(table_.Cols(), 8);
    EXPECT_EQ(RowTexts(table_, 0),
              (QStringList{"No", "Date/Time", "", "CH4(100.0%LEL)", "O2(25.0%)", "----(---)", "----(---)", "CO(500ppm)"}));
    EXPECT_EQ(RowTexts(table_, 1),
              (QStringList{"1", GeneralDate(first_), "Before", "1.5 %LEL", "CAL ON", "-----", "-----", "-----"}));
    EXPECT_EQ(RowTexts(table_, 2), (QStringList{"", "", "After", "50.0 %LEL", "-----", "-----", "-----", "100 ppm"}));
    EXPECT_EQ(RowTexts(table_, 5).mid(0, 3), (QStringList{"3", GeneralDate(first_.addSeconds(-7200)), "Before"}));
    EXPECT_TRUE(table_.ColHidden(5) && table_.ColHidden(6));
    EXPECT_FALSE(table_.ColHidden(7));

    for (int row = 1; row < 7; ++row) {
        EXPECT_EQ(table_.CellBackColor(row, 0), 0) << row;
        EXPECT_EQ(table_.CellBackColor(row, 1), row % 2 ? Grey : 0) << row;
        EXPECT_EQ(table_.CellBackColor(row, 7), row % 2 ? Grey : 0) << row;
    }
    EXPECT_EQ(table_.CellAlignment(1, 4), AlignLeftCenter);    // a word
    EXPECT_EQ(table_.CellAlignment(1, 3), AlignCenterCenter);  // a number
    EXPECT_EQ(table_.CellAlignment(1, 5), AlignCenterCenter);  // no data
    EXPECT_EQ(table_.CellAlignment(1, 2), AlignLeftCenter);
    EXPECT_EQ(table_.CellAlignment(0, 2), AlignCenterCenter);
}

TEST_F(HistoryTables, ABumpTestAddsAJudgeRowAndHidesNoColumn) {
    Items(2);
    record_.Before(0, 0, 48);
    record_.After(0, 0, 50);
    record_.Judge(0, 0, 2);
    record_.Judge(1, 0, 1);
    record_.Judge(0, 1, 0);
    table_.SetCols(8);
    table_.SetColHidden(5, true);  // left by a calibration history shown before
    FillHistoryTable(record_, true, table_);

    ASSERT_EQ(table_.Rows(), 7);
    EXPECT_EQ(RowTexts(table_, 1).mid(0, 4), (QStringList{"1", GeneralDate(first_), "Test Result", "48.0 %LEL"}));
    EXPECT_EQ(RowTexts(table_, 2).mid(0, 4), (QStringList{"", "", "Concentration", "50.0 %LEL"}));
    EXPECT_EQ(RowTexts(table_, 3).mid(0, 5), (QStringList{"", "", "Judge", "PASS", "FAIL"}));
    EXPECT_EQ(table_.TextMatrix(6, 3), "-----");
    EXPECT_EQ(table_.CellAlignment(3, 3), AlignLeftCenter);
    EXPECT_EQ(table_.CellAlignment(6, 3), AlignCenterCenter);
    for (int row = 1; row < 7; ++row)
        EXPECT_EQ(table_.CellBackColor(row, 3), row % 3 ? Grey : 0) << row;
    for (int col = 0; col < 8; ++col)
        EXPECT_FALSE(table_.ColHidden(col)) << col;
}

TEST_F(HistoryTables, AnEmptyHistoryShowsItsCentredHeadingAlone) {
    FillHistoryTable(record_, false, table_);
    ASSERT_EQ(table_.Rows(), 1);
    EXPECT_EQ(table_.TextMatrix(0, 0), "No");
    EXPECT_EQ(table_.CellAlignment(0, 1), AlignCenterCenter);
    EXPECT_TRUE(table_.ColHidden(5) && table_.ColHidden(6));
}

}  // namespace
}  // namespace mt52
