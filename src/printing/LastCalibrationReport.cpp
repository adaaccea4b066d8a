#include "printing/LastCalibrationReport.h"

namespace mt52 {

void PrintLastCalibration(PrintTarget&, ReportForm&) {}

}  // namespace mt52
