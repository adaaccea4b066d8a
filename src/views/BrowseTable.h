#pragma once
// The frame of the data view's table view: the summary of the shown record, then, while the
// table is the chosen view, its record table, with the table's drawing held back meanwhile.
#include "platform/Types.h"
#include "views/RecordSummary.h"
#include "views/RecordTables.h"

namespace mt52 {

class GridModel;
class ViewRecords;

struct BrowseTableOptions {
    // The Table option is selected: the record table is filled; otherwise it is left alone.
    bool tableSelected = true;
    RecordTableOptions table;
};

// Fills `summary` and, with the Table option selected, `table` from the record of `logType`
// and `seqNo` already loaded in `records`. Every column of the table is shown again and its
// column merging switched off before the fill; a bar-hole record's table is left empty.
// Returns what became of the summary (a kind without one should hide the grid).
SummaryFill ShowBrowseTable(int logType, Long seqNo, ViewRecords& records, GridModel& summary, GridModel& table,
                            const BrowseTableOptions& options);

// The trend-search window's fill of its own grids. Unlike the data view it hides no gas column:
// all four gases of the summary and the table show, and the grids scroll sideways to reach them.
// An interval trend (kind 1) gets the window's 18-row summary with the STEL and TWA rows and its
// table in the window's status colours; a bar hole (9) the same summary and no table (the table
// keeps what it showed); an alarm trend (2) its summary and table filled as in the data view.
// Any other kind leaves the summary one empty cell (Hidden) and fills no table. Every column of
// the table is shown again first.
SummaryFill FillTrendTables(int logType, ViewRecords& records, GridModel& summary, GridModel& table,
                            RecordTableOptions options);

}  // namespace mt52
