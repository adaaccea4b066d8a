#pragma once
// The record table of a data view: one fill per record kind on the table grid, without
// widgets, so the main data view, the trend-search window and the tests share it.
#include "platform/Types.h"

namespace mt52 {

class GridModel;
class ViewRecords;

struct RecordTableOptions {
    bool eventOnly = false;  // "Event Only": interval trends list their events only
    bool condensed = false;  // the data view's condensed mode
    bool debugMode = false;  // unit-change events are listed too
    int firstGasSlot = 0;    // the slot of the summary's first gas column (0, or 4 in its place)
    // Rows the table shows at once; an alarm trend scrolls its alarm moment into their middle.
    int visibleRows = 0;
    // The trend-search window's table: its own status colours; the interval trend's third and
    // fourth gas columns shown and not merged.
    bool trendSearch = false;
};

// Fills `table` with the record table of `logType` from the record already loaded in
// `records` (kinds 5 to 8 read their rows from the database at the module's database path,
// by `seqNo`). An interval trend may rewrite rows 2 and 6 of `summary`; a sensor history
// (kind 8) fills `summary` as well. Kind 9 and unknown kinds leave the table untouched.
void FillRecordTable(int logType, Long seqNo, ViewRecords& records, GridModel& table, GridModel& summary,
                     const RecordTableOptions& options);

}  // namespace mt52
