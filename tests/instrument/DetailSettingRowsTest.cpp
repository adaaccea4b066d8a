#include "instrument/DetailSettingRows.h"

#include "common/ResText.h"
#include "instrument/clsInstrument.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class DetailSettingRowsTest : public ::testing::Test {
protected:
    void SetUp() override { TextTables::instance().forceLanguage(Language::English); }
    void TearDown() override { TextTables::instance().reset(); }
};

TEST_F(DetailSettingRowsTest, CellTextShowsTheItemAtTheModelValue) {
    struct Case {
        int row;
        Long value;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, "Reset"},   {1, 1, "Latch"},  {2, 1, "On"},     {3, 180, "180"},
        {5, 0, "Confirm to use"}, {5, 1, "Can't use"},
        {5, 2, "None"},  // the empty item is skipped when the list is split
        {5, 3, ""},      {6, 0, "Auto"},   {6, 2, "vol"},    {7, 1, "L-LL"},
        {12, 3, "90"},   {12, 4, ""},      {13, 4, "50"},    {14, 1, "120"},
        {17, 2, "60"},   {20, -1, ""},     {21, 70000, "70000"},
    };
    for (const Case& c : cases) {
        clsInstrument instrument;
        SetDetailSettingValue(instrument, c.row, c.value);
        EXPECT_EQ(DetailCellText(instrument, c.row), QString::fromUtf8(c.text)) << "row " << c.row;
    }
}

TEST_F(DetailSettingRowsTest, CellTextConvertsBackToTheStoredValue) {
    struct Case {
        int row;
        const char* text;
        Integer value;
    };
    const Case cases[] = {
        {1, "Reset", 0},  {1, " reset ", 0}, {1, "Latch", 1},  {1, "", 1},
        {2, "OFF", 0},    {2, "On", 1},      {2, "", 1},
        {5, "Confirm to use", 0}, {5, "Can't use", 1}, {5, "None", 2}, {5, "", 2},
        {6, "auto", 0},   {6, "LEL", 1},     {6, "Vol", 2},    {6, "", 1},
        {7, "H-L", 0},    {7, "L-LL", 1},    {7, "", 1},
        {12, "30", 0},    {12, "90", 3},     {12, "75", 0},    {12, "", 0},
        {13, "50", 4},    {14, "120", 1},    {17, "45", 1},
        {3, "100", -1},   {9, "10", -1},     {21, "5", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellToSettingValue(c.row, QString::fromUtf8(c.text)), c.value) << c.row << " '" << c.text << "'";
}

TEST_F(DetailSettingRowsTest, TypedRowsTakeDigitsInTheirRangeOnly) {
    struct Case {
        int row;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {3, "1", true},   {3, "365", true},  {3, "0", false},   {3, "366", false},
        {3, "", false},   {3, "   ", false}, {3, "1a", false},  {3, "99999999999", false},
        {9, "0", true},   {9, "60", true},   {9, "61", false},  {9, "-1", false},
        {2, "On", true},  {2, " ", false},   {5, "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AcceptSettingEntry(c.row, QString::fromUtf8(c.text)), c.accepted) << c.row << " '" << c.text << "'";

    EXPECT_TRUE(ValidateCellText(3, QString()));
    EXPECT_TRUE(ValidateCellText(9, QStringLiteral("042")));
    EXPECT_FALSE(ValidateCellText(9, QStringLiteral("4x")));
    EXPECT_TRUE(ValidateCellText(2, QStringLiteral("x")));
}

TEST_F(DetailSettingRowsTest, ApplyTouchesOnlyTheRowsWhoseTextChanged) {
    clsInstrument work;
    work.BumpTime(7);  // no item in its list: the cell shows empty
    work.LcdBackLight(30);
    work.AlarmOnOff(1);
    work.ClearChangeFlags();

    const DetailCellTexts filled = DetailCellTextsOf(work);
    EXPECT_EQ(filled[12], QString());

    // Untouched: nothing is set, not even the row whose value has no item.
    ApplyDetailCellTexts(work, filled, filled);
    EXPECT_EQ(work.BumpTime(), 7);
    EXPECT_FALSE(work.Change_BumpTime());

    DetailCellTexts now = filled;
    now[10] = QStringLiteral("Off");
    now[9] = QStringLiteral("030");  // another text for the same value
    ApplyDetailCellTexts(work, filled, now);
    EXPECT_EQ(work.AlarmOnOff(), 0);
    EXPECT_TRUE(work.Change_AlarmOnOff());
    EXPECT_FALSE(work.Change_LcdBackLight());
    EXPECT_FALSE(work.Change_BumpTime());
    EXPECT_EQ(work.BumpTime(), 7);
}

}  // namespace
}  // namespace mt52
