#pragma once
// A page context over the simulated instrument, for testing a page's behaviour without the
// window: the link core and the operation objects run against the simulator in-process, the
// log box and the page switch are recorded.
#include "instrument/clsInstrument.h"
#include "link/InstrumentOperations.h"
#include "link/RomDump.h"
#include "link/SettingsTransfer.h"
#include "main_window/PageContext.h"
#include "main_window/PageFlags.h"
#include "support/SimLink.h"

#include <QStringList>
#include <vector>

namespace mt52::test {

struct SimPageContext {
    SimLink sim;
    SettingsTransfer settings{sim.link};
    RomDump dump{sim.link};
    InstrumentOperations operations{sim.link};
    clsInstrument currentInstrument;
    clsInstrument storedInstrument;
    PageFlags flags;
    // What the page wrote to the log box, and the pages it showed.
    QStringList logBox;
    std::vector<Integer> shownPages;
    bool closePending = false;
    PageContext context;

    SimPageContext() {
        context.core = &sim.link;
        context.settings = &settings;
        context.dump = &dump;
        context.operations = &operations;
        context.currentInstrument = &currentInstrument;
        context.storedInstrument = &storedInstrument;
        context.flags = &flags;
        context.AddLogText = [this](const QString& text, Long) { logBox << text; };
        context.ShowPage = [this](Integer page) { shownPages.push_back(page); };
        context.ClosePending = [this] { return closePending; };
    }
    SimPageContext(const SimPageContext&) = delete;
    SimPageContext& operator=(const SimPageContext&) = delete;
};

}  // namespace mt52::test
