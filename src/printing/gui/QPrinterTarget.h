#pragma once
// The print target on a QPrinter: a printer through CUPS or a PDF file. Twips are converted with
// the printer's resolution; the position counts from the top-left corner of the printable area.
//
// A PDF is written to a temporary file beside the chosen one and moved into place by EndDoc, so
// a failed or abandoned report never leaves a partial file; a printer job dropped before EndDoc
// is aborted.
#include "printing/PrintTarget.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>

class QTemporaryFile;

namespace mt52 {

class QPainterGraphSurface;

class QPrinterTarget final : public PrintTarget {
public:
    // Starts painting on a printer that is set up (printer name, orientation). Raises when the
    // printer cannot start.
    explicit QPrinterTarget(std::unique_ptr<QPrinter> printer);
    // The same for a PDF file at `pdfPath`, written through a temporary file beside it.
    static std::unique_ptr<QPrinterTarget> ForPdf(std::unique_ptr<QPrinter> printer, const QString& pdfPath);
    ~QPrinterTarget() override;
    QPrinterTarget(const QPrinterTarget&) = delete;
    QPrinterTarget& operator=(const QPrinterTarget&) = delete;

    Kind TargetKind() const override { return Kind::Printer; }
    double Width() const override;
    double Height() const override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    int PageOrientation() const override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void NewPage() override;
    void EndDoc() override;
    GraphSurface& Graph() override;

protected:
    void DrawText(double x, double y, const QString& text) override;
    void DrawLine(double x1, double y1, double x2, double y2, Long colour) override;

private:
    QPrinterTarget(std::unique_ptr<QPrinter> printer, std::unique_ptr<QTemporaryFile> temporary, QString pdfPath);
    void Begin();
    const QFont& CurrentFont() const;
    double Twips(double devicePixels) const { return devicePixels * unitsPerPixel_; }
    double Pixels(double twips) const { return twips / unitsPerPixel_; }

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTemporaryFile> temporary_;
    QString pdfPath_;
    QPainter painter_;
    double unitsPerPixel_ = 1;
    bool ended_ = false;
    std::unique_ptr<QPainterGraphSurface> graph_;
    mutable QFont font_;
    mutable QString fontName_;
    mutable double fontSize_ = -1;
    mutable bool fontBold_ = false;
};

}  // namespace mt52
