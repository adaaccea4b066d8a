#include "common/SplashLayout.h"

namespace mt52 {

SplashLayout LayoutSplash(const SplashLayoutInput& in) {
    SplashLayout l;
    const int pictureWidth = SplashPictureWidthPixels * in.twipsPerPixelX;
    const int pictureHeight = SplashPictureHeightPixels * in.twipsPerPixelY;

    // The window is as wide as the maker's line and the picture together, so the line fits.
    l.window.width = in.company.width + pictureWidth + 360;
    l.window.height = in.title.height + pictureHeight + 450;
    l.window.left = (in.screen.width - l.window.width) / 2;
    l.window.top = (in.screen.height - l.window.height) / 2;
    const int innerWidth = l.window.width - in.windowFrame.width;
    const int innerHeight = l.window.height - in.windowFrame.height;

    l.fraOpen = {60, 0, innerWidth - 120, innerHeight - 120};
    const int fw = l.fraOpen.width;
    const int fh = l.fraOpen.height;

    l.lblTitle = {240, 240, in.title.width, in.title.height};
    l.lblTM = {l.lblTitle.right() + 120, 240, in.tm.width, in.tm.height};
    l.lblBorder[0] = {120, l.lblTitle.bottom() + 60, fw - 2 * 120, 15};
    l.lblBorder[1] = {l.lblBorder[0].left, l.lblBorder[0].bottom(), l.lblBorder[0].width, l.lblBorder[0].height};
    l.imgSplash = {20, 670, pictureWidth, pictureHeight};

    // The right-hand texts keep 120 from the frame's right edge.
    l.lblPCs = {fw - 120 - in.pcs.width, l.lblBorder[0].top, in.pcs.width, in.pcs.height};
    l.lblVersion = {fw - 120 - in.version.width, l.lblPCs.bottom() + 120, in.version.width, in.version.height};
    l.lblNotice = {fw - 120 - in.notice.width, fh - 120 - in.notice.height, in.notice.width, in.notice.height};
    l.lblCompany = {fw - 120 - in.company.width, l.lblNotice.top - 120 - in.company.height, in.company.width,
                    in.company.height};
    return l;
}

}  // namespace mt52
