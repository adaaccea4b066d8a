#include "ProgramAssembly.h"

#include "main_window/PageContext.h"
#include "main_window/gui/frmMain.h"
#include "main_window/pages/gui/BrowserPages.h"
#include "main_window/pages/gui/InstrumentPagesWindow.h"

#include <QPushButton>

namespace mt52 {

std::unique_ptr<frmMain> AssembleMainWindow() {
    auto window = std::make_unique<frmMain>();
    InstallPages(*window);
    return window;
}

void InstallPages(frmMain& window) {
    // The stored-data pages (browser) and the instrument pages are created here over the page
    // objects and window.Context(). The stored-data pages go first: the instrument pages' menu
    // refreshes the Data and Last Calibration pages through them.
    BrowserWindowHooks browserHooks;
    browserHooks.EnableMenuButtons = [&window](bool enabled) {
        for (QPushButton* button : window.cmdInst)
            button->setEnabled(enabled);
    };
    window.SetStoredDataPages(
        std::make_unique<BrowserPages>(window.StoredData(), window.History(), window.Context(), browserHooks));

    PageContext& context = window.Context();
    if (context.core && context.settings && context.dump && context.operations) {
        InstrumentPagesServices services;
        services.window = &window;
        services.menu = window.cmdInst;
        services.ResetAfterPowerOff = [&window] { window.ResetAfterPowerOff(); };
        services.EndProgram = [&window] { window.Terminate(); };
        services.Layout = [&window] { window.Form_Resize(); };
        services.Close = [&window] { window.close(); };
        services.RefreshDataPage = [&window] { window.StoredDataHandlers()->RefreshDataPage(); };
        services.ShowCalHistoryList = [&window] { window.StoredDataHandlers()->ShowCalHistoryList(); };
        window.SetInstrumentPages(std::make_unique<InstrumentPagesWindow>(
            window.Download(), window.Instruments(), window.Option(), window.History(), context, std::move(services)));
    }
}

}  // namespace mt52
