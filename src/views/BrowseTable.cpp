#include "views/BrowseTable.h"

#include "platform/GridModel.h"
#include "views/AlarmTable.h"
#include "views/IntervalTable.h"
#include "views/ViewRecords.h"

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

SummaryFill FillTrendTables(int logType, ViewRecords& records, GridModel& summary, GridModel& table,
                            RecordTableOptions options) {
    for (int col = 0; col < table.Cols(); ++col)
        table.SetColHidden(col, false);
    options.trendSearch = true;
    switch (logType) {
    case 1:
        FillTrendSearchIntervalSummary(records.Interval(), false, summary);
        FillIntervalTable(records.Interval(), table, summary, options);
        break;
    case 9: FillTrendSearchIntervalSummary(records.Interval(), true, summary); break;
    case 2:
        FillAlarmSummary(records.Alarm(), summary, TrendGasColumns::AllFour);
        FillAlarmTable(records.Alarm(), table, options.visibleRows, TrendGasColumns::AllFour);
        break;
    default:
        summary.Clear();
        summary.SetCols(1);
        summary.SetRows(1);
        return SummaryFill::Hidden;
    }
    table.Refresh();
    return SummaryFill::Filled;
}

}  // namespace mt52
