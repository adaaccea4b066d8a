#include "common/PendingRemovals.h"

#include "common/ModuleState.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/StepHook.h"
#include "platform/VbString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <vector>

namespace mt52 {
namespace {

const QString Table = QStringLiteral("PendingRemoval");

struct Entry {
    Long seqNo = 0;
    QString folderId;
    QString names;
    bool dataFolder = false;
};

std::vector<Entry> Entries(Database& db) {
    std::vector<Entry> entries;
    Recordset rows = db.query(QStringLiteral("SELECT SeqNo, FolderID, Names, DataFolder FROM PendingRemoval ORDER BY SeqNo"));
    for (; !rows.atEnd(); rows.moveNext()) {
        Entry e;
        e.seqNo = rows.field(0).toLong();
        e.folderId = rows.field(1).isNull() ? QString() : rows.field(1).toString();
        e.names = rows.field(2).isNull() ? QString() : rows.field(2).toString();
        e.dataFolder = !rows.field(3).isNull() && rows.field(3).toLong() != 0;
        entries.push_back(std::move(e));
    }
    return entries;
}

void Forget(Database& db, Long seqNo) {
    db.execute(QStringLiteral("DELETE FROM PendingRemoval WHERE SeqNo = ?"), {seqNo});
}

// Removes one file (a symbolic link itself, never its target); true when it is gone.
bool RemoveFile(const QString& path, RemovalOutcome& outcome) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    StepPoint();
    if (QFile::remove(path)) {
        ++outcome.FilesRemoved;
        return true;
    }
    outcome.FilesNotRemoved << path;
    return false;
}

// The trend files that rows name, as absolute paths.
QSet<QString> NamedFiles(Database& db) {
    QSet<QString> named;
    Recordset rows = db.query(QStringLiteral("SELECT FolderID, Names FROM Log_Head WHERE Names IS NOT NULL"));
    for (; !rows.atEnd(); rows.moveNext()) {
        const QString names = rows.field(1).toString();
        if (Trim(names).isEmpty())
            continue;
        const QString folder = rows.field(0).isNull() ? QString() : rows.field(0).toString();
        named.insert(QFileInfo(TrendFilePath(folder, names)).absoluteFilePath());
    }
    return named;
}

// Removes everything below the folder that no row names, then the folders left empty
// (deepest first). True when nothing that should go is left.
bool RemoveUnnamed(const QString& folder, const QSet<QString>& named, RemovalOutcome& outcome) {
    bool all = true;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            all = RemoveUnnamed(entry.filePath(), named, outcome) && all;
            QDir().rmdir(entry.filePath());  // stays when it still holds a named file
        } else if (!named.contains(entry.absoluteFilePath())) {
            all = RemoveFile(entry.filePath(), outcome) && all;
        }
    }
    return all;
}

bool RemoveDataFolder(Database& db, RemovalOutcome& outcome) {
    const QString dataFolder = State().DataFolder;
    if (dataFolder.isEmpty())
        return false;  // the data folder is not known yet: the entry waits
    bool all = true;
    if (QFileInfo(dataFolder).isDir() && !QFileInfo(dataFolder).isSymLink())
        all = RemoveUnnamed(dataFolder, NamedFiles(db), outcome);
    QDir().mkpath(dataFolder);
    return all;
}

}  // namespace

void EnsurePendingRemovals(Database& db) {
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS PendingRemoval (SeqNo INTEGER PRIMARY KEY, "
                              "FolderID TEXT, Names TEXT, DataFolder INTEGER NOT NULL DEFAULT 0)"));
}

void AddPendingFile(Database& db, const QString& folderId, const QString& names) {
    EnsurePendingRemovals(db);
    db.execute(QStringLiteral("INSERT INTO PendingRemoval (FolderID, Names) VALUES (?, ?)"), {folderId, names});
}

void AddPendingDataFolder(Database& db) {
    EnsurePendingRemovals(db);
    db.execute(QStringLiteral("INSERT INTO PendingRemoval (DataFolder) VALUES (1)"));
}

void DropPendingFile(Database& db, const QString& folderId, const QString& names) {
    if (!db.hasTable(Table))
        return;
    db.execute(QStringLiteral("DELETE FROM PendingRemoval WHERE DataFolder = 0 AND FolderID = ? AND Names = ?"),
               {folderId, names});
}

bool TrendFileNamed(Database& db, const QString& folderId, const QString& names) {
    const Recordset found = db.query(
        QStringLiteral("SELECT COUNT(*) FROM Log_Head WHERE FolderID = ? AND Names = ?"), {folderId, names});
    return found.field(0).toLong() > 0;
}

RemovalOutcome CompletePendingRemovals(Database& db) {
    RemovalOutcome outcome;
    if (!db.hasTable(Table))
        return outcome;
    for (const Entry& e : Entries(db)) {
        bool done = true;
        if (e.dataFolder)
            done = RemoveDataFolder(db, outcome);
        else if (!Trim(e.names).isEmpty() && !TrendFileNamed(db, e.folderId, e.names))
            done = RemoveFile(TrendFilePath(e.folderId, e.names), outcome);
        if (done)
            Forget(db, e.seqNo);
    }
    return outcome;
}

}  // namespace mt52
