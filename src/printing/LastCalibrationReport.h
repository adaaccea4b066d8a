#pragma once
// The last-calibration list: the rows of the calibration-history list as it shows them, landscape.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

void PrintLastCalibration(PrintTarget& target, ReportForm& form);

}  // namespace mt52
