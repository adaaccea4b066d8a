#include "main_window/gui/StoredDataPage.h"

#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// Before a folder is chosen the record list shows an untitled column, not a placeholder heading.
TEST(StoredDataPage, RecordListStartsWithAnUntitledColumn) {
    QWidget window;
    StoredDataPage page(&window);
    ASSERT_NE(page.lvwLog, nullptr);
    EXPECT_EQ(page.lvwLog->columnCount(), 1);
    EXPECT_TRUE(page.lvwLog->headerItem()->text(0).isEmpty());
}

}  // namespace
}  // namespace mt52
