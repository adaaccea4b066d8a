#include "browser/RecordDeletion.h"

#include "common/ModuleState.h"
#include "common/PendingRemovals.h"
#include "common/TextHelpers.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/VbString.h"

#include <optional>
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

// Deletes the headers the condition selects with their rows and records their trend files
// for removal, in one transaction; returns the count of headers. An empty condition selects
// every header: then the child tables are emptied whole and the data folder's tree is recorded.
// `orphansOf`, for an entry, is its number: when no header of any kind has it, the child rows
// that carry the number are deleted all the same (rows left by a header deleted before).
int DeleteRows(Database& db, const LogNodeCondition& condition, std::optional<Long> orphansOf = std::nullopt) {
    Transaction transaction(db);
    const QString where = condition.Where();
    if (where.isEmpty()) {
        AddPendingDataFolder(db);
    } else {
        Recordset trends = db.query(QStringLiteral("SELECT FolderID, Names FROM Log_Head") + where +
                                        QStringLiteral(" AND Types IN (1, 2, 9)"),
                                    condition.Values);
        for (; !trends.atEnd(); trends.moveNext()) {
            const Variant names = trends.field(1);
            if (names.isNull() || Trim(names.toString()).isEmpty())
                continue;  // a record without a name has no file of its own
            AddPendingFile(db, trends.field(0).isNull() ? QString() : trends.field(0).toString(), names.toString());
        }
    }

    QString relNos = QStringLiteral("SELECT SeqNo FROM Log_Head") + where;
    std::vector<Variant> relValues = condition.Values;
    if (orphansOf && db.query(QStringLiteral("SELECT COUNT(*) FROM Log_Head WHERE SeqNo = ?"), {*orphansOf})
                             .field(0)
                             .toLong() == 0) {
        relNos = QStringLiteral("?");
        relValues = {*orphansOf};
    }
    QStringList tables = ChildTables();
    // Sensor histories are read from a table that databases of other origins may lack.
    if (db.hasTable(QStringLiteral("SensorHistory")))
        tables << QStringLiteral("SensorHistory");
    for (const QString& table : std::as_const(tables)) {
        if (where.isEmpty())
            db.execute(QStringLiteral("DELETE FROM ") + table);
        else
            db.execute(QStringLiteral("DELETE FROM %1 WHERE RelNo IN (%2)").arg(table, relNos), relValues);
    }
    const int deleted = db.execute(QStringLiteral("DELETE FROM Log_Head") + where, condition.Values);
    transaction.commit();
    return deleted;
}

// The rows are gone: removes the files they owned, and whatever an earlier deletion left.
DeletionOutcome RemoveFiles(Database& db, int headers) {
    const RemovalOutcome removal = CompletePendingRemovals(db);
    DeletionOutcome outcome;
    outcome.HeadersDeleted = headers;
    outcome.FilesDeleted = removal.FilesRemoved;
    outcome.FilesNotDeleted = removal.FilesNotRemoved;
    return outcome;
}

}  // namespace

DeletionOutcome DeleteLogEntry(Database& db, Long logType, Long seqNo) {
    const int headers = DeleteRows(db, {QStringLiteral("Types = ? AND SeqNo = ?"), {logType, seqNo}}, seqNo);
    return RemoveFiles(db, headers);
}

DeletionOutcome DeleteLogFolder(Database& db, const LogNodeCondition& condition) {
    return RemoveFiles(db, DeleteRows(db, condition));
}

DeletionOutcome DeleteAllLogs(Database& db) {
    return RemoveFiles(db, DeleteRows(db, {}));
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
