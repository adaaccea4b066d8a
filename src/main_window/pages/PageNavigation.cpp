#include "main_window/pages/PageNavigation.h"

namespace mt52 {

void NavigateMenu(NavigationHost& host, int index) {
    switch (index) {
    case 0:
        host.ShowDownloadStatus();
        host.SetLinkEnabled(true);
        break;
    case 1: host.ShowInstrumentInfo(); break;
    case 2: {
        // The rebuild may take a while; a second click cannot start another meanwhile.
        host.SetMenuButtonEnabled(2, false);
        struct Enable {
            NavigationHost& host;
            ~Enable() { host.SetMenuButtonEnabled(2, true); }
        } enable{host};
        host.RefreshDataPage();
        break;
    }
    case 3: host.ShowCalHistoryList(); break;
    case 4:
        host.ShowInstrumentSettings();
        host.SetLinkEnabled(true);
        break;
    case 5: host.CloseWindow(); return;
    default: return;
    }
    host.ShowPage(index);
}

void PrintLastCalibrationList(NavigationHost& host) {
    if (host.HistoryRows() > 0)
        host.PrintLastCalibration();
}

void ImportDatButton(NavigationHost& host) {
    host.SetBusyPointer(true);
    host.SetBusyPointer(false);
}

bool HasCommaOrCr(const QString& text) { return text.contains(u',') || text.contains(u'\r'); }

}  // namespace mt52
