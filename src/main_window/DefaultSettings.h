#pragma once
// The defaults put in place before the settings file is read, at start-up and again after an
// instrument was switched off. Some are unconditional; the others fill only a value that is
// still zero or empty, so that a second run keeps what the settings file supplied.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// The fill and border colours of one state of a status lamp (red + 256 green + 65536 blue).
struct LampColors {
    Long fill;
    Long border;
};

// What the main window applies to its controls after SetDefaultSettings. The window also sets
// its own fields: the record tree needs rebuilding, no last export file name, stored-instrument
// display and calibration mode off, the log box empty, the option page's Update button disabled,
// the calibration lamps 2 and 3 with their labels hidden, and the first calibration-history option.
struct MainWindowDefaults {
    int clockIntervalMs = 100;                          // the main window's clock timer, enabled
    LampColors lampOn{0x00FF00, 0x00C000};              // lamp 0 (serial port) starts on
    LampColors lampOff{0xA0A0A0, 0x808080};             // lamps 1 to 3 start off
    LampColors lampError{0x0000FE, 0x0000C0};
    QString fontButtonCaption;                          // the common font's name and "(size)"
    Long graphColorButtonColor = 0;                     // GraphColors(0)
    bool importButtonVisible = false;                   // only in debug mode
    bool autoTerminateBoxVisible = false;               // only in extended mode ("-52")
};

// The deletion-lock password when none is stored: by interface language.
QString DefaultLockPassword();

// Puts the module state and the sample instrument into their defaults and returns what the
// main window applies to its controls.
MainWindowDefaults SetDefaultSettings();

}  // namespace mt52
