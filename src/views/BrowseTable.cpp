#include "views/BrowseTable.h"

#include "platform/GridModel.h"

namespace mt52 {

SummaryFill ShowBrowseTable(int logType, Long seqNo, ViewRecords& records, GridModel& summary, GridModel& table,
                            const BrowseTableOptions& options) {
    for (int col = 0; col < table.Cols(); ++col) {
        table.SetColHidden(col, false);
        table.SetMergeCol(col, false);
    }
    const SummaryFill shown = FillRecordSummary(logType, records, summary);
    if (options.tableSelected) {
        table.SetRedraw(false);
        try {
            FillRecordTable(logType, seqNo, records, table, summary, options.table);
        } catch (...) {
            table.SetRedraw(true);
            throw;
        }
    }
    if (logType == 9)
        table.Clear();
    table.SetRedraw(true);
    table.Refresh();
    return shown;
}

}  // namespace mt52
