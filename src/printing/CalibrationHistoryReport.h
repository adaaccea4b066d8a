#pragma once
// The calibration history and bump test report: the instrument block, then the readings of each
// entry per gas (slots 0, 1 and 4), loaded by record number.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

void PrintCalibrationHistory(PrintTarget& target, ReportForm& form);

}  // namespace mt52
