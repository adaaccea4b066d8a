#include "link/gui/TransferProgress.h"

#include "common/ModuleState.h"

#include <QLabel>

namespace mt52 {

TransferProgress::TransferProgress(Long busyState, UploadCancelHooks link, QWidget* parent) {
    State().BusyState = busyState;
    dialog_ = std::make_unique<frmUpload>(std::move(link), parent);
    dialog_->show();
}

TransferProgress::~TransferProgress() {
    dialog_->Unload();
    dialog_.reset();
    State().BusyState = 0;
}

void TransferProgress::SetText(const QString& text) { dialog_->lblUpload->setText(text); }

}  // namespace mt52
