#pragma once
// The stored-data browser installed on the window's Data and Calibration History pages: the
// record tree, list, detail grid and deletion on the StoredDataPage's controls, the history
// list on the HistoryPage's, with the shared flags of the page context.
#include "browser/gui/CalHistoryBrowser.h"
#include "browser/gui/StoredDataBrowser.h"
#include "main_window/PageHandlers.h"

#include <functional>
#include <memory>

namespace mt52 {

class HistoryPage;
class StoredDataPage;
struct PageContext;

// What the browser needs of the window beyond the page context.
struct BrowserWindowHooks {
    // Enables or disables the menu buttons (Exit among them) while the tree is rebuilt.
    std::function<void(bool)> EnableMenuButtons;
    // The Detail command of the Data page (the data view).
    std::function<void()> OpenDetail;
    // True until the window's first activation: the history choices then fill nothing.
    std::function<bool()> FirstActivation;
    // Fills the Instruments page (in its stored-data form while ShowingStoredInstrument is set).
    std::function<void()> ShowInstrumentInfo;
};

class BrowserPages final : public StoredDataPages {
public:
    BrowserPages(StoredDataPage& data, HistoryPage& history, PageContext& context, BrowserWindowHooks hooks = {});
    ~BrowserPages() override;

    void optHistory_Click(Integer index) override;
    void RefreshDataPage() override;
    void ShowCalHistoryList() override;
    Long CurrentLogType() const override { return browser_->CurrentLogType(); }
    Long CurrentSeqNo() const override { return browser_->CurrentSeqNo(); }

    StoredDataBrowser& Browser() { return *browser_; }
    CalHistoryBrowser& History() { return *history_; }

private:
    std::unique_ptr<StoredDataBrowser> browser_;
    std::unique_ptr<CalHistoryBrowser> history_;
};

}  // namespace mt52
