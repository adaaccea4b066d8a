#pragma once
// The page header and the table rows every report shares, and the small steps the report bodies
// repeat: rules, blank lines, the start of a continuation page, a number with its unit.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

#include <QString>
#include <QStringList>

namespace mt52 {

// The page header's right margin (twips): its date ends this far from the right edge of the
// printable area, and nothing of a report is printed beyond it.
inline constexpr double PageRightMargin = 300;

// The kind text after the title ("  (Interval Trend)" ...); empty for an unknown kind. An alarm
// trend recorded with Sampling 2 is an interval recording and says so. Kind 2 without its record
// raises 91.
QString ReportKindText(const ReportForm& form);

// Draws the page header at the top of the current page: the title "MT-52 Data Logger" with the
// kind text in 12-point bold, and the date and time of now in 9-point bold at the right. Leaves the
// target in 9 points, not bold, black, at the left edge of the line below.
void PrintPageHeader(PrintTarget& target, const ReportForm& form);

// Draws one table row at the current height: cell i is placed in column i by its alignment code
// (ReportForm::ColumnX, ColumnAlign), then the position moves down 1.1 line heights. A target
// that is neither a printer nor the report form is left untouched. A cell past column 10, or an
// alignment other than left in column 10, raises 9.
void PrintTableRow(PrintTarget& target, const ReportForm& form, const QStringList& cells);

// A row of one empty cell: the reports' blank line.
void PrintBlankLine(PrintTarget& target, const ReportForm& form);

// A full-width rule 30 twips below the current height in the given pen width; the position ends
// at its right end, so the next row starts 30 twips lower. DrawWidth is 1 afterwards.
void PrintRule(PrintTarget& target, double drawWidth = 1);

// Ends a page of a long table: a new page with its header, the position a tenth of the page
// *width* below the top, where the body repeats its column caption.
void StartContinuationPage(PrintTarget& target, const ReportForm& form);

// A reading's text with its unit: " 12.5%LEL" when the text reads as a number, else unchanged.
QString WithUnit(const QString& text, const QString& unit);

}  // namespace mt52
