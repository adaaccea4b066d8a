#include "records/LogRowWriter.h"

#include "common/TextHelpers.h"
#include "records/RecordFrame.h"
#include "records/StoredRow.h"

namespace mt52 {

RowValues& RowValues::Add(const QString& column, const Variant& value) {
    columns_ << column;
    values_.push_back(value);
    return *this;
}

void RowValues::Insert(Database& db, const QString& table) const {
    QStringList places;
    for (qsizetype i = 0; i < columns_.size(); ++i)
        places << QStringLiteral("?");
    db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(table, columns_.join(QLatin1Char(',')), places.join(QLatin1Char(','))),
               values_);
}

QString MayBeBlank(const QString& text) { return text.isEmpty() ? QStringLiteral(" ") : text; }

StoredIdentity IdentityOf(const QString& userId, const QString& stationId, const QString& serialNo) {
    return {BlankToDashes(userId, BlankUserId), BlankToDashes(stationId, BlankStationId),
            BlankToDashes(serialNo, BlankSerialNo)};
}

Long FindLogHeadKey(Database& db, const StoredIdentity& identity, Long kind) {
    const Recordset found = db.query(
        QStringLiteral("SELECT SeqNo FROM Log_Head WHERE UserID = ? AND StationID = ? AND SerialNo = ? AND Types = ? "
                       "ORDER BY SeqNo LIMIT 1"),
        {identity.UserID, identity.StationID, identity.SerialNo, kind});
    return found.isEmpty() ? -1 : found.field(QStringLiteral("SeqNo")).toLong();
}

void TouchLogHead(Database& db, const StoredIdentity& identity, Long kind, const Date& when) {
    db.execute(QStringLiteral("UPDATE Log_Head SET Dates = ? WHERE UserID = ? AND StationID = ? AND SerialNo = ? "
                              "AND Types = ?"),
               {when, identity.UserID, identity.StationID, identity.SerialNo, kind});
}

void AddLogHeadColumns(RowValues& row, const StoredIdentity& identity, Long kind, Long romNumber,
                       const LogHeader& header) {
    AddLogHeadColumns(row, identity, kind, romNumber, header, QStringLiteral("-----"));
}

void AddLogHeadColumns(RowValues& row, const StoredIdentity& identity, Long kind, Long romNumber,
                       const LogHeader& header, const QString& folderId) {
    row.Add(QStringLiteral("UserID"), identity.UserID)
        .Add(QStringLiteral("StationID"), identity.StationID)
        .Add(QStringLiteral("SerialNo"), identity.SerialNo)
        .Add(QStringLiteral("Types"), kind)
        .Add(QStringLiteral("RomNum"), romNumber)
        .Add(QStringLiteral("Interval"), header.Interval)
        .Add(QStringLiteral("Sampling"), header.Sampling)
        .Add(QStringLiteral("FolderID"), folderId)
        .Add(QStringLiteral("Dcount"), header.Dcount)
        .Add(QStringLiteral("LunchBreak"), header.LunchBreak)
        .Add(QStringLiteral("LEL_lo"), header.LEL_lo)
        .Add(QStringLiteral("LEL_hi"), header.LEL_hi)
        .Add(QStringLiteral("ppm_lo"), header.ppm_lo)
        .Add(QStringLiteral("ppm_hi"), header.ppm_hi)
        .Add(QStringLiteral("vol_lo"), header.vol_lo)
        .Add(QStringLiteral("vol_hi"), header.vol_hi);
}

void AddGasGroupColumns(RowValues& row, int group, const GasSlot& slot) {
    auto column = [group](const char* field) { return GasColumn(group, field); };
    row.Add(column("Name"), MayBeBlank(slot.Name))
        .Add(column("Full"), slot.Full)
        .Add(column("Desit"), slot.Desit)
        .Add(column("Enable"), slot.Enable)
        .Add(column("Point"), slot.Point)
        .Add(column("Unit"), MayBeBlank(slot.Unit))
        .Add(column("Max"), slot.Max)
        .Add(column("Avr"), slot.Avr)
        .Add(column("Min"), slot.Min)
        .Add(column("MaxDate"), slot.MaxDate)
        .Add(column("MinDate"), slot.MinDate)
        .Add(column("Warning"), slot.Warning)
        .Add(column("Alarm"), slot.Alarm)
        .Add(column("Stel"), slot.Stel)
        .Add(column("Twa"), slot.Twa)
        .Add(column("Ratio"), slot.Ratio);
}

}  // namespace mt52
