// The alarm-trend table: one row per sample with units, the vol% reading standing in for an
// over-range %LEL reading, the alarm moment in red and scrolled into the middle of the view.
#include "platform/Colors.h"
#include "records/clsAlarm.h"
#include "views/AlarmTable.h"
#include "views/RecordTableFixture.h"

namespace mt52 {
namespace {

using test::RowTexts;
using test::TimeAt;

constexpr Long Red = RGB(255, 0, 0);

class AlarmTable : public test::RecordTableTest {
protected:
    void SetUp() override {
        RecordTableTest::SetUp();
        record_.ClearDatas();
        test::SetGas(record_, 0, {"CH4", 100, 0, "%LEL", true, 5});
        test::SetGas(record_, 1, {"O2", 25, 1, "%", true, 0});
        test::SetGas(record_, 2, {"H2S", 30, 1, "ppm", false, 0});
        test::SetGas(record_, 3, {"CO", 500, 0, "ppm", false, 0});
        test::SetGas(record_, 4, {"CH4", 5, 1, "vol%", true, 5});
    }

    // `count` samples a second apart, every gas reading 1.
    void Samples(int count) {
        record_.DataCount(count);
        for (int i = 0; i < count; ++i) {
            record_.DateTimes(i, start_.addSeconds(i));
            for (Integer g = 0; g < 5; ++g)
                record_.value(g, i, 1);
        }
    }

    const Date start_ = TimeAt(2024, 3, 5, 9, 0, 0);
    clsAlarm record_;
};

TEST_F(AlarmTable, ListsEverySampleWithItsUnitsAndMarksTheAlarmMomentInTheMiddle) {
    Samples(720);
    record_.value(1, 0, 20.9f);
    record_.value(2, 0, -101);
    FillAlarmTable(record_, table_, 20);

    ASSERT_EQ(table_.Rows(), 721);
    EXPECT_EQ(RowTexts(table_, 0),
              (QStringList{"No", "Date/Time", "CH4(100%LEL)", "O2(25.0%)", "H2S(30.0ppm)", "CO(500ppm)"}));
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", GeneralDate(start_), "1 %LEL", "20.9 %", "-----", "1 ppm"}));
    EXPECT_EQ(table_.TextMatrix(720, 0), "720");
    EXPECT_TRUE(table_.ColHidden(4) && table_.ColHidden(5));

    EXPECT_EQ(table_.CellBackColor(361, 0), 0);
    for (int col = 1; col < 6; ++col)
        EXPECT_EQ(table_.CellBackColor(361, col), Red) << col;
    EXPECT_EQ(table_.CellBackColor(360, 1), 0);
    EXPECT_EQ(table_.CellBackColor(362, 1), 0);
    // Twenty rows from 352: row 361 is the tenth.
    EXPECT_EQ(table_.TopRow(), 352);
    EXPECT_EQ(table_.ColAlignment(0), AlignCenterCenter);
    EXPECT_EQ(table_.ColAlignment(1), AlignLeftCenter);
}

TEST_F(AlarmTable, AShortTrendHasNoRedRowAndEndsAtItsLastRows) {
    Samples(361);
    FillAlarmTable(record_, table_, 20);

    ASSERT_EQ(table_.Rows(), 362);
    EXPECT_EQ(table_.CellBackColor(361, 1), Red);

    Samples(360);
    FillAlarmTable(record_, table_, 20);
    ASSERT_EQ(table_.Rows(), 361);
    for (int row = 1; row < table_.Rows(); ++row)
        ASSERT_EQ(table_.CellBackColor(row, 1), 0) << row;
    EXPECT_EQ(table_.TopRow(), 341);

    Samples(10);
    FillAlarmTable(record_, table_, 20);
    EXPECT_EQ(table_.TopRow(), 1);
}

TEST_F(AlarmTable, AnOverRangeReadingShowsTheVolReadingWhenThatIsWithinItsRange) {
    struct Case {
        bool slot0Enabled;
        Single lel;
        Single vol;
        const char* shown;
    };
    for (const Case c : {Case{true, 100, 2.5f, "2.5 vol%"}, Case{true, 120, 0, "OVER"}, Case{true, 120, 6, "OVER"},
                         Case{false, 120, 2.5f, "OVER"}, Case{true, 99, 2.5f, "99 %LEL"}}) {
        test::SetGas(record_, 0, {"CH4", 100, 0, "%LEL", c.slot0Enabled, 5});
        Samples(1);
        record_.value(0, 0, c.lel);
        record_.value(4, 0, c.vol);
        FillAlarmTable(record_, table_, 20);
        EXPECT_EQ(table_.TextMatrix(1, 2), c.shown) << c.lel << " / " << c.vol;
    }
}

}  // namespace
}  // namespace mt52
