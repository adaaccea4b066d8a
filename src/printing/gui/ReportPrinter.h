#pragma once
// The program's report printing: one printer list whose current printer is kept from report to
// report, the printer choice dialog and the busy pointer, around the report job. A print command
// fills a ReportRequest and calls GoPrinter.
#include "printing/ReportJob.h"
#include "printing/gui/QtPrinterList.h"
#include "printing/gui/frmSetPrinter.h"

class QWidget;

namespace mt52 {

class ReportPrinter {
public:
    explicit ReportPrinter(QWidget* parent = nullptr);

    ReportOutcome GoPrinter(const ReportRequest& request, const ReportOptions& options = CurrentReportOptions());

    QtPrinterList& Printers() { return printers_; }
    PrinterChoiceDialog& Chooser() { return chooser_; }

private:
    QtPrinterList printers_;
    PrinterChoiceDialog chooser_;
};

}  // namespace mt52
