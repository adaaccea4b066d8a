#include "views/RecordTables.h"

#include "common/ModuleState.h"
#include "platform/Database.h"
#include "views/AlarmTable.h"
#include "views/EventTables.h"
#include "views/HistoryTables.h"
#include "views/IntervalTable.h"
#include "views/SnapShotTable.h"
#include "views/ViewRecords.h"

namespace mt52 {

void FillRecordTable(int logType, Long seqNo, ViewRecords& records, GridModel& table, GridModel& summary,
                     const RecordTableOptions& options) {
    switch (logType) {
    case 1: FillIntervalTable(records.Interval(), table, summary, options); break;
    case 2: FillAlarmTable(records.Alarm(), table, options.visibleRows); break;
    case 3: FillHistoryTable(records.History(), false, table); break;
    case 10: FillHistoryTable(records.History(), true, table); break;
    case 5:
    case 6:
    case 7:
    case 8: {
        // Event rows are read straight from the database, which the program keeps at one path.
        Database db(State().DatabasePath);
        FillEventTable(logType, seqNo, db, table, summary);
        break;
    }
    case 11: FillSnapShotTable(records.SnapShot(), table); break;
    default: break;  // a bar hole (9) and unknown kinds have no table
    }
}

}  // namespace mt52
