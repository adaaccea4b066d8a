#include "ProgramAssembly.h"

#include "main_window/gui/frmMain.h"
#include "main_window/pages/gui/BrowserPages.h"

#include <QPushButton>

namespace mt52 {

std::unique_ptr<frmMain> AssembleMainWindow() {
    auto window = std::make_unique<frmMain>();
    InstallPages(*window);
    return window;
}

void InstallPages(frmMain& window) {
    // The instrument pages (main_window/pages) and the stored-data pages (browser) are created
    // here over window.Download(), window.Option() ... and window.Context(), and installed with
    // window.SetInstrumentPages and window.SetStoredDataPages. Until a page's behaviour is
    // installed, the menu only switches pages.
    BrowserWindowHooks browserHooks;
    browserHooks.EnableMenuButtons = [&window](bool enabled) {
        for (QPushButton* button : window.cmdInst)
            button->setEnabled(enabled);
    };
    window.SetStoredDataPages(
        std::make_unique<BrowserPages>(window.StoredData(), window.History(), window.Context(), browserHooks));
}

}  // namespace mt52
