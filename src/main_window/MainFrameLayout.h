#pragma once
// The frame of the main window layout: the minimum window size, the six page frames on the
// left of the client area, the inside of the first visible page, and the column of menu
// buttons on the right. Every run computes every position afresh from the client size and
// the current sizes of the controls it reads; lengths are twips.
#include "main_window/LayoutState.h"

namespace mt52 {

// The window's minimum outer size, also the lower bounds of the first-run size.
inline constexpr double MinimumWindowWidth = 11640;
inline constexpr double MinimumWindowHeight = 8250;

struct WindowSize {
    double Width = 0;
    double Height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// The outer size raised to the minimum, each dimension on its own.
WindowSize EnforceMinimumSize(WindowSize outer);

// A saved window size (twips, without the frame) made fit for a screen whose available area
// holds `room` twips for the window without its frame: at most the room, at least the
// minimum size (which wins on a screen smaller than that); a size that is no number becomes
// the minimum.
WindowSize FitSavedSize(WindowSize saved, WindowSize room);

// The page frames fraMenu(0..5), the inside of the first visible page and the menu buttons
// cmdInst(0), cmdInst(2), cmdInst(4), cmdInst(5) for the client size. cmdInst(1) and
// cmdInst(3) are never placed.
void LayoutWindow(LayoutState& state, double scaleWidth, double scaleHeight);

// The inside of page `index` (0 to 5), whose frame fraMenu(index) has been placed: PW and
// PH are that frame's width and height.
void LayoutPage(LayoutState& state, int index);

// Moves an inner frame (own size) to the centre of its container, `raise` higher.
void CentreIn(ControlBox& inner, const ControlBox& container, double raise = 0);

}  // namespace mt52
