#pragma once
// Printing a report through the program's own printer list to a PDF file, as a user who picks
// the "PDF file" entry and names the file.
#include "ReportFixture.h"
#include "support/FakeDialogs.h"

#include "printing/gui/QtPrinterList.h"

namespace mt52::test {

// Prints `request` to the PDF file `pdf`: the printer choice takes the last entry of the list,
// and `dialogs` answers the file-name question with `pdf`.
inline ReportOutcome PrintToPdf(FakeDialogs& dialogs, const ReportRequest& request, const ReportOptions& options,
                                const QString& pdf) {
    dialogs.files.push_back(pdf);
    QtPrinterList printers;
    FakeChooser chooser(static_cast<Integer>(printers.Count() - 1));
    ReportJob job(printers, chooser);
    return job.GoPrinter(request, options);
}

}  // namespace mt52::test
