// A grid keeps the top row its filler set, when the grid is filled with its drawing held back
// and while it is hidden, and then shown: showing a view would scroll its current cell into sight.
#include "platform/gui/GridView.h"

#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// The first row in sight below the heading row.
int FirstRowBelowHeading(const GridView& view) { return view.rowAt(view.rowHeight(0) + 1); }

TEST(GridViewTopRow, AFillWhileHiddenKeepsItsTopRowWhenShown) {
    QWidget page;
    page.resize(400, 300);
    auto* view = new GridView(&page);
    view->setGeometry(0, 0, 400, 300);
    page.show();
    view->hide();

    GridModel& grid = view->Model();
    grid.SetRedraw(false);
    grid.SetCols(2);
    grid.SetRows(500);
    grid.SetCurrentCell(1, 1);
    grid.SetTopRow(350);
    grid.SetRedraw(true);
    grid.Refresh();
    view->show();

    EXPECT_EQ(grid.TopRow(), 350);
    EXPECT_EQ(FirstRowBelowHeading(*view), 350);

    // The view keeps it through a resize as well.
    view->resize(300, 200);
    EXPECT_EQ(FirstRowBelowHeading(*view), 350);
    EXPECT_EQ(grid.TopRow(), 350);
}

// The heading row stays in sight above the scrolled rows, with the grid's texts, widths and
// hidden columns; the row the grid scrolls to is the first one below it, and scrolling by hand
// reports that row as the top row.
TEST(GridViewTopRow, TheHeadingStaysInSightWhileTheRowsScroll) {
    GridView view;
    view.resize(400, 300);
    GridModel& grid = view.Model();
    grid.SetCols(3);
    grid.SetRows(1000);
    grid.SetTextMatrix(0, 0, QStringLiteral("No"));
    grid.SetTextMatrix(0, 2, QStringLiteral("Gas"));
    grid.SetColHidden(1, true);
    for (int r = 1; r < 1000; ++r)
        grid.SetTextMatrix(r, 0, QString::number(r));
    view.show();

    auto* heading = view.findChild<QTableView*>();
    ASSERT_NE(heading, nullptr);
    EXPECT_FALSE(heading->isVisible()) << "at the top the heading is the grid's own row 0";

    grid.SetTopRow(500);
    ASSERT_TRUE(heading->isVisible());
    EXPECT_EQ(heading->model()->rowCount(), 1);
    EXPECT_EQ(heading->model()->index(0, 2).data().toString(), QStringLiteral("Gas"));
    EXPECT_TRUE(heading->isColumnHidden(1));
    EXPECT_EQ(heading->columnWidth(2), view.columnWidth(2));
    EXPECT_EQ(heading->geometry().top(), view.viewport()->geometry().top());
    EXPECT_EQ(FirstRowBelowHeading(view), 500);

    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 10);
    EXPECT_EQ(grid.TopRow(), 510);
    EXPECT_EQ(FirstRowBelowHeading(view), 510);

    grid.SetTopRow(1);
    EXPECT_FALSE(heading->isVisible());
    EXPECT_EQ(view.rowAt(0), 0);
}

}  // namespace
}  // namespace mt52
