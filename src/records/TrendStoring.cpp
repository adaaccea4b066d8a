#include "records/TrendStoring.h"

#include "common/TextHelpers.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "records/LogRowWriter.h"

#include <QFile>
#include <QFileInfo>

namespace mt52 {
namespace {

const QString FindLog = QStringLiteral(
    "SELECT COUNT(*) AS Found FROM Log_Head WHERE Dates = ? AND UserID = ? COLLATE NOCASE "
    "AND SerialNo = ? COLLATE NOCASE AND StationID = ? COLLATE NOCASE AND Types = ?");

}  // namespace

bool TrendLogStored(Database& db, const LogHeader& h, Long types) {
    const Recordset found = db.query(FindLog, {h.Dates, BlankToDashes(h.UserID, BlankUserId),
                                               BlankToDashes(h.SerialNo, BlankSerialNo),
                                               BlankToDashes(h.StationID, BlankStationId), types});
    return found.field(QStringLiteral("Found")).toLong() > 0;
}

bool TrendLogStored(const QString& databasePath, const LogHeader& header, Long types) {
    if (!QFileInfo::exists(databasePath))
        return false;
    Database db(databasePath);
    return TrendLogStored(db, header, types);
}

Long InsertTrendLogHead(Database& db, Transaction& transaction, const LogHeader& h,
                        const std::array<GasSlot, RecordGasSlots>& gas, Long types, Long romNumber, bool withLast) {
    const Long key = transaction.nextSeqNo(QStringLiteral("Log_Head"));
    RowValues row;
    row.Add(QStringLiteral("SeqNo"), key).Add(QStringLiteral("Names"), MayBeBlank(h.Names));
    row.Add(QStringLiteral("Dates"), h.Dates);
    if (withLast)
        row.Add(QStringLiteral("Last"), h.Last);
    row.Add(QStringLiteral("LogNo"), h.LogNo);
    AddLogHeadColumns(row, IdentityOf(h.UserID, h.StationID, h.SerialNo), types, romNumber, h, MayBeBlank(h.FolderID));
    for (int slot = 0; slot < RecordGasSlots; ++slot)
        AddGasGroupColumns(row, slot + 1, gas[static_cast<std::size_t>(slot)]);
    row.Insert(db, QStringLiteral("Log_Head"));
    return key;
}

void DropUnstoredTrendFile(const QString& databasePath, const LogHeader& header) {
    if (header.Names.isEmpty())
        return;
    if (QFileInfo::exists(databasePath)) {
        Database db(databasePath);
        const Recordset named = db.query(
            QStringLiteral("SELECT COUNT(*) AS n FROM Log_Head WHERE Names = ? AND FolderID = ?"),
            {header.Names, header.FolderID});
        if (named.field(QStringLiteral("n")).toLong() > 0)
            return;
    }
    QFile::remove(TrendFilePath(header.FolderID, header.Names));
}

}  // namespace mt52
