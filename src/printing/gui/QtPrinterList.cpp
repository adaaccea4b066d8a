#include "printing/gui/QtPrinterList.h"

#include "common/ResText.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"
#include "printing/gui/QPrinterTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace mt52 {

namespace {
constexpr int PdfEntryText = 20600;
constexpr int PdfSaveTitleText = 20602;

QPageLayout::Orientation PageOrientationOf(int orientation) {
    return orientation == PrintTarget::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}
}  // namespace

QString QtPrinterList::PdfEntryName() { return GetResText(PdfEntryText); }

QtPrinterList::QtPrinterList() : lastPdfFolder_(QDir::homePath()) {
    Refresh();
    current_ = QPrinterInfo::defaultPrinterName();
    if (current_.isEmpty() || !names_.contains(current_))
        current_ = PdfEntryName();
}

void QtPrinterList::Refresh() { names_ = QPrinterInfo::availablePrinterNames(); }

QString QtPrinterList::DeviceName(int index) const {
    if (index >= 0 && index < names_.size())
        return names_[index];
    if (index == names_.size())
        return PdfEntryName();
    Raise(ErrSubscript, QStringLiteral("There is no printer %1.").arg(index));
}

void QtPrinterList::MakeCurrent(int index) { current_ = DeviceName(index); }

std::unique_ptr<PrintTarget> QtPrinterList::BeginDocument(int orientation) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("MT-52 Report"));
    printer->setPageOrientation(PageOrientationOf(orientation));
    if (current_ != PdfEntryName() || names_.contains(current_)) {
        printer->setPrinterName(current_);
        return std::make_unique<QPrinterTarget>(std::move(printer));
    }
    FileDialogRequest request;
    request.title = GetResText(PdfSaveTitleText);
    request.filter = QStringLiteral("PDF (*.pdf)");
    request.directory = lastPdfFolder_;
    request.fileName = QStringLiteral("Report.pdf");
    std::optional<QString> path = Dialogs().SaveFileName(request);
    if (!path || path->isEmpty())
        return nullptr;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".pdf");
    lastPdfFolder_ = QFileInfo(*path).absolutePath();
    return QPrinterTarget::ForPdf(std::move(printer), *path);
}

}  // namespace mt52
