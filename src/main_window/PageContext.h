#pragma once
// What a page's behaviour is handed besides its page object: the link and the operations over
// it, the two instrument models, the shared flags and the few services of the window (the log
// box, the page switch, whether a close is waiting). The window fills one for the program; a
// test fills one over the simulated instrument and leaves out what the page does not use.
#include "platform/Types.h"

#include <QString>
#include <functional>

namespace mt52 {

class InstrumentOperations;
class LinkCore;
class MainWindowLink;
class RomDump;
class SettingsTransfer;
class clsInstrument;
struct PageFlags;

struct PageContext {
    // The window's link control: port, status, communication log, waits.
    MainWindowLink* link = nullptr;
    // The protocol engine and the operations over it; null when the window runs on a stand-in
    // link without them.
    LinkCore* core = nullptr;
    SettingsTransfer* settings = nullptr;
    RomDump* dump = nullptr;
    InstrumentOperations* operations = nullptr;

    // The connected instrument and the instrument of a stored record.
    clsInstrument* currentInstrument = nullptr;
    clsInstrument* storedInstrument = nullptr;
    PageFlags* flags = nullptr;

    // One line in the communication log box in the colour (red + 256 green + 65536 blue).
    std::function<void(const QString& text, Long color)> AddLogText;
    // Shows the page of menu button 0..4 alone.
    std::function<void(Integer menuIndex)> ShowPage;
    // A close or termination was confirmed: waits of the pages that do not wait on the link
    // must end when this turns true.
    std::function<bool()> ClosePending;
};

}  // namespace mt52
