#include "printing/gui/ReportPrinter.h"

#include "common/ModuleState.h"

#include <QApplication>

namespace mt52 {

ReportPrinter::ReportPrinter(QWidget* parent) : chooser_(parent, State().CommonFont) {}

ReportOutcome ReportPrinter::GoPrinter(const ReportRequest& request, const ReportOptions& options) {
    printers_.Refresh();
    ReportJob job(printers_, chooser_);
    job.busyPointer = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    return job.GoPrinter(request, options);
}

}  // namespace mt52
