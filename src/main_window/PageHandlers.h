#pragma once
// The handlers of the main window's pages that the window itself calls. The pages live in the
// window and are built behind these interfaces; each implementation is handed the window
// (frmMain) when it is created and installed with frmMain::SetInstrumentPages or
// frmMain::SetStoredDataPages. Until one is installed, the window's calls do nothing.
#include "platform/Types.h"

namespace mt52 {

// The download, instruments, option and calibration pages.
class InstrumentPages {
public:
    virtual ~InstrumentPages() = default;
    // The page menu buttons cmdInst(0) to cmdInst(4); cmdInst(5) (Exit) closes the window and is
    // never passed here. The pages disable cmdInst(5) while an instrument is being switched off
    // and while the option page is in calibration mode; the window refuses to close meanwhile.
    virtual void cmdInst_Click(Integer index) = 0;
    // The automatic-mode boxes chkAutoLoad(0) to chkAutoLoad(2). The window calls it only while
    // its AutoLoadClicksEnabled is true, so setting the boxes at load asks and changes nothing.
    virtual void chkAutoLoad_Click(Integer index) = 0;
    // Refreshes the option page from the window's CurrentInstrument (after the detail settings).
    virtual void ShowInstrumentSettings() = 0;
    // Fills the Instruments page: the stored instrument in its stored-data form while the
    // window's ShowingStoredInstrument is set, else the current instrument.
    virtual void ShowInstrumentInfo() {}
};

// The stored-data browser's pages (record tree and list, calibration-history list).
class StoredDataPages {
public:
    virtual ~StoredDataPages() = default;
    // The calibration-history layout choices optHistory(0) to optHistory(2). The window calls it
    // for every choice; before the window's first activation (the choice the default settings
    // make while it loads) the handler sets the Print button but fills nothing.
    virtual void optHistory_Click(Integer index) = 0;
    // The Data page's menu button: rebuilds the record tree when it is marked for it and
    // repaints the page.
    virtual void RefreshDataPage() {}
    // The Calibration History page's menu button: fills the list in the chosen layout.
    virtual void ShowCalHistoryList() {}
    // The entry picked in the record tree or list, which the data view shows: its kind
    // (Log_Head.Types, 0 when none) and its Log_Head.SeqNo.
    virtual Long CurrentLogType() const { return 0; }
    virtual Long CurrentSeqNo() const { return 0; }
};

}  // namespace mt52
