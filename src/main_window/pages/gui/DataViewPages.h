#pragma once
// The data view installed on the window's data-view page: its behaviour (DataView) over the
// DataViewPage's controls, the entry picked on the Data page and the page context. It lives as
// a child of the page, which deletes it.
#include "views/gui/DataView.h"

#include <QObject>
#include <functional>
#include <memory>

namespace mt52 {

class DataViewPage;
class StoredDataPages;
struct PageContext;

// What the data view needs of the window beyond its page and the page context.
struct DataViewWindowHooks {
    // The installed stored-data pages, which name the entry picked in the tree or list.
    std::function<StoredDataPages*()> StoredData;
    // Hides every page and shows the data view alone, then lays the window out.
    std::function<void()> ShowDataViewPage;
    // The Data page as its menu button shows it (the Return command).
    std::function<void()> ShowDataPage;
    // Lays the window out again.
    std::function<void()> Layout;
};

// The controls of the page that the data view works on.
DataViewControls ControlsOf(DataViewPage& page);

class DataViewPages final : public QObject {
public:
    DataViewPages(DataViewPage& page, PageContext& context, DataViewWindowHooks hooks);
    ~DataViewPages() override;

    // The Detail command of the Data page (and the list's double click).
    void cmdDetail_Click() { view_->cmdDetail_Click(); }
    DataView& View() { return *view_; }

private:
    std::unique_ptr<DataView> view_;
};

}  // namespace mt52
