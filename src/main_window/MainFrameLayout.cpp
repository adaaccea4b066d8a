#include "main_window/MainFrameLayout.h"

#include "main_window/InstrumentPagesLayout.h"
#include "main_window/StoredDataPagesLayout.h"

#include <algorithm>
#include <cmath>

namespace mt52 {

WindowSize FitSavedSize(WindowSize saved, WindowSize room) {
    const auto fit = [](double value, double most, double least) {
        if (!std::isfinite(value))
            return least;
        return std::max(std::min(value, most), least);
    };
    return {fit(saved.Width, room.Width, MinimumWindowWidth), fit(saved.Height, room.Height, MinimumWindowHeight)};
}

WindowSize EnforceMinimumSize(WindowSize outer) {
    return {std::max(outer.Width, MinimumWindowWidth), std::max(outer.Height, MinimumWindowHeight)};
}

void CentreIn(ControlBox& inner, const ControlBox& container, double raise) {
    inner.Move(container.Width / 2 - inner.Width / 2, container.Height / 2 - inner.Height / 2 - raise);
}

void LayoutPage(LayoutState& state, int index) {
    const ControlBox& page = state[Indexed("fraMenu", index)];
    const double pw = page.Width;
    const double ph = page.Height;
    switch (index) {
    case 0: LayoutDownloadPage(state, pw, ph); break;
    case 1: LayoutInstrumentsPage(state, pw, ph); break;
    case 2: LayoutStoredDataPage(state, pw, ph); break;
    case 3: LayoutDataView(state, pw, ph); break;
    case 4: LayoutHistoryPage(state, pw, ph); break;
    case 5: LayoutOptionPage(state, pw, ph); break;
    default: break;
    }
}

void LayoutWindow(LayoutState& state, double scaleWidth, double scaleHeight) {
    const double menuWidth = 0.12 * scaleWidth;
    for (int i = 0; i < 6; ++i)
        state[Indexed("fraMenu", i)].Move(0, 120, scaleWidth - menuWidth - 240, scaleHeight - 180);
    for (int i = 0; i < 6; ++i) {
        if (state[Indexed("fraMenu", i)].Visible) {
            LayoutPage(state, i);
            break;
        }
    }
    ControlBox& first = state[Indexed("cmdInst", 0)];
    first.Move(scaleWidth - menuWidth - 120, 180, menuWidth, (scaleHeight - 840) / 4);
    const ControlBox* previous = &first;
    for (int i : {2, 4, 5}) {
        ControlBox& button = state[Indexed("cmdInst", i)];
        button.Move(first.Left, previous->Bottom() + 120, first.Width, first.Height);
        previous = &button;
    }
}

}  // namespace mt52
