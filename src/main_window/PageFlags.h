#pragma once
// The values the main window's pages share with each other and with the window: which
// instrument the option page shows, the guards that keep a grid's handlers from running inside
// each other, the record tree's rebuild mark, the clock's tick count that pauses wait on. The
// window owns one; the pages reach it through their PageContext.
#include "main_window/DefaultSettings.h"
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

struct PageFlags {
    // The option page shows the stored instrument rather than the connected one.
    bool ShowingStoredInstrument = false;
    // Counts the window clock's ticks (every 100 ms); pauses of the pages wait on it.
    Long TickCount = 0;
    // Clicks on the automatic-mode boxes reach the pages only while this is true, so setting
    // the boxes from the settings asks and changes nothing.
    bool AutoLoadClicksEnabled = true;
    // The record tree must be rebuilt before it is shown again.
    bool LogTreeDirty = false;
    QString LastExportFileName;
    // Status lamp colours in the states on, off and error.
    std::array<LampColors, 3> StatusLampColors{};
    // A grid edit of the option page is being handled.
    bool GridEditBusy = false;
    // A selection of the calibration-history grid is being handled.
    bool HistorySelectBusy = false;
    // The option page shows the calibration panel.
    bool CalibrationMode = false;
};

}  // namespace mt52
