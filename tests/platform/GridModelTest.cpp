#include "platform/GridModel.h"

#include "platform/Colors.h"
#include "platform/RuntimeError.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

void FillRow(GridModel& g, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        g.SetTextMatrix(row, c, texts[c]);
}

TEST(GridModel, SizeTextsAndCaptionRow) {
    GridModel g;
    g.SetRows(3);
    g.SetCols(2);
    g.SetTextMatrix(1, 1, QStringLiteral("kept"));
    g.SetCols(4);
    g.SetRows(5);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(g.TextMatrix(4, 3), QString());
    g.SetRows(1);
    g.SetRows(3);
    EXPECT_EQ(g.TextMatrix(1, 1), QString());  // a removed row comes back empty

    EXPECT_EQ(ErrorOf([&] { g.TextMatrix(3, 0); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { g.SetTextMatrix(0, -1, QString()); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { g.SetCellBackColor({0, 0, 9, 0}, 1); }), ErrSubscript);

    g.SetFormatString(QStringLiteral("Gas|Use|Auto Cal.|Current Reading"));
    EXPECT_EQ(g.Cols(), 4);
    EXPECT_EQ(g.TextMatrix(0, 2), QStringLiteral("Auto Cal."));
    EXPECT_EQ(g.TextMatrix(0, 3), QStringLiteral("Current Reading"));

    // The current cell is what Text and the one-argument cell members work on.
    g.SetCurrentCell(2, 1);
    g.SetText(QStringLiteral("here"));
    g.SetCellBackColor(RGB(224, 224, 224));
    EXPECT_EQ(g.TextMatrix(2, 1), QStringLiteral("here"));
    EXPECT_EQ(g.CellBackColor(2, 1), RGB(224, 224, 224));
}

TEST(GridModel, ClearEmptiesCellsButKeepsColumnsAndMergeSwitches) {
    GridModel g;
    g.SetRows(2);
    g.SetCols(2);
    g.SetTextMatrix(1, 1, QStringLiteral("x"));
    g.SetCellBackColor(1, 1, RGB(255, 0, 0));
    g.SetCellChecked(1, 0, Checked);
    g.SetColAlignment(1, AlignCenterCenter);
    g.SetColWidth(1, 2000);
    g.SetMergeRow(0, true);

    g.Clear(GridClear::Formatting);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("x"));
    EXPECT_EQ(g.CellBackColor(1, 1), 0);
    EXPECT_EQ(g.CellChecked(1, 0), NoCheckBox);
    g.Clear();
    EXPECT_EQ(g.TextMatrix(1, 1), QString());
    EXPECT_EQ(g.CellAlignment(1, 1), AlignCenterCenter);
    EXPECT_EQ(g.ColWidth(1), 2000);
    EXPECT_TRUE(g.MergeRow(0));
}

TEST(GridModel, ColoursOfFixedAndMarkedCells) {
    GridModel g;
    g.SetRows(3);
    g.SetCols(3);
    EXPECT_EQ(g.DrawnBackColor(0, 2), g.BackColorFixed());
    EXPECT_EQ(g.DrawnBackColor(2, 0), g.BackColorFixed());
    EXPECT_EQ(g.DrawnBackColor(2, 2), g.BackColor());

    // A cell painted in the fixed-cell colour reads back as such (the pages' lock mark);
    // colour 0 takes the mark away again.
    g.SetCellBackColor(2, 2, g.BackColorFixed());
    EXPECT_EQ(g.CellBackColor(2, 2), g.BackColorFixed());
    g.SetCellBackColor({1, 1, 2, 2}, RGB(255, 0, 0));
    EXPECT_EQ(g.DrawnBackColor(1, 2), RGB(255, 0, 0));
    g.SetCellBackColor(1, 2, 0);
    EXPECT_EQ(g.DrawnBackColor(1, 2), g.BackColor());
    EXPECT_EQ(g.DrawnBackColor(2, 2), RGB(255, 0, 0));
}

TEST(GridModel, MergesFollowTheModeAndTheSwitches) {
    GridModel g;
    g.SetRows(4);
    g.SetCols(5);
    FillRow(g, 0, {"", "Sensor", "Sensor", "Sensor", "Sensor"});
    FillRow(g, 1, {"Gas", "Warning", "Warning", "STEL", "TWA"});
    FillRow(g, 2, {"CH4", "", "", "5", "5"});
    FillRow(g, 3, {"CH4", "1", "2", "5", "5"});
    g.SetMergeRow(0, true);
    g.SetMergeCol(0, true);
    g.SetMergeCol(3, true);
    g.SetMergeCol(4, true);

    EXPECT_TRUE(g.MergedRanges().empty());  // mode 0 never merges
    EXPECT_EQ(g.MergedRange(0, 2), (GridRange{0, 2, 0, 2}));

    g.SetMergeCells(MergeRestrictRows);
    // Row 0 merges its title; row 1 (no switch) keeps its equal neighbours apart; empty cells
    // never merge; columns with the switch merge downwards.
    EXPECT_EQ(g.MergedRange(0, 2), (GridRange{0, 1, 0, 4}));
    EXPECT_EQ(g.MergedRange(1, 1), (GridRange{1, 1, 1, 1}));
    EXPECT_EQ(g.MergedRange(2, 1), (GridRange{2, 1, 2, 1}));
    EXPECT_EQ(g.MergedRange(3, 0), (GridRange{2, 0, 3, 0}));
    EXPECT_EQ(g.MergedRange(2, 3), (GridRange{2, 3, 3, 3}));
    EXPECT_EQ(g.MergedRanges().size(), 4u);

    // A heading never merges into the values beside it, nor a fixed row into the rows below.
    g.SetTextMatrix(1, 0, g.TextMatrix(1, 1));
    g.SetMergeRow(1, true);
    EXPECT_EQ(g.MergedRange(1, 0), (GridRange{1, 0, 1, 0}));
    g.SetTextMatrix(1, 0, QString());
    g.SetMergeRow(1, false);

    // A cell merged along its row stays out of its column's block.
    g.SetMergeRow(2, true);
    EXPECT_EQ(g.MergedRange(2, 4), (GridRange{2, 3, 2, 4}));
    EXPECT_EQ(g.MergedRange(3, 4), (GridRange{3, 4, 3, 4}));

    g.SetMergeCells(MergeFixedOnly);
    EXPECT_EQ(g.MergedRange(0, 2), (GridRange{0, 1, 0, 4}));
    EXPECT_EQ(g.MergedRange(3, 0), (GridRange{2, 0, 3, 0}));  // column 0 is fixed
    EXPECT_EQ(g.MergedRange(2, 3), (GridRange{2, 3, 2, 3}));
}

TEST(GridModel, CellAlignmentWinsOverColumnWhateverTheOrder) {
    GridModel g;
    g.SetRows(3);
    g.SetCols(3);
    g.SetTextMatrix(1, 1, QStringLiteral("12.5"));
    g.SetTextMatrix(1, 2, QStringLiteral("text"));
    EXPECT_EQ(g.DrawnAlignment(1, 1), AlignRightCenter);  // general: numbers right
    EXPECT_EQ(g.DrawnAlignment(1, 2), AlignLeftCenter);

    g.SetCellAlignment({1, 1, 2, 2}, AlignCenterCenter);
    g.SetColAlignment(-1, AlignLeftCenter);
    EXPECT_EQ(g.CellAlignment(1, 1), AlignCenterCenter);
    EXPECT_EQ(g.CellAlignment(0, 1), AlignLeftCenter);
    g.SetColAlignment(2, AlignRightBottom);
    EXPECT_EQ(g.CellAlignment(2, 2), AlignCenterCenter);
    EXPECT_EQ(g.CellAlignment(0, 2), AlignRightBottom);

    g.Clear(GridClear::Formatting);
    EXPECT_EQ(g.CellAlignment(1, 1), AlignLeftCenter);
    EXPECT_EQ(g.CellAlignment(2, 2), AlignRightBottom);
}

TEST(GridModel, HiddenColumnKeepsItsCells) {
    GridModel g;
    g.SetRows(2);
    g.SetCols(3);
    g.SetTextMatrix(1, 2, QStringLiteral("Off|On"));
    g.SetColWidth(2, 1500);
    g.SetColHidden(2, true);
    EXPECT_TRUE(g.ColHidden(2));
    EXPECT_EQ(g.TextMatrix(1, 2), QStringLiteral("Off|On"));
    EXPECT_EQ(g.ColWidth(2), 1500);
    EXPECT_EQ(g.ColWidth(1), GridModel::DefaultColWidth);
    g.SetEditable(true);
    EXPECT_FALSE(g.StartEdit(1, 2));
}

// A grid with one heading row and column and the events recorded.
class GridEditing : public ::testing::Test {
protected:
    void SetUp() override {
        g.SetRows(4);
        g.SetCols(3);
        g.SetEditable(true);
        g.SetTextMatrix(1, 1, QStringLiteral("old"));
        g.Events().BeforeEdit = [this](int r, int c, bool& cancel) {
            log << QStringLiteral("before %1,%2").arg(r).arg(c);
            cancel = r == refusedRow;
        };
        g.Events().ValidateEdit = [this](int r, int c, bool& cancel) {
            log << QStringLiteral("validate %1,%2 '%3'").arg(r).arg(c).arg(g.EditText());
            if (g.EditText().trimmed().isEmpty()) {
                g.SetEditText(QStringLiteral("-----"));
                cancel = true;
            }
        };
        g.Events().AfterEdit = [this](int r, int c) { log << QStringLiteral("after %1,%2").arg(r).arg(c); };
        g.Events().RowColChange = [this] { log << QStringLiteral("rowcol %1,%2").arg(g.Row()).arg(g.Col()); };
    }

    GridModel g;
    QStringList log;
    int refusedRow = 3;
};

TEST_F(GridEditing, RefusedWhereTheGridOrTheHandlerSays) {
    EXPECT_FALSE(g.StartEdit(0, 1));  // fixed row
    EXPECT_FALSE(g.StartEdit(1, 0));  // fixed column
    g.SetEditable(false);
    EXPECT_FALSE(g.StartEdit(1, 1));
    EXPECT_TRUE(log.isEmpty());

    g.SetEditable(true);
    EXPECT_FALSE(g.StartEdit(3, 2));
    EXPECT_FALSE(g.IsEditing());
    EXPECT_EQ(log, QStringList({"rowcol 3,2", "before 3,2"}));
}

TEST_F(GridEditing, ValidateKeepsTheEditorOpenUntilItAccepts) {
    ASSERT_TRUE(g.StartEdit(1, 1));
    EXPECT_EQ(g.EditText(), QStringLiteral("old"));
    g.TypeKey(u'\b');  // the whole text was selected
    EXPECT_FALSE(g.CommitEdit());
    EXPECT_TRUE(g.IsEditing());
    EXPECT_EQ(g.EditText(), QStringLiteral("-----"));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("old"));

    g.SetEditSelection(0, 5);
    g.TypeText(QStringLiteral("12"));
    EXPECT_TRUE(g.CommitEdit());
    EXPECT_FALSE(g.IsEditing());
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("12"));
    EXPECT_EQ(log, QStringList({"before 1,1", "validate 1,1 ''", "validate 1,1 '12'", "after 1,1"}));
}

TEST_F(GridEditing, KeyFilterDropsAndChangesKeys) {
    int changes = 0;
    g.Events().ChangeEdit = [&changes](int, int) { ++changes; };
    g.Events().KeyPressEdit = [](int, int, int& key) {
        if (key >= '0' && key <= '9')
            key = 0;
        else if (key >= 'a' && key <= 'z')
            key -= 'a' - 'A';
    };
    ASSERT_TRUE(g.StartEdit(2, 2));
    g.TypeText(QStringLiteral("a1b"));
    EXPECT_EQ(g.EditText(), QStringLiteral("AB"));
    EXPECT_EQ(changes, 2);
    g.TypeKey(u'\b');
    EXPECT_EQ(g.EditText(), QStringLiteral("A"));

    g.CancelEdit();
    EXPECT_EQ(g.TextMatrix(2, 2), QString());
    EXPECT_FALSE(log.contains(QStringLiteral("after 2,2")));
}

TEST_F(GridEditing, ChoiceListOfTheEdit) {
    g.SetColComboList(2, QStringLiteral("Off|On"));
    g.SetCellComboList(2, 2, QStringLiteral("30|45|60"));
    ASSERT_TRUE(g.StartEdit(1, 2));
    EXPECT_EQ(g.EditChoices(), QStringList({"Off", "On"}));
    g.CancelEdit();
    ASSERT_TRUE(g.StartEdit(2, 2));
    EXPECT_EQ(g.EditChoices(), QStringList({"30", "45", "60"}));
    g.CancelEdit();

    // The list a BeforeEdit handler sets wins; empty items are offered too.
    g.Events().BeforeEdit = [this](int, int, bool&) { g.SetComboList(QStringLiteral("Confirm to use|Can't use||None")); };
    ASSERT_TRUE(g.StartEdit(2, 2));
    EXPECT_EQ(g.EditChoices(), QStringList({"Confirm to use", "Can't use", "", "None"}));
    g.SetEditText(QStringLiteral("None"));
    EXPECT_TRUE(g.CommitEdit());
    EXPECT_EQ(g.TextMatrix(2, 2), QStringLiteral("None"));
    g.Events().BeforeEdit = nullptr;
    g.SetComboList(QString());
    ASSERT_TRUE(g.StartEdit(1, 1));
    EXPECT_TRUE(g.EditChoices().isEmpty());
}

TEST_F(GridEditing, CheckBoxesToggleAsAnEdit) {
    g.SetCellChecked(1, 1, Checked);
    g.SetCellChecked(3, 1, Unchecked);
    g.SetCellChecked(2, 2, NoCheckBox);
    EXPECT_FALSE(g.ToggleCheck(2, 2));
    EXPECT_FALSE(g.ToggleCheck(3, 1));  // BeforeEdit refuses row 3
    EXPECT_EQ(g.CellChecked(3, 1), Unchecked);

    // ValidateEdit sees the toggle with an empty text, and may refuse it too.
    log.clear();
    EXPECT_FALSE(g.ToggleCheck(1, 1));
    EXPECT_EQ(g.CellChecked(1, 1), Checked);
    EXPECT_EQ(log, QStringList({"rowcol 1,1", "before 1,1", "validate 1,1 ''"}));

    log.clear();
    g.Events().ValidateEdit = nullptr;
    EXPECT_FALSE(g.StartEdit(1, 1));  // toggles, no editor stays open
    EXPECT_EQ(g.CellChecked(1, 1), Unchecked);
    EXPECT_TRUE(g.ToggleCheck(1, 1));
    EXPECT_EQ(g.CellChecked(1, 1), Checked);
    EXPECT_EQ(log, QStringList({"before 1,1", "after 1,1", "before 1,1", "after 1,1"}));
    EXPECT_FALSE(g.IsEditing());
}

TEST_F(GridEditing, CurrentCellChangesOnceAndStaysInsideTheGrid) {
    g.SetCurrentCell(2, 2);
    g.SetCurrentCell(2, 2);
    g.SetRow(3);
    EXPECT_EQ(log, QStringList({"rowcol 2,2", "rowcol 3,2"}));
    g.SetRows(2);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(ErrorOf([&] { g.SetRow(2); }), ErrSubscript);

    // An edit whose cell goes away with a resize ends.
    ASSERT_TRUE(g.StartEdit(1, 2));
    g.SetCols(2);
    EXPECT_FALSE(g.IsEditing());
}

}  // namespace
}  // namespace mt52
