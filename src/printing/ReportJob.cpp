#include "printing/ReportJob.h"

#include "common/ResText.h"
#include "platform/UserDialogs.h"
#include "printing/CalibrationHistoryReport.h"
#include "printing/EventListReport.h"
#include "printing/GraphPage.h"
#include "printing/LastCalibrationReport.h"
#include "printing/PrintTarget.h"
#include "printing/RecordSummaryReport.h"
#include "printing/ReportPageLayout.h"
#include "printing/TrendTableReport.h"

#include <exception>

namespace mt52 {

namespace {

// Text of the failure message of a print.
constexpr int PrintFailedText = 20601;

// Puts the printer that was current when the job began back when it ends, when it is still in
// the list.
class CurrentPrinterRestore {
public:
    explicit CurrentPrinterRestore(PrinterList& printers)
        : printers_(printers), index_(ReportJob::FindDefaultPrinter(printers)) {}
    ~CurrentPrinterRestore() {
        try {
            if (index_ >= 0 && index_ < printers_.Count())
                printers_.MakeCurrent(index_);
        } catch (...) {
        }
    }
    CurrentPrinterRestore(const CurrentPrinterRestore&) = delete;
    CurrentPrinterRestore& operator=(const CurrentPrinterRestore&) = delete;

private:
    PrinterList& printers_;
    int index_;
};

class BusyPointer {
public:
    explicit BusyPointer(const std::function<void(bool)>& hook) : hook_(hook) {
        if (hook_)
            hook_(true);
    }
    ~BusyPointer() {
        if (hook_)
            hook_(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    const std::function<void(bool)>& hook_;
};

bool IsTrendKind(Long kind) {
    return kind == ReportKind::IntervalTrend || kind == ReportKind::AlarmTrend || kind == ReportKind::BarHole;
}

}  // namespace

bool WantsGraphPage(const ReportRequest& request) { return request.graph && IsTrendKind(request.kind); }

ReportJob::ReportJob(PrinterList& printers, PrinterChooser& chooser) : printers_(printers), chooser_(chooser) {}

int ReportJob::FindDefaultPrinter(const PrinterList& printers) {
    int found = -1;
    const QString current = printers.CurrentDeviceName();
    for (int i = 0; i < printers.Count(); ++i)
        if (printers.DeviceName(i) == current)
            found = i;
    return found;
}

ReportOutcome ReportJob::GoPrinter(const ReportRequest& request, const ReportOptions& options) {
    lastError_.clear();
    CurrentPrinterRestore restore(printers_);
    ReportForm form(request, options);
    if (WantsGraphPage(request))
        BuildPrintGraph(form);
    return PrintCommand(form);
}

ReportOutcome ReportJob::PrintCommand(ReportForm& form) {
    const Integer selNo = chooser_.ChoosePrinter(printers_);
    if (selNo < 0 || selNo >= printers_.Count())
        return ReportOutcome::Cancelled;
    printers_.MakeCurrent(selNo);

    const Long kind = form.Request().kind;
    const int orientation = kind == ReportKind::LastCalibration ? PrintTarget::Landscape : PrintTarget::Portrait;
    try {
        std::unique_ptr<PrintTarget> target = printers_.BeginDocument(orientation);
        if (!target)
            return ReportOutcome::Cancelled;
        // Busy from here: the file name has been asked, and the failure message comes after.
        BusyPointer busy(busyPointer);
        PrintPageHeader(*target, form);
        PrintBody(*target, form);
        target->EndDoc();
        return ReportOutcome::Printed;
    } catch (const std::exception& e) {
        // The target was dropped unfinished on the way out, which discards the document.
        lastError_ = QString::fromUtf8(e.what());
    }
    MsgBox(GetResText(PrintFailedText, {lastError_}), vbExclamation, form.Options().modelName);
    return ReportOutcome::Failed;
}

void ReportJob::PrintBody(PrintTarget& target, ReportForm& form) {
    const Long kind = form.Request().kind;
    if (WantsGraphPage(form.Request())) {
        if (kind != ReportKind::BarHole)
            PrintRecordSummary(target, form);
        PrintGraph(target, form);
        return;
    }
    switch (kind) {
    case ReportKind::IntervalTrend:
    case ReportKind::AlarmTrend:
    case ReportKind::SnapShot:
        PrintRecordSummary(target, form);
        PrintTrendTable(target, form);
        break;
    case ReportKind::BarHole: PrintRecordSummary(target, form); break;
    case ReportKind::CalibrationHistory:
    case ReportKind::BumpTest: PrintCalibrationHistory(target, form); break;
    case ReportKind::LastCalibration: PrintLastCalibration(target, form); break;
    default: PrintEventList(target, form); break;
    }
}

}  // namespace mt52
