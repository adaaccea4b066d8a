#pragma once
// What the user sees while an export writes its file: the busy pointer, busy state 8 and the
// "Now Writing" progress window without a cancel button. All three are taken back when the
// object goes, also when the write fails or raises.
#include "platform/Types.h"
#include "views/SampleFileExport.h"

#include <memory>
#include <optional>

namespace mt52 {

class frmUpload;

class ExportProgress {
public:
    ExportProgress();
    ~ExportProgress();
    ExportProgress(const ExportProgress&) = delete;
    ExportProgress& operator=(const ExportProgress&) = delete;

private:
    Long previousBusyState_;
    std::unique_ptr<frmUpload> dialog_;
};

// Busy hooks for ExportSampleText that show an ExportProgress around the write (kept in `slot`,
// which must outlive the export) and serve the message loop while a long trend is written.
ExportBusyHooks ExportProgressHooks(std::optional<ExportProgress>& slot);

}  // namespace mt52
