#pragma once
// The progress window for the life of one operation: the busy state is set and the window
// loaded and shown when the object is made; when it goes, however the operation ended (done,
// failed, cancelled, an error thrown), the window is unloaded and the busy state is 0 again.
//
//     TransferProgress progress(BusyAllDownload, UploadCancelHooks::For(link), this);
//     ok = link.GetRomDump2(path);
//     cancelled = progress.Canceled();
#include "link/gui/frmUpload.h"
#include "platform/Types.h"

#include <memory>

class QWidget;

namespace mt52 {

class TransferProgress {
public:
    TransferProgress(Long busyState, UploadCancelHooks link, QWidget* parent = nullptr);
    ~TransferProgress();
    TransferProgress(const TransferProgress&) = delete;
    TransferProgress& operator=(const TransferProgress&) = delete;

    frmUpload& Dialog() { return *dialog_; }
    bool Canceled() const { return dialog_->Canceled(); }
    // Puts a progress text into the window's label (the link's progress events).
    void SetText(const QString& text);

private:
    std::unique_ptr<frmUpload> dialog_;
};

}  // namespace mt52
