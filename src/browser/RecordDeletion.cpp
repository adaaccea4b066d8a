#include "browser/RecordDeletion.h"

#include "common/ModuleState.h"
#include "common/TextHelpers.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/VbString.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <utility>
#include <vector>

namespace mt52 {

namespace {

// The tables whose rows belong to a Log_Head row by RelNo.
const QStringList& ChildTables() {
    static const QStringList tables{
        QStringLiteral("Interval_Data"), QStringLiteral("Interval_Event"), QStringLiteral("Alarm_Data"),
        QStringLiteral("cHistory"),      QStringLiteral("Alarm_Event"),    QStringLiteral("Trouble_Event"),
        QStringLiteral("Power_Event"),   QStringLiteral("Bump"),           QStringLiteral("SnapShot"),
    };
    return tables;
}

using TrendFiles = std::vector<QString>;

DeletionOutcome DeleteFiles(const TrendFiles& files, int headers) {
    DeletionOutcome outcome;
    outcome.HeadersDeleted = headers;
    for (const QString& path : files) {
        if (!QFile::exists(path))
            continue;
        if (QFile::remove(path))
            ++outcome.FilesDeleted;
        else
            outcome.FilesNotDeleted << path;
    }
    return outcome;
}

// Deletes the headers the condition selects with their rows, in one transaction; returns the
// count of headers and the trend files they owned. An empty condition selects every header,
// and then the child tables are emptied whole.
std::pair<int, TrendFiles> DeleteRows(Database& db, const LogNodeCondition& condition) {
    Transaction transaction(db);
    const QString where = condition.Where();
    TrendFiles files;
    const QString trendTypes = where.isEmpty() ? QStringLiteral(" WHERE Types IN (1, 2, 9)")
                                               : QStringLiteral(" AND Types IN (1, 2, 9)");
    Recordset trends =
        db.query(QStringLiteral("SELECT FolderID, Names FROM Log_Head") + where + trendTypes, condition.Values);
    for (; !trends.atEnd(); trends.moveNext()) {
        const Variant folder = trends.field(0);
        const Variant names = trends.field(1);
        if (names.isNull() || Trim(names.toString()).isEmpty())
            continue;  // a record without a name has no file of its own
        files.push_back(TrendFilePath(folder.isNull() ? QString() : folder.toString(), names.toString()));
    }

    const QString headers = QStringLiteral("SELECT SeqNo FROM Log_Head") + where;
    for (const QString& table : ChildTables()) {
        if (where.isEmpty())
            db.execute(QStringLiteral("DELETE FROM ") + table);
        else
            db.execute(QStringLiteral("DELETE FROM %1 WHERE RelNo IN (%2)").arg(table, headers), condition.Values);
    }
    // Sensor histories are read from a table that databases of other origins may lack.
    if (db.hasTable(QStringLiteral("SensorHistory")))
        db.execute(QStringLiteral("DELETE FROM SensorHistory WHERE RelNo IN (%1)").arg(headers), condition.Values);
    const int deleted = db.execute(QStringLiteral("DELETE FROM Log_Head") + where, condition.Values);
    transaction.commit();
    return {deleted, std::move(files)};
}

// Removes the empty folders below the path (deepest first); folders holding anything stay.
void RemoveEmptyFolders(const QString& path) {
    QStringList folders;
    QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    std::sort(folders.begin(), folders.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& folder : folders)
        QDir().rmdir(folder);
}

}  // namespace

DeletionOutcome DeleteLogEntry(Database& db, Long logType, Long seqNo) {
    auto [headers, files] = DeleteRows(db, {QStringLiteral("Types = ? AND SeqNo = ?"), {logType, seqNo}});
    return DeleteFiles(files, headers);
}

DeletionOutcome DeleteLogFolder(Database& db, const LogNodeCondition& condition) {
    auto [headers, files] = DeleteRows(db, condition);
    return DeleteFiles(files, headers);
}

DeletionOutcome DeleteAllLogs(Database& db) {
    auto [headers, files] = DeleteRows(db, {});
    DeletionOutcome outcome = DeleteFiles(files, headers);
    const QString dataFolder = State().DataFolder;
    if (!dataFolder.isEmpty()) {
        RemoveEmptyFolders(dataFolder);
        QDir().mkpath(dataFolder);
    }
    return outcome;
}

int DeleteLatestHistory(Database& db, const QString& serialText, const QString& userText) {
    const LogNodeCondition serial = IdentityCondition(QStringLiteral("SerialNo"), BlankToDashes(serialText, BlankSerialNo), BlankSerialNo);
    const LogNodeCondition user = IdentityCondition(QStringLiteral("UserID"), BlankToDashes(userText, BlankUserId), BlankUserId);
    std::vector<Variant> values = serial.Values;
    values.insert(values.end(), user.Values.begin(), user.Values.end());
    Transaction transaction(db);
    const int deleted =
        db.execute(QStringLiteral("DELETE FROM cLatestHist WHERE %1 AND %2").arg(serial.Sql, user.Sql), values);
    transaction.commit();
    return deleted;
}

}  // namespace mt52
