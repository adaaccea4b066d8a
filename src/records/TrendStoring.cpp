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

QString InsertHeadStatement(bool withLast) {
    QStringList columns{QStringLiteral("SeqNo"), QStringLiteral("Names"), QStringLiteral("Dates")};
    if (withLast)
        columns << QStringLiteral("Last");
    columns << QStringLiteral("LogNo") << QStringLiteral("UserID") << QStringLiteral("StationID")
            << QStringLiteral("SerialNo") << QStringLiteral("Types") << QStringLiteral("RomNum")
            << QStringLiteral("Interval") << QStringLiteral("Sampling") << QStringLiteral("FolderID")
            << QStringLiteral("Dcount") << QStringLiteral("LunchBreak") << QStringLiteral("LEL_lo")
            << QStringLiteral("LEL_hi") << QStringLiteral("ppm_lo") << QStringLiteral("ppm_hi")
            << QStringLiteral("vol_lo") << QStringLiteral("vol_hi");
    for (int slot = 1; slot <= RecordGasSlots; ++slot) {
        for (const char* suffix : {"Name", "Full", "Desit", "Enable", "Point", "Unit", "Max", "Avr", "Min", "MaxDate",
                                   "MinDate", "Warning", "Alarm", "Stel", "Twa", "Ratio"})
            columns << QStringLiteral("Gas%1%2").arg(slot).arg(QLatin1String(suffix));
    }
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO Log_Head (%1) VALUES (%2)").arg(columns.join(u','), marks.join(u','));
}

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
    std::vector<Variant> values{key, MayBeBlank(h.Names), h.Dates};
    if (withLast)
        values.emplace_back(h.Last);
    for (const Variant& v : std::initializer_list<Variant>{
             h.LogNo, BlankToDashes(h.UserID, BlankUserId), BlankToDashes(h.StationID, BlankStationId),
             BlankToDashes(h.SerialNo, BlankSerialNo), types, romNumber, h.Interval, h.Sampling,
             MayBeBlank(h.FolderID), h.Dcount, h.LunchBreak, h.LEL_lo, h.LEL_hi, h.ppm_lo, h.ppm_hi, h.vol_lo,
             h.vol_hi})
        values.push_back(v);
    for (const GasSlot& g : gas) {
        for (const Variant& v : std::initializer_list<Variant>{
                 MayBeBlank(g.Name), g.Full, g.Desit, g.Enable, g.Point, MayBeBlank(g.Unit), g.Max, g.Avr, g.Min,
                 g.MaxDate, g.MinDate, g.Warning, g.Alarm, g.Stel, g.Twa, g.Ratio})
            values.push_back(v);
    }
    static const QString withLastStatement = InsertHeadStatement(true);
    static const QString withoutLastStatement = InsertHeadStatement(false);
    db.execute(withLast ? withLastStatement : withoutLastStatement, values);
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
