// The drawn widths of columns widened to their texts: never below the least widths, never past
// the room the columns leave free.
#include "platform/ColumnWidths.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(ColumnWidths, WidenCutColumnsOutOfTheFreeRoomOnly) {
    struct Case {
        const char* what;
        std::vector<int> least, needed;
        int available;
        std::vector<int> drawn;
    };
    const Case cases[] = {
        {"room for every lack", {64, 64, 64}, {100, 40, 80}, 400, {100, 64, 80}},
        {"no lack", {64, 64}, {30, 64}, 400, {64, 64}},
        {"no room", {200, 200}, {300, 300}, 400, {200, 200}},
        {"columns wider than the view", {300, 300}, {400, 100}, 400, {300, 300}},
        {"room shared by lack", {50, 50, 100}, {150, 100, 10}, 350, {150, 100, 100}},
        {"too little room, shared in proportion", {50, 50}, {150, 100}, 160, {90, 70}},
        {"hidden column (zero) stays hidden", {0, 50}, {0, 90}, 200, {0, 90}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WidenedColumnWidths(c.least, c.needed, c.available), c.drawn) << c.what;
}

// A grid whose columns already run past its edge scrolls sideways anyway: there a cut column
// may grow to its text. Columns that fit keep the free-room rule.
TEST(ColumnWidths, ColumnsThatAlreadyRunPastTheViewGrowToTheirTexts) {
    const auto toText = OverflowWidening::ToText;
    EXPECT_EQ(WidenedColumnWidths({300, 300, 64}, {100, 400, 120}, 400, toText), (std::vector<int>{300, 400, 120}));
    EXPECT_EQ(WidenedColumnWidths({0, 500}, {90, 600}, 400, toText), (std::vector<int>{0, 600}));  // hidden stays
    EXPECT_EQ(WidenedColumnWidths({200, 200}, {300, 300}, 400, toText), (std::vector<int>{200, 200}));  // exactly full
    EXPECT_EQ(WidenedColumnWidths({50, 50}, {150, 100}, 160, toText), (std::vector<int>{90, 70}));
}

}  // namespace
}  // namespace mt52
