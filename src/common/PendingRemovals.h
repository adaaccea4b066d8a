#pragma once
// Trend files whose removal is owed. A file's ownership lives in the database (a Log_Head row
// names its file by FolderID and Names) while the file lives on disk, and no write reaches
// both at once. So every write that may leave a file without its row first records the file
// in the table PendingRemoval, in the database:
//  - a deletion records the trend files of the rows it deletes (and, for all stored data, the
//    data folder's whole tree) in the same transaction that deletes the rows;
//  - a decoder records the trend file it starts before it creates it.
// CompletePendingRemovals removes what is recorded, and forgets an entry once its file is gone
// or a row names it again (a file a row names is never removed). The program runs it at start
// and after every deletion, so a removal cut short by a crash is finished later.
//
// The table is made on the first write that needs it ("IF NOT EXISTS"), so databases of older
// versions gain it when used; nothing else reads it, and the record tables are not touched.
#include <QString>
#include <QStringList>

namespace mt52 {

class Database;

// Creates the table when it is missing.
void EnsurePendingRemovals(Database& db);

// Records the trend file of a log (FolderID, Names) for removal. Makes the table when missing.
void AddPendingFile(Database& db, const QString& folderId, const QString& names);
// Records the whole data folder (State().DataFolder) for removal: every file below it that no
// row names, and the folders that become empty; the data folder itself is made again.
void AddPendingDataFolder(Database& db);
// Forgets the entries of that file (a decoded log stored under its name). Nothing without the table.
void DropPendingFile(Database& db, const QString& folderId, const QString& names);

// Whether a Log_Head row names the trend file (FolderID and Names, as the files are named).
bool TrendFileNamed(Database& db, const QString& folderId, const QString& names);

struct RemovalOutcome {
    int FilesRemoved = 0;
    QStringList FilesNotRemoved;  // still there: their entries stay for the next completion
};

// Removes every recorded file that no row names, then forgets its entry; a file that cannot be
// removed keeps its entry. Nothing to do when the table is missing. Database failures raise.
RemovalOutcome CompletePendingRemovals(Database& db);

}  // namespace mt52
