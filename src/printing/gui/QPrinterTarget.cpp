#include "printing/gui/QPrinterTarget.h"

#include "graph/gui/QPainterGraphSurface.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/gui/QtUserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace mt52 {

namespace {
constexpr double TwipsPerInch = 1440;
}

QPrinterTarget::QPrinterTarget(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) { Begin(); }

QPrinterTarget::QPrinterTarget(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTemporaryFile> temporary,
                               QString pdfPath)
    : printer_(std::move(printer)), temporary_(std::move(temporary)), pdfPath_(std::move(pdfPath)) {
    Begin();
}

std::unique_ptr<QPrinterTarget> QPrinterTarget::ForPdf(std::unique_ptr<QPrinter> printer, const QString& pdfPath) {
    const QFileInfo info(pdfPath);
    auto temporary = std::make_unique<QTemporaryFile>(info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    if (!temporary->open())
        Raise(ErrPathFileAccess, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(pdfPath), temporary->errorString()));
    temporary->close();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(temporary->fileName());
    return std::unique_ptr<QPrinterTarget>(new QPrinterTarget(std::move(printer), std::move(temporary), pdfPath));
}

void QPrinterTarget::Begin() {
    unitsPerPixel_ = TwipsPerInch / std::max(1, printer_->resolution());
    if (!painter_.begin(printer_.get()))
        Raise(ErrDeviceIO, QStringLiteral("The printer \"%1\" cannot start a document.").arg(printer_->printerName()));
}

QPrinterTarget::~QPrinterTarget() {
    graph_.reset();
    if (!ended_) {
        if (temporary_ == nullptr)
            printer_->abort();
        if (painter_.isActive())
            painter_.end();
    }
    // The temporary file of an unfinished PDF goes with temporary_.
}

double QPrinterTarget::Width() const { return Twips(printer_->paperRect(QPrinter::DevicePixel).width()); }
double QPrinterTarget::Height() const { return Twips(printer_->paperRect(QPrinter::DevicePixel).height()); }
double QPrinterTarget::ScaleWidth() const { return Twips(printer_->width()); }
double QPrinterTarget::ScaleHeight() const { return Twips(printer_->height()); }

int QPrinterTarget::PageOrientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

const QFont& QPrinterTarget::CurrentFont() const {
    if (fontName_ != FontName || fontSize_ != FontSize || fontBold_ != FontBold) {
        font_ = QFont(FontName);
        font_.setPointSizeF(std::max(1.0, FontSize));
        font_.setBold(FontBold);
        fontName_ = FontName;
        fontSize_ = FontSize;
        fontBold_ = FontBold;
    }
    return font_;
}

double QPrinterTarget::TextWidth(const QString& text) const {
    return Twips(QFontMetricsF(CurrentFont(), printer_.get()).horizontalAdvance(text));
}

double QPrinterTarget::TextHeight(const QString&) const {
    return Twips(QFontMetricsF(CurrentFont(), printer_.get()).height());
}

void QPrinterTarget::DrawText(double x, double y, const QString& text) {
    const QFont& font = CurrentFont();
    painter_.setFont(font);
    painter_.setPen(ToQColor(ForeColor));
    const QFontMetricsF metrics(font, printer_.get());
    painter_.drawText(QPointF(Pixels(x), Pixels(y) + metrics.ascent()), text);
}

void QPrinterTarget::DrawLine(double x1, double y1, double x2, double y2, Long colour) {
    QPen pen(ToQColor(colour));
    pen.setWidthF(std::max(1.0, Pixels(DrawWidth * TwipsPerPixel)));
    painter_.setPen(pen);
    painter_.drawLine(QPointF(Pixels(x1), Pixels(y1)), QPointF(Pixels(x2), Pixels(y2)));
}

void QPrinterTarget::NewPage() {
    if (!printer_->newPage())
        Raise(ErrDeviceIO, QStringLiteral("The printer cannot start a new page."));
    CurrentX = 0;
    CurrentY = 0;
}

void QPrinterTarget::EndDoc() {
    graph_.reset();
    if (!painter_.end())
        Raise(ErrDeviceIO, QStringLiteral("The printer cannot finish the document."));
    ended_ = true;
    if (temporary_ == nullptr)
        return;
    if (QFileInfo(temporary_->fileName()).size() <= 0)
        Raise(ErrDeviceIO, QStringLiteral("%1 could not be written.").arg(QDir::toNativeSeparators(pdfPath_)));
    std::error_code error;
    std::filesystem::rename(temporary_->fileName().toStdString(), pdfPath_.toStdString(), error);
    if (error)
        Raise(ErrPathFileAccess, QStringLiteral("%1: %2")
                                     .arg(QDir::toNativeSeparators(pdfPath_), QString::fromStdString(error.message())));
    temporary_->setAutoRemove(false);
}

GraphSurface& QPrinterTarget::Graph() {
    if (!graph_)
        graph_ = std::make_unique<QPainterGraphSurface>(painter_, GraphSurface::Kind::Printer, QFont(FontName, 9));
    return *graph_;
}

}  // namespace mt52
