#include "instrument/FsDialogLayout.h"
#include "instrument/GasSelLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

bool Overlap(const TwipRect& a, const TwipRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(GasSelLayout, ChoicesPerLine) {
    const GasSelGrid expected[] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {3, 2}, {3, 2}, {4, 2}, {4, 2}};
    for (int count = 0; count <= 8; ++count)
        EXPECT_EQ(GasSelGridFor(count), expected[count]) << count;
}

TEST(GasSelLayout, FrameButtonsAndOptionsFollowTheClientSize) {
    // Three choices on one line: each a 3.1th of the frame's width; the rest keep their places.
    const GasSelLayout one = LayoutGasSel(6200, 2500, GasSelGridFor(3), 375, 375);
    EXPECT_EQ(one.frame, (TwipRect{0, 0, 6200, 2500 - 375 - 180}));
    EXPECT_EQ(one.buttons[0], (TwipRect{90, 1945 + 90, 2965, 375}));  // (6200 - 90) / 2 - 90 = 2965
    EXPECT_EQ(one.buttons[1], (TwipRect{90 + 2965 + 90, 2035, 2965, 375}));
    EXPECT_EQ(one.options[0], (TwipRect{60, 240, 2000, 375}));
    EXPECT_EQ(one.options[2], (TwipRect{4060, 240, 2000, 375}));
    for (int i = 3; i < GasSelOptionCount; ++i)
        EXPECT_FALSE(one.options[static_cast<std::size_t>(i)].has_value()) << i;

    // Six choices: two lines of three, the second a third of the frame's height lower.
    const GasSelLayout two = LayoutGasSel(6200, 2655, GasSelGridFor(6), 375, 375);
    ASSERT_EQ(two.frame.height, 2100);
    EXPECT_EQ(two.options[3], (TwipRect{60, 940, 2000, 375}));
    EXPECT_EQ(two.options[5], (TwipRect{4060, 940, 2000, 375}));
    EXPECT_FALSE(two.options[6].has_value());
}

TEST(FsDialogLayout, ControlsStayInsideTheWindowAndApart) {
    for (const auto& [w, h] : {std::pair{FsDialogWidth, FsDialogHeight}, std::pair{FsDialogMinWidth, FsDialogMinHeight},
                               std::pair{20000, 12000}}) {
        const FsDialogLayout l = LayoutFsDialog(w, h);
        const std::vector<TwipRect> all = {l.vfgDatas,         l.stationHeading,   l.vfgStation, l.lblSpaceCount,
                                           l.cmdStationExport, l.cmdStationImport, l.cmdOK,      l.cmdCancel};
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_GT(all[i].width, 0);
            EXPECT_GT(all[i].height, 0);
            EXPECT_GE(all[i].left, 0);
            EXPECT_GE(all[i].top, 0);
            EXPECT_LE(all[i].right(), w);
            EXPECT_LE(all[i].bottom(), h);
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(Overlap(all[i], all[j])) << i << " and " << j << " at " << w << "x" << h;
        }
    }
}

}  // namespace
}  // namespace mt52
