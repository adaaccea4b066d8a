#pragma once
// Which gas columns a trend's summary and record table show. Both grids have a column for each
// of the gas slots 0 to 3: the data view hides the third and fourth; the trend-search window
// shows all four, its grids wider than the window, and reaches them by scrolling sideways.
namespace mt52 {

enum class TrendGasColumns {
    FirstTwo,  // the third and fourth gas columns hidden
    AllFour,   // every gas column shown
};

}  // namespace mt52
