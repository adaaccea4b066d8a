#include "views/gui/ExportProgress.h"

#include "common/ModuleState.h"
#include "link/gui/frmUpload.h"
#include "views/ThrottledYield.h"

#include <QApplication>

namespace mt52 {

namespace {
constexpr Long ExportBusyState = 8;
}

ExportProgress::ExportProgress() : previousBusyState_(State().BusyState) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    State().BusyState = ExportBusyState;
    dialog_ = std::make_unique<frmUpload>();
    dialog_->show();
}

ExportProgress::~ExportProgress() {
    dialog_->Unload();
    dialog_.reset();
    State().BusyState = previousBusyState_ == ExportBusyState ? 0 : previousBusyState_;
    QApplication::restoreOverrideCursor();
}

ExportBusyHooks ExportProgressHooks(std::optional<ExportProgress>& slot) {
    ExportBusyHooks hooks;
    hooks.begin = [&slot] { slot.emplace(); };
    hooks.end = [&slot] { slot.reset(); };
    // A long export asks once per row; the loop is served at most every 50 ms.
    hooks.yield = ThrottledYield([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    return hooks;
}

}  // namespace mt52
