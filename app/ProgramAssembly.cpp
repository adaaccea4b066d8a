#include "ProgramAssembly.h"

#include "main_window/PageContext.h"
#include "main_window/gui/frmMain.h"
#include "main_window/pages/gui/InstrumentPagesWindow.h"

namespace mt52 {

std::unique_ptr<frmMain> AssembleMainWindow() {
    auto window = std::make_unique<frmMain>();
    InstallPages(*window);
    return window;
}

void InstallPages(frmMain& window) {
    // The stored-data pages (browser) are created here over window.StoredData() ... and
    // window.Context(), and installed with window.SetStoredDataPages. Until a page's behaviour is
    // installed, the menu only switches pages.
    PageContext& context = window.Context();
    if (context.core && context.settings && context.dump && context.operations) {
        InstrumentPagesServices services;
        services.window = &window;
        services.menu = window.cmdInst;
        services.ResetAfterPowerOff = [&window] { window.ResetAfterPowerOff(); };
        services.EndProgram = [&window] { window.Terminate(); };
        services.Layout = [&window] { window.Form_Resize(); };
        services.Close = [&window] { window.close(); };
        window.SetInstrumentPages(std::make_unique<InstrumentPagesWindow>(
            window.Download(), window.Instruments(), window.Option(), window.History(), context, std::move(services)));
    }
}

}  // namespace mt52
