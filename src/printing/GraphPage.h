#pragma once
// The graph page of a trend record: the print graph is filled from the record before the printer
// is chosen, then drawn on the page below the summary block.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

// Fills form.zelPrint() with the series, titles, samples and marks of the request's trend record.
void BuildPrintGraph(ReportForm& form);

// Draws the print graph on the target inside 2 % to 97 % of its width and 40 % to 85 % of its
// height.
void PrintGraph(PrintTarget& target, ReportForm& form);

}  // namespace mt52
