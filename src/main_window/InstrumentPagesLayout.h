#pragma once
// Inner layouts of the pages that work with the connected instrument: the Download page
// fraMenu(0), the Instruments page fraMenu(1) and the option page fraMenu(5). PW and PH are
// the width and height of the page frame; lengths are twips.
#include "main_window/LayoutState.h"

namespace mt52 {

// Status lamps and captions, the log box and instrument frame on the left (0.6 PW), the
// automatic-mode and command frames on the right. Hides the get-and-save button and the
// suffix box holder on every run.
void LayoutDownloadPage(LayoutState& state, double pw, double ph);

// The identity frame, the grid beside it and the sensor grid below, with their column widths.
void LayoutInstrumentsPage(LayoutState& state, double pw, double ph);

// The font-and-colour frame, then either the instrument-status frame with its four buttons
// (when fraOption(1) is visible) or the calibration panel; then the settings grid and the
// column widths of the settings and calibration grids.
void LayoutOptionPage(LayoutState& state, double pw, double ph);

}  // namespace mt52
