#include "main_window/pages/gui/DataViewPages.h"

#include "main_window/PageContext.h"
#include "main_window/PageFlags.h"
#include "main_window/PageHandlers.h"
#include "main_window/gui/ControlFactory.h"
#include "main_window/gui/DataViewPage.h"

#include <QAbstractButton>
#include <QGroupBox>

namespace mt52 {

DataViewControls ControlsOf(DataViewPage& page) {
    DataViewControls c;
    c.fraMenu3 = &page;
    c.optBrowse = page.optBrowse;
    c.cmdBrowse = page.cmdBrowse;
    c.chkEvent = page.chkEvent;
    c.chkOutline = page.chkOutline;
    c.chkBrowse = page.chkBrowse;
    c.cmbBrowse = page.cmbBrowse;
    c.vfgSummary = page.vfgSummary;
    c.vfgBrowse = page.vfgBrowse;
    c.zelGraph = page.zelGraph;
    return c;
}

DataViewPages::DataViewPages(DataViewPage& page, PageContext& context, DataViewWindowHooks hooks)
    : QObject(&page) {
    DataViewServices services;
    const auto storedData = hooks.StoredData;
    services.CurrentLogType = [storedData]() -> Long {
        StoredDataPages* pages = storedData ? storedData() : nullptr;
        return pages != nullptr ? pages->CurrentLogType() : 0;
    };
    services.CurrentSeqNo = [storedData]() -> Long {
        StoredDataPages* pages = storedData ? storedData() : nullptr;
        return pages != nullptr ? pages->CurrentSeqNo() : 0;
    };
    services.CurrentInstrument = [&context]() -> const clsInstrument* { return context.currentInstrument; };
    services.ShowDataViewPage = hooks.ShowDataViewPage;
    services.ShowDataPage = hooks.ShowDataPage;
    services.Layout = hooks.Layout;
    if (context.flags)
        services.LastExportFile = &context.flags->LastExportFileName;
    services.SetCaption = [](QWidget* control, const QString& text) {
        if (auto* frame = qobject_cast<QGroupBox*>(control))
            SetCaption(frame, text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            SetCaption(button, text);
    };
    view_ = std::make_unique<DataView>(ControlsOf(page), std::move(services));
}

DataViewPages::~DataViewPages() = default;

}  // namespace mt52
