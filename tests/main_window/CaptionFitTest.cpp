// Captions fitted to their controls: a button of a row of touching buttons whose caption does
// not fit takes the free room left of the row, moving its neighbours, and overlaps nothing.
#include "main_window/gui/CaptionFit.h"
#include "main_window/gui/ControlFactory.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(CaptionFit, AButtonInATouchingRowTakesTheRoomLeftOfTheRow) {
    QWidget page;
    page.resize(600, 60);
    auto* print = new QPushButton(&page);
    auto* exportButton = new QPushButton(&page);
    auto* summary = new QPushButton(&page);
    print->setGeometry(400, 10, 60, 24);
    exportButton->setGeometry(460, 10, 60, 24);
    summary->setGeometry(520, 10, 60, 24);
    SetCaption(print, QStringLiteral("P"));
    const QString full = QStringLiteral("A caption far wider than its button");
    SetCaption(exportButton, full);
    SetCaption(summary, QStringLiteral("S"));
    FitCaptions(&page);
    FitCaptions(&page);  // a second fit without a layout moves nothing further

    EXPECT_EQ(exportButton->text(), full);
    EXPECT_TRUE(exportButton->toolTip().isEmpty());
    EXPECT_EQ(exportButton->geometry().right() + 1, summary->x()) << "it still ends where the next button starts";
    EXPECT_EQ(summary->geometry(), QRect(520, 10, 60, 24));
    EXPECT_EQ(print->geometry().right() + 1, exportButton->x()) << "its neighbour moved with it";
    EXPECT_EQ(print->width(), 60);
    EXPECT_GE(print->x(), 0);

    // No room left of the row: the caption is shortened and still overlaps nothing.
    print->setGeometry(0, 10, 60, 24);
    exportButton->setGeometry(60, 10, 60, 24);
    summary->setGeometry(120, 10, 60, 24);
    FitCaptions(&page);
    EXPECT_NE(exportButton->text(), full);
    EXPECT_EQ(exportButton->toolTip(), full);
    EXPECT_EQ(print->geometry(), QRect(0, 10, 60, 24));
    EXPECT_LE(exportButton->geometry().right() + 1, summary->x());
}

}  // namespace
}  // namespace mt52
