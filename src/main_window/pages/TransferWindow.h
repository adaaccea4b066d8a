#pragma once
// What every page command that talks to the instrument uses of the main window: the log box,
// the busy pointer, the transfer progress dialog with its cancel button, and whether a close of
// the window waits for the transfer to end.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class clsInstrument;

class TransferWindow {
public:
    virtual ~TransferWindow() = default;

    // The connected instrument's model.
    virtual clsInstrument& CurrentInstrument() = 0;
    // One line in the log box in the colour (red + 256 green + 65536 blue).
    virtual void AddLogText(const QString& text, Long color) = 0;
    // The hourglass pointer on or off.
    virtual void SetBusyPointer(bool busy) = 0;

    // The progress dialog: shown without blocking (a dialog not on show is loaded anew, which
    // clears its cancel mark; a caption left empty is the one of BusyState), its label, closing
    // it, and whether its cancel button was pressed since it was last loaded.
    virtual void ShowProgress(const QString& caption) = 0;
    virtual void SetProgressLabel(const QString& text) = 0;
    virtual void CloseProgress() = 0;
    virtual bool ProgressCanceled() const = 0;

    // A close of the window was confirmed and waits for the running transfer to end.
    virtual bool ClosePending() const = 0;
};

}  // namespace mt52
