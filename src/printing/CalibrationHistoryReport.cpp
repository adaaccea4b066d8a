#include "printing/CalibrationHistoryReport.h"

namespace mt52 {

void PrintCalibrationHistory(PrintTarget&, ReportForm&) {}

}  // namespace mt52
