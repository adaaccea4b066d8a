#include "printing/TrendTableReport.h"

namespace mt52 {

void PrintTrendTable(PrintTarget&, ReportForm&) {}

}  // namespace mt52
