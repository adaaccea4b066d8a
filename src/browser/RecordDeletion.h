#pragma once
// Deleting stored records: one entry, every entry under a folder, or all stored data; and
// the latest-calibration rows of one instrument. Every deletion is one transaction: the child
// rows of the chosen headers (sensor histories included), the headers, and the record of the
// trend files they owned (PendingRemoval, common/PendingRemovals.h) go together, or nothing
// goes. Only after the commit are the files removed, each record's own file (the file its name
// gives, never a pattern) unless a row still names it; a removal that a crash cut short is
// finished at the next start or the next deletion. So a failure deletes no file, and no file
// outlives its row.
#include "browser/LogTree.h"
#include "platform/Types.h"

#include <QString>
#include <QStringList>

namespace mt52 {

class Database;

struct DeletionOutcome {
    int HeadersDeleted = 0;
    int FilesDeleted = 0;
    // Trend files that are still there after the rows were deleted.
    QStringList FilesNotDeleted;
};

// The entry of this kind and number with its rows and trend file. Nothing when a header of
// another kind has the number; when no header has it, the child rows that carry the number
// (left without their header) are deleted.
DeletionOutcome DeleteLogEntry(Database& db, Long logType, Long seqNo);

// Every entry the condition selects (a folder of the record tree).
DeletionOutcome DeleteLogFolder(Database& db, const LogNodeCondition& condition);

// All stored records. The calibration-history list (cLatestHist) stays. Afterwards the data
// folder is there and empty: every file and folder below it goes once the rows are gone.
DeletionOutcome DeleteAllLogs(Database& db);

// The latest-calibration rows of the serial number and user ID as the history grid shows
// them (trimmed; dashes for a blank value), whatever their station ID. Returns the rows deleted.
int DeleteLatestHistory(Database& db, const QString& serialText, const QString& userText);

}  // namespace mt52
