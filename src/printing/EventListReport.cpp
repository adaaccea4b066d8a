#include "printing/EventListReport.h"

namespace mt52 {

void PrintEventList(PrintTarget&, ReportForm&) {}

}  // namespace mt52
