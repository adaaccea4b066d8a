// A grid keeps the top row its filler set, when the grid is filled with its drawing held back
// and while it is hidden, and then shown: showing a view would scroll its current cell into sight.
#include "platform/gui/GridView.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

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
    EXPECT_EQ(view->rowAt(0), 350);

    // The view keeps it through a resize as well.
    view->resize(300, 200);
    EXPECT_EQ(view->rowAt(0), 350);
    EXPECT_EQ(grid.TopRow(), 350);
}

}  // namespace
}  // namespace mt52
