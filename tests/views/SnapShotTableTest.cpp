// The snapshot table: one row with the reading as the instrument reported it.
#include "records/clsSnapShot.h"
#include "views/RecordTableFixture.h"
#include "views/SnapShotTable.h"

namespace mt52 {
namespace {

using test::RowTexts;

class SnapShotTable : public test::RecordTableTest {};

TEST_F(SnapShotTable, ShowsTheReportedReadingOrTheNoDataMarks) {
    struct Case {
        Single value;
        const char* reported;
        const char* reportedUnit;
        const char* shown;
    };
    for (const Case c : {Case{-101, "0", "%", "-----"}, Case{-118, "0", "%", "-----"}, Case{-121, "0", "%", "*****"},
                         Case{20.9f, "20.9", "%", "20.9%"}, Case{20.9f, "20.9", "", "20.9 %"},
                         Case{0, "", "", ""}}) {
        clsSnapShot record;
        record.GasListInfo(0, GasInfoField::Unit, "%");
        record.GasListInfo(0, SnapShotGasField::GasName, "O2");
        record.GasListInfo(0, SnapShotGasField::FullScale, "25.0");
        record.GasListInfo(0, SnapShotGasField::Unit, c.reportedUnit);
        record.GasListInfo(0, SnapShotGasField::gasval, c.reported);
        record.GasValue(0, c.value);
        record.GasBaseInfo(LogHeaderField::Dates, test::TimeAt(2024, 3, 5, 9, 15));
        FillSnapShotTable(record, table_);

        ASSERT_EQ(table_.Rows(), 2);
        ASSERT_EQ(table_.Cols(), 3);
        EXPECT_EQ(RowTexts(table_, 1),
                  (QStringList{"1", GeneralDate(test::TimeAt(2024, 3, 5, 9, 15)), c.shown}))
            << c.value << " " << c.reported << " " << c.reportedUnit;
    }
    EXPECT_EQ(table_.TextMatrix(0, 0), "No");
    EXPECT_EQ(table_.TextMatrix(0, 1), "Date/Time");
    EXPECT_EQ(table_.CellAlignment(1, 2), AlignCenterCenter);
    EXPECT_EQ(table_.CellAlignment(1, 1), AlignLeftCenter);
}

}  // namespace
}  // namespace mt52
