#include "instrument/GasSelLayout.h"

#include <cmath>

namespace mt52 {

namespace {
constexpr int Gap = 90;          // between and around the buttons
constexpr int FrameMargin = 180; // below the frame, above and below the buttons
constexpr int OptionLeft = 60;
constexpr int OptionTop = 240;

int Round(double twips) { return static_cast<int>(std::nearbyint(twips)); }
}  // namespace

TwipRect GasSelDesignFrame() { return {0, 0, 6495, 1335}; }

TwipRect GasSelDesignOption(int index) {
    static constexpr std::array<int, GasSelOptionCount> lefts = {274, 1841, 3401, 4961, 120, 1560, 2760, 4080};
    if (index < 0 || index >= GasSelOptionCount)
        return {};
    const auto i = static_cast<std::size_t>(index);
    return {lefts[i], index < 4 ? 240 : 720, index == 0 ? 1500 : 1455, 375};
}

TwipRect GasSelDesignButton(int index) { return {index == 0 ? 0 : 1920, 1560, 1575, 375}; }

GasSelGrid GasSelGridFor(int shownChoices) {
    if (shownChoices <= 4)
        return {shownChoices, 1};
    return {(shownChoices + 1) / 2, 2};
}

GasSelLayout LayoutGasSel(int clientWidth, int clientHeight, const GasSelGrid& grid, int buttonHeight,
                          int optionHeight) {
    GasSelLayout layout;
    layout.frame = {0, 0, clientWidth, clientHeight - buttonHeight - FrameMargin};

    // Rounded half to even, as an assignment to a whole number rounds.
    const int buttonWidth = Round(static_cast<double>(clientWidth - Gap) / GasSelButtonCount - Gap);
    for (int i = 0; i < GasSelButtonCount; ++i)
        layout.buttons[static_cast<std::size_t>(i)] = {(buttonWidth + Gap) * i + Gap, layout.frame.height + Gap,
                                                       buttonWidth, buttonHeight};

    const double optionWidth = layout.frame.width / (grid.perLine + 0.1);
    for (int line = 0; line < grid.lines; ++line) {
        for (int place = 0; place < grid.perLine; ++place) {
            const int index = line * grid.perLine + place;
            if (index >= GasSelOptionCount)
                continue;
            layout.options[static_cast<std::size_t>(index)] =
                TwipRect{Round(optionWidth * place + OptionLeft), Round(layout.frame.height / 3.0 * line + OptionTop),
                         Round(optionWidth), optionHeight};
        }
    }
    return layout;
}

}  // namespace mt52
