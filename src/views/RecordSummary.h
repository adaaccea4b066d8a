#pragma once
// The summary grid of a data view: the record's properties (name, period, identity, counts)
// and, for trends, one column per gas with its average, maximum, minimum and alarm levels.
// Plain fills over a record and a grid, so the main data view, the trend-search window and
// the tests share them.
#include "platform/Types.h"
#include "views/TrendGasColumns.h"

namespace mt52 {

class GridModel;
class RecordFrame;
class ViewRecords;
class clsAlarm;
class clsInterval;

// What became of the summary grid.
enum class SummaryFill {
    Filled,   // the grid holds the record's summary
    ByTable,  // left as it was: the record table writes it (sensor history)
    Hidden,   // the kind has no summary: the grid is one empty cell and should not show
};

// The gas slot of a trend's first gas column: 4 (the first sensor in its other unit) when
// slot 0 holds no data and slot 4 does, else 0.
int SummaryFirstGasSlot(const RecordFrame& record);

// The summary of an interval trend (16 rows, gas columns 3 and 4 hidden). A bar-hole record
// shows "-----" for its data count.
void FillIntervalSummary(const clsInterval& record, bool barHole, GridModel& summary);
// The trend-search window's summary of an interval trend or bar hole: the 16 rows above and
// then the STEL and TWA rows (slots 2 and 3 only; "*****" in the first two gas columns), 18
// rows in all, their numbers with their units too. All four gas columns show; equal
// neighbouring cells of columns 3 and 4 merge down the column.
void FillTrendSearchIntervalSummary(const clsInterval& record, bool barHole, GridModel& summary);
// The summary of an alarm trend (11 rows). The data view hides gas columns 3 and 4; the
// trend-search window shows them, equal neighbouring cells merging down each of them.
void FillAlarmSummary(const clsAlarm& record, GridModel& summary, TrendGasColumns shown = TrendGasColumns::FirstTwo);
// The identity rows of a history, bump test or event list (5 rows), or of a snapshot (6 rows,
// with its name and date).
void FillPropertySummary(const RecordFrame& record, bool snapshot, GridModel& summary);

// The summary of a record kind (Log_Head.Types) from the record already loaded in `records`.
SummaryFill FillRecordSummary(int logType, ViewRecords& records, GridModel& summary);

}  // namespace mt52
