#pragma once
// The report job: lets the user choose a printer, prints the page header and the body of the
// report's kind (or the graph page of a trend record), ends the document and puts the printer
// that was current before back. The printers and the choice come through small interfaces, so
// tests drive the job without widgets.
#include "platform/Types.h"
#include "printing/ReportForm.h"

#include <QString>
#include <functional>
#include <memory>

namespace mt52 {

class PrintTarget;

// The platform's printers and the current one.
class PrinterList {
public:
    virtual ~PrinterList() = default;
    virtual int Count() const = 0;
    virtual QString DeviceName(int index) const = 0;
    // The device name of the current printer; empty when there is none.
    virtual QString CurrentDeviceName() const = 0;
    // Makes printer `index` the current one.
    virtual void MakeCurrent(int index) = 0;
    // Starts a document on the current printer, asking for an orientation (PrintTarget::Portrait
    // or Landscape; a printer that refuses prints in its own). nullptr when the user withdrew
    // while it was being opened (for a file: no file name given). Raises when it cannot start.
    virtual std::unique_ptr<PrintTarget> BeginDocument(int orientation) = 0;
};

// The printer choice: the index of the chosen printer in the list, or -1 for none.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    virtual Integer ChoosePrinter(PrinterList& printers) = 0;
};

enum class ReportOutcome { Printed, Cancelled, Failed };

class ReportJob {
public:
    ReportJob(PrinterList& printers, PrinterChooser& chooser);

    // Shows a busy pointer while printing (true) and restores it (false).
    std::function<void(bool busy)> busyPointer;

    // Prints the report and returns how it went. A failure while printing discards the
    // document (no partial file is left) and tells the user; a cancelled choice prints nothing.
    // Either way the printer that was current when the job started is current again.
    ReportOutcome GoPrinter(const ReportRequest& request, const ReportOptions& options);

    // The index of the current printer in the list (the last of equal names); -1 when none.
    static int FindDefaultPrinter(const PrinterList& printers);

    // The failure text of the last failed print.
    const QString& LastError() const { return lastError_; }

private:
    ReportOutcome PrintCommand(ReportForm& form);
    void PrintBody(PrintTarget& target, ReportForm& form);

    PrinterList& printers_;
    PrinterChooser& chooser_;
    QString lastError_;
};

// Whether a request asks for the graph page (a trend record with the graph flag).
bool WantsGraphPage(const ReportRequest& request);

}  // namespace mt52
