#include "platform/gui/GridView.h"

#include "platform/Colors.h"
#include "platform/gui/QtUserDialogs.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

QVariant Role(const GridView& v, int row, int col, int role) { return v.model()->data(v.model()->index(row, col), role); }

TEST(GridView, DrawsTextsFormatsMergesAndColumns) {
    GridView v;
    v.resize(500, 300);
    GridModel& g = v.Model();
    g.SetRows(3);
    g.SetCols(5);
    g.SetMergeCells(MergeRestrictRows);
    g.SetMergeRow(0, true);
    for (int c = 1; c < 5; ++c)
        g.SetTextMatrix(0, c, QStringLiteral("Sensor"));
    g.SetTextMatrix(1, 2, QStringLiteral("12.5"));
    g.SetCellAlignment(1, 3, AlignCenterCenter);
    g.SetCellBackColor(2, 2, RGB(255, 0, 0));
    g.SetCellChecked(1, 1, Checked);
    g.SetCellChecked(2, 1, Unchecked);
    g.SetColWidth(1, 1500);
    g.SetColWidth(3, 0);
    g.SetColHidden(4, true);
    v.Refresh();

    EXPECT_EQ(v.model()->rowCount(), 3);
    EXPECT_EQ(v.columnSpan(0, 1), 4);
    EXPECT_EQ(v.columnSpan(1, 1), 1);
    EXPECT_EQ(v.columnWidth(1), 100);
    EXPECT_TRUE(v.isColumnHidden(3));
    EXPECT_TRUE(v.isColumnHidden(4));
    EXPECT_FALSE(v.isColumnHidden(2));
    EXPECT_EQ(Role(v, 1, 2, Qt::DisplayRole).toString(), QStringLiteral("12.5"));
    EXPECT_EQ(Role(v, 1, 2, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(Role(v, 1, 3, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
    EXPECT_EQ(Role(v, 2, 2, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_EQ(Role(v, 0, 2, Qt::BackgroundRole).value<QBrush>().color(), ToQColor(g.BackColorFixed()));
    EXPECT_EQ(Role(v, 1, 1, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(Role(v, 2, 1, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(Role(v, 1, 2, Qt::CheckStateRole).isValid());

    // Later changes are drawn without a Refresh; merges on the next turn of the event loop.
    g.SetTextMatrix(0, 4, QStringLiteral("Other"));
    g.SetColHidden(4, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(v.columnSpan(0, 1), 3);
    EXPECT_FALSE(v.isColumnHidden(4));
    g.SetRows(5);
    EXPECT_EQ(v.model()->rowCount(), 5);
}

// With widening on, a merged text that runs on into hidden columns (a summary's hidden gas
// columns) widens the last column in sight, so the text shows whole from the first fill on.
TEST(GridView, AMergedTextRunningIntoHiddenColumnsWidensTheLastShownColumn) {
    GridView v;
    v.resize(700, 200);
    v.WidenColumnsToText(true);
    GridModel& g = v.Model();
    g.SetRows(2);
    g.SetCols(5);
    g.SetMergeCells(MergeRestrictRows);
    g.SetMergeRow(1, true);
    g.SetColHidden(3, true);
    g.SetColHidden(4, true);
    const QString period = QStringLiteral("2024/05/20 12:00:00 to 2024/05/20 12:04:50");
    for (int c = 1; c < 5; ++c)
        g.SetTextMatrix(1, c, period);
    g.SetTextMatrix(1, 0, QStringLiteral("Sampling Date/Time"));
    v.Refresh();

    ASSERT_EQ(v.columnSpan(1, 1), 4);
    const int shown = v.columnWidth(1) + v.columnWidth(2);
    EXPECT_GE(shown, QFontMetrics(v.font()).horizontalAdvance(period));
    EXPECT_LE(v.columnWidth(0) + shown, v.viewport()->width());
    EXPECT_EQ(v.columnWidth(1), 64) << "the first column of the merge keeps its width";
}

class GridViewEditing : public ::testing::Test {
protected:
    void SetUp() override {
        v.resize(500, 300);
        GridModel& g = v.Model();
        g.SetRows(4);
        g.SetCols(3);
        g.SetEditable(true);
        g.SetTextMatrix(1, 1, QStringLiteral("old"));
        g.SetColComboList(2, QStringLiteral("Off|On"));
        g.SetCellChecked(3, 2, Unchecked);
        g.Events().BeforeEdit = [](int row, int, bool& cancel) { cancel = row == 2; };
        g.Events().KeyPressEdit = [](int, int, int& key) {
            if (key >= '0' && key <= '9')
                key = 0;
            else if (key >= 'a' && key <= 'z')
                key -= 'a' - 'A';
        };
        g.Events().ValidateEdit = [&g](int row, int col, bool& cancel) {
            if (g.EditText().isEmpty() && g.CellChecked(row, col) == NoCheckBox) {
                g.SetEditText(QStringLiteral("-----"));
                cancel = true;
            }
        };
        g.Events().AfterEdit = [this](int r, int c) { afterEdits << QStringLiteral("%1,%2").arg(r).arg(c); };
        v.show();
        v.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    }

    QPoint CentreOf(int row, int col) const { return v.visualRect(v.model()->index(row, col)).center(); }

    GridView v;
    QStringList afterEdits;
};

TEST_F(GridViewEditing, TextEditorFiltersKeysAndStaysOpenWhenRefused) {
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, CentreOf(2, 1));
    EXPECT_EQ(v.Editor(), nullptr);

    QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, CentreOf(1, 1));
    auto* editor = qobject_cast<QLineEdit*>(v.Editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("old"));
    QTest::keyClicks(editor, QStringLiteral("a1b"));
    EXPECT_EQ(editor->text(), QStringLiteral("AB"));

    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(v.Editor(), editor);  // refused: still editing, with the text the handler set
    EXPECT_EQ(editor->text(), QStringLiteral("-----"));
    EXPECT_EQ(v.Model().TextMatrix(1, 1), QStringLiteral("old"));

    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("ok"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(v.Editor(), nullptr);
    EXPECT_EQ(v.Model().TextMatrix(1, 1), QStringLiteral("OK"));
    EXPECT_EQ(Role(v, 1, 1, Qt::DisplayRole).toString(), QStringLiteral("OK"));
    EXPECT_EQ(afterEdits, QStringList({"1,1"}));

    // A typed character starts an edit of the current cell; Escape abandons it.
    v.Model().SetCurrentCell(3, 1);
    v.setFocus();
    QTest::keyClick(&v, Qt::Key_X);
    editor = qobject_cast<QLineEdit*>(v.Editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("X"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(v.Editor(), nullptr);
    EXPECT_EQ(v.Model().TextMatrix(3, 1), QString());
}

TEST_F(GridViewEditing, ChoiceListsAndCheckBoxes) {
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, CentreOf(1, 2));
    auto* combo = qobject_cast<QComboBox*>(v.Editor());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("On"));
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(v.Editor(), nullptr);
    EXPECT_EQ(v.Model().TextMatrix(1, 2), QStringLiteral("On"));

    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, CentreOf(3, 2));
    EXPECT_EQ(v.Model().CellChecked(3, 2), Checked);
    EXPECT_EQ(Role(v, 3, 2, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(afterEdits, QStringList({"1,2", "3,2"}));
}

}  // namespace
}  // namespace mt52
