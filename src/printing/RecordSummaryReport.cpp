#include "printing/RecordSummaryReport.h"

namespace mt52 {

void PrintRecordSummary(PrintTarget&, ReportForm&) {}

}  // namespace mt52
