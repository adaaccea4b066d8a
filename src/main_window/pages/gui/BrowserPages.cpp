#include "main_window/pages/gui/BrowserPages.h"

#include "main_window/DatabaseLocation.h"
#include "main_window/PageContext.h"
#include "main_window/PageFlags.h"
#include "main_window/gui/HistoryPage.h"
#include "main_window/gui/StoredDataPage.h"
#include "platform/UserDialogs.h"

namespace mt52 {

namespace {

StoredDataControls ControlsOf(StoredDataPage& page) {
    StoredDataControls c;
    c.tvwLog = page.tvwLog;
    c.chkLog = page.chkLog;
    c.lvwLog = page.lvwLog;
    c.vfgLog = page.vfgLog;
    c.cmdDetail = page.cmdDetail;
    c.cmdListCSV = page.cmdListCSV;
    c.cmdLogInst = page.cmdLogInst;
    c.mnuLog = page.mnuLog;
    c.mnuDelete = page.mnuDelete;
    return c;
}

}  // namespace

BrowserPages::BrowserPages(StoredDataPage& data, HistoryPage& history, PageContext& context, BrowserWindowHooks hooks) {
    StoredDataServices services;
    if (context.flags) {
        services.LogTreeDirty = &context.flags->LogTreeDirty;
        services.LastExportFile = &context.flags->LastExportFileName;
    }
    services.EnablePageButtons = hooks.EnableMenuButtons;
    services.OpenDetail = hooks.OpenDetail;
    services.ShowStoredInstrument = [&context, fill = hooks.ShowInstrumentInfo] {
        if (context.flags)
            context.flags->ShowingStoredInstrument = true;
        if (fill)
            fill();
        if (context.ShowPage)
            context.ShowPage(1);
        if (context.flags)
            context.flags->ShowingStoredInstrument = false;
    };
    browser_ = std::make_unique<StoredDataBrowser>(ControlsOf(data), std::move(services));

    CalHistoryControls historyControls;
    historyControls.optHistory = history.optHistory;
    historyControls.vfgHistory = history.vfgHistory;
    historyControls.cmdLastCal = history.cmdLastCal;
    historyControls.mnuHist = data.mnuHist;
    historyControls.mnuHistDel = data.mnuHistDel;
    CalHistoryServices historyServices;
    historyServices.FirstActivation = hooks.FirstActivation;
    history_ = std::make_unique<CalHistoryBrowser>(historyControls, std::move(historyServices));
}

BrowserPages::~BrowserPages() = default;

void BrowserPages::optHistory_Click(Integer index) { history_->optHistory_Click(index); }

void BrowserPages::RefreshDataPage() {
    // Without a database (its folder could not be made or opened at start) the page says
    // which folder and what to set, rather than failing on the database.
    if (const QString problem = DataLocationProblem(); !problem.isEmpty()) {
        MsgBox(problem, vbOKOnly | vbExclamation, QStringLiteral("MT-52"));
        return;
    }
    browser_->BuildLogTree();
    browser_->RefreshLogPage();
}

void BrowserPages::ShowCalHistoryList() { history_->ShowCalHistoryList(); }

}  // namespace mt52
