#include "ProgramAssembly.h"

#include "main_window/PageContext.h"
#include "main_window/gui/frmMain.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/pages/gui/BrowserPages.h"
#include "main_window/pages/gui/DataViewPages.h"
#include "main_window/pages/gui/InstrumentPagesWindow.h"

#include <QGroupBox>
#include <QPushButton>

namespace mt52 {

std::unique_ptr<frmMain> AssembleMainWindow() {
    auto window = std::make_unique<frmMain>();
    InstallPages(*window);
    return window;
}

void InstallPages(frmMain& window) {
    // The data view, the stored-data pages (browser) and the instrument pages are created here
    // over the page objects and window.Context(). The data view goes first: the browser's Detail
    // command opens it (it lives as a child of its page, which deletes it). The stored-data pages
    // come before the instrument pages, whose menu refreshes the Data and Last Calibration pages
    // through them.
    DataViewWindowHooks viewHooks;
    viewHooks.StoredData = [&window] { return window.StoredDataHandlers(); };
    viewHooks.ShowDataViewPage = [&window] {
        for (QGroupBox* page : window.fraMenu)
            page->hide();
        window.fraMenu[3]->show();
        window.Form_Resize();
    };
    viewHooks.ShowDataPage = [&window] { window.cmdInst[2]->click(); };
    viewHooks.Layout = [&window] { window.Form_Resize(); };
    auto* dataView = new DataViewPages(window.DataView(), window.Context(), std::move(viewHooks));

    BrowserWindowHooks browserHooks;
    browserHooks.EnableMenuButtons = [&window](bool enabled) {
        for (QPushButton* button : window.cmdInst)
            button->setEnabled(enabled);
    };
    browserHooks.OpenDetail = [dataView] { dataView->cmdDetail_Click(); };
    browserHooks.FirstActivation = [&window] { return window.FirstActivation; };
    browserHooks.ShowInstrumentInfo = [&window] {
        if (InstrumentPages* pages = window.InstrumentHandlers())
            pages->ShowInstrumentInfo();
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
