#pragma once
// The option page's "FRAM DUMP" button: after the user confirms, the link downloads the
// instrument's memory dump as a listing into "DumpEF.dat" in the program folder, under the
// transfer progress dialog, with lines in the log box and the communication log. Refused
// while the live-reading poll or a span calibration runs.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// What the command uses of the main window and its link control.
class FramDumpHost {
public:
    virtual ~FramDumpHost() = default;
    // The link's live-reading poll runs.
    virtual bool LiveReadingRunning() const = 0;
    // Disables the window's transfer commands; the next call with true restores them.
    virtual void SetTransferCommandsEnabled(bool enabled) = 0;
    // Shows the progress dialog without blocking (caption text 6019, label text 5445) and
    // closes it again.
    virtual void ShowProgress() = 0;
    virtual void CloseProgress() = 0;
    // The user pressed the progress dialog's cancel button.
    virtual bool ProgressCanceled() const = 0;
    // One line in the log box, one entry in the communication log.
    virtual void AddLogText(const QString& text, Long color) = 0;
    virtual void AddLog(const QString& text) = 0;
    // The link's dump-listing download into the file; true when it succeeded.
    virtual bool GetRomDump2(const QString& path) = 0;
};

// What became of a press of the button.
enum class FramDumpOutcome { Refused, Declined, Done, Failed, Cancelled };

// Runs the button's command. Whatever way the download ends (failure, cancel, an error
// raised inside the link), the progress dialog closes, the transfer commands come back,
// BusyState returns to 0 and the finishing lines are written; a download that did not
// succeed is reported in red in the log box.
FramDumpOutcome RunFramDump(FramDumpHost& host);

// The listing file in the program folder.
QString DumpListPath();

}  // namespace mt52
