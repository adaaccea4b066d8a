#pragma once
// What a report draws on: a printer page (or a PDF file), the report window's own preview, or a
// recording in the tests. Lengths are twips (1440 an inch) measured from the top-left corner of
// the printable area; colours are red + 256 green + 65536 blue.
//
// The pen, colour, font and position are plain state kept here and read by the drawing
// operations, as on the printer object the reports were written for: a report sets FontSize,
// then measures and prints with it.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class GraphSurface;

class PrintTarget {
public:
    // The printer, the report window's preview, or anything else (which the table rows skip).
    enum class Kind { Printer, ReportForm, Other };
    enum Orientation : int { Portrait = 1, Landscape = 2 };

    virtual ~PrintTarget() = default;

    virtual Kind TargetKind() const = 0;
    bool IsPrinter() const { return TargetKind() == Kind::Printer; }

    // The page size, twips.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // The printable area, twips.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // The orientation the document prints in (the printer may have refused the one asked for).
    virtual int PageOrientation() const = 0;

    // Size of a text in the current font; the height is that of a line.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    // Prints a text with its top-left corner at (CurrentX, CurrentY) in the current font and
    // ForeColor. Without ending the line the position moves to the end of the text on the same
    // line; ending the line moves it to the left edge of the next line.
    void Print(const QString& text, bool endLine = true);
    // A line from one point to another in the current DrawWidth; the position ends at its end.
    void Line(double x1, double y1, double x2, double y2, Long colour = 0);

    // Ends the page and starts the next one; the position goes to the top-left corner.
    virtual void NewPage() = 0;
    // Completes the document. A target destroyed before this discards what it drew.
    virtual void EndDoc() = 0;

    // A graph surface on the current page, in the same twips, for the trend graph to draw on.
    virtual GraphSurface& Graph() = 0;

    double CurrentX = 0;
    double CurrentY = 0;
    Long ForeColor = 0;
    // Pen width of lines, counted in screen pixels (1/96 inch).
    double DrawWidth = 1;
    QString FontName = QStringLiteral("Liberation Sans");
    double FontSize = 9;
    bool FontBold = false;

protected:
    virtual void DrawText(double x, double y, const QString& text) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2, Long colour) = 0;
};

}  // namespace mt52
