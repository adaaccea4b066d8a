#pragma once
// The printers the system knows (through CUPS), in its order, followed by one "PDF file" entry
// that writes the report to a PDF file whose name it asks for when the document starts. The
// current printer starts as the system's default printer, or the PDF file entry when there is
// none, and stays as a report leaves it.
#include "printing/ReportJob.h"

#include <QStringList>

namespace mt52 {

class QtPrinterList final : public PrinterList {
public:
    QtPrinterList();

    // Reads the installed printers again.
    void Refresh();

    int Count() const override { return static_cast<int>(names_.size()) + 1; }
    QString DeviceName(int index) const override;
    QString CurrentDeviceName() const override { return current_; }
    void MakeCurrent(int index) override;
    std::unique_ptr<PrintTarget> BeginDocument(int orientation) override;

    // The name of the PDF file entry.
    static QString PdfEntryName();

private:
    QStringList names_;
    QString current_;
    QString lastPdfFolder_;
};

}  // namespace mt52
