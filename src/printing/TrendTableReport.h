#pragma once
// The data table of an interval trend, alarm trend or snapshot (report kinds 1, 2 and 11), copied
// from the record table the calling window shows, so the paper holds exactly the rows the user
// saw. Two gas columns (one for a snapshot); long tables continue on new pages with the header and
// the column titles repeated.
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

void PrintTrendTable(PrintTarget& target, ReportForm& form);

}  // namespace mt52
