#pragma once
// The record table of an alarm trend: one row per sample, the alarm moment (row 361, the
// middle of the 720 samples) marked red and scrolled into the middle of the view. The main
// data view and the trend-search window both fill their grids with it.
#include "views/TrendGasColumns.h"

namespace mt52 {

class GridModel;
class clsAlarm;

// The row of the alarm moment.
inline constexpr int AlarmMomentRow = 361;

// The first row to show so that the alarm moment sits in the middle of `visibleRows` rows of a
// table of `rows` rows (the heading included); row 1 when the number is not known (0).
int AlarmMomentTopRow(int rows, int visibleRows);

// Fills `table` (6 columns: "No", "Date/Time", gas slots 0 to 3; the data view hides the last
// two, the trend-search window shows them) from the loaded record. The last two gas columns
// have their merge switches on, which shows only under a merging mode (the tables set none).
// The first gas column shows the reading in vol% (slot 4) where the %LEL reading of an
// enabled slot 0 is over its range and the vol% reading is within its own. `visibleRows` is the number of rows under the heading the view shows at
// once; the table is scrolled so that the alarm moment sits in their middle (at the top when
// the number is not known, 0).
void FillAlarmTable(const clsAlarm& record, GridModel& table, int visibleRows,
                    TrendGasColumns shown = TrendGasColumns::FirstTwo);

}  // namespace mt52
