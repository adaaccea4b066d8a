#pragma once
// The event list reports (alarm, trouble and power events, sensor history): the record's header
// block read from the database by record number, then one numbered row per entry, newest first.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

void PrintEventList(PrintTarget& target, ReportForm& form);

}  // namespace mt52
