#pragma once
// The summary block of a trend or snapshot record (report kinds 1, 2, 9 and 11): a two-column
// block of the record's properties and, for the trend kinds, a small table of per-gas figures
// (average, peak and its time, minimum, warning and alarm levels), closed by a heavy rule. It
// starts a twentieth of the page below the top and never breaks the page.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

void PrintRecordSummary(PrintTarget& target, ReportForm& form);

}  // namespace mt52
