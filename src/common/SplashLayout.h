#pragma once
// The splash window's layout in twips, computed from the sizes its labels take for their
// texts. Pure arithmetic, so the numbers can be checked without a display.
#include "platform/Twips.h"

#include <array>

namespace mt52 {

struct TwipSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipSize&, const TwipSize&) = default;
};

struct SplashLayoutInput {
    // The sizes the labels take for their texts.
    TwipSize title;    // lblTitle
    TwipSize tm;       // lblTM
    TwipSize pcs;      // lblPCs
    TwipSize version;  // lblVersion
    TwipSize company;  // lblCompany
    TwipSize notice;   // lblNotice
    // The screen's twips per pixel in each direction.
    int twipsPerPixelX = TwipsPerPixel;
    int twipsPerPixelY = TwipsPerPixel;
    // Outer size minus inner size of the window (border and title bar); 0 for a bare window.
    TwipSize windowFrame;
    // The screen, for centring the window.
    TwipSize screen;
};

struct SplashLayout {
    TwipRect window;  // outer place and size on the screen
    // Inside the window: the frame. Inside the frame: everything else.
    TwipRect fraOpen;
    TwipRect imgSplash;
    TwipRect lblTitle;
    TwipRect lblTM;
    std::array<TwipRect, 2> lblBorder;
    TwipRect lblPCs;
    TwipRect lblVersion;
    TwipRect lblNotice;
    TwipRect lblCompany;
};

// The splash picture's size in pixels.
inline constexpr int SplashPictureWidthPixels = 120;
inline constexpr int SplashPictureHeightPixels = 180;

SplashLayout LayoutSplash(const SplashLayoutInput& in);

}  // namespace mt52
