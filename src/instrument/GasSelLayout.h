#pragma once
// The gas selection dialog's layout in twips: how many choices go on a line, and where the
// frame, the two buttons and the option buttons go for a given client size. Pure arithmetic,
// so the numbers can be checked without a display.
#include "platform/Twips.h"

#include <array>
#include <optional>

namespace mt52 {

inline constexpr int GasSelOptionCount = 8;  // option buttons for choices 0 to 7
inline constexpr int GasSelButtonCount = 2;  // OK and Cancel

// The smallest window; a resize below it snaps back.
inline constexpr int GasSelMinWidth = 3000;
inline constexpr int GasSelMinHeight = 2500;

// The design places, which a button outside the layout grid keeps.
TwipRect GasSelDesignFrame();
TwipRect GasSelDesignOption(int index);
TwipRect GasSelDesignButton(int index);

// The layout grid for a number of shown choices: one line of them all up to 4, otherwise two
// lines of half of them, rounded up.
struct GasSelGrid {
    int perLine = 0;
    int lines = 0;
    friend bool operator==(const GasSelGrid&, const GasSelGrid&) = default;
};
GasSelGrid GasSelGridFor(int shownChoices);

struct GasSelLayout {
    TwipRect frame;
    std::array<TwipRect, GasSelButtonCount> buttons;
    // Places of the option buttons inside the frame; none for a button the grid does not reach,
    // which stays where it is.
    std::array<std::optional<TwipRect>, GasSelOptionCount> options;
};

// The layout of a client area: the frame fills it above the buttons, the buttons share its
// width, and option button j * perLine + k sits in line j at place k. Heights stay as given.
GasSelLayout LayoutGasSel(int clientWidth, int clientHeight, const GasSelGrid& grid, int buttonHeight,
                          int optionHeight);

}  // namespace mt52
