#include "records/TrendLoading.h"

#include "common/DataFolder.h"
#include "common/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/StoredRow.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mt52 {
namespace {

// The date of day number -101, which a Null MaxDate or MinDate column loads as.
constexpr Date NullStatisticDate{-101.0};

Variant Column(const Recordset& row, const QString& name) { return row.field(name); }

QString TextOr(const Recordset& row, const QString& name, const QString& fallback) {
    const Variant v = Column(row, name);
    return v.isNull() ? fallback : v.toString();
}
Long LongOr(const Recordset& row, const QString& name, Long fallback) {
    const Variant v = Column(row, name);
    return v.isNull() ? fallback : v.toLong();
}
Integer IntegerOr(const Recordset& row, const QString& name, Integer fallback) {
    const Variant v = Column(row, name);
    return v.isNull() ? fallback : v.toInteger();
}
Single SingleOr(const Recordset& row, const QString& name, Single fallback) {
    const Variant v = Column(row, name);
    return v.isNull() ? fallback : v.toSingle();
}
Date DateOr(const Recordset& row, const QString& name, const Date& fallback) {
    const Variant v = Column(row, name);
    return v.isNull() ? fallback : v.toDate();
}

}  // namespace

Recordset QueryLogHead(Database& db, Long seqNo) {
    return db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {seqNo});
}

std::optional<Database> OpenTrendLog(const QString& databasePath, Long seqNo, TrendHeaderColumns which,
                                     LogHeader& header, std::array<GasSlot, RecordGasSlots>& gas,
                                     TrendLoadStatus& status) {
    if (!QFileInfo::exists(databasePath)) {
        status.databaseMissing = true;
        return std::nullopt;
    }
    std::optional<Database> db(std::in_place, databasePath);
    const Recordset head = QueryLogHead(*db, seqNo);
    if (head.recordCount() > 0) {
        ReadTrendHeader(head, which, header);
        ReadTrendGasSlots(head, gas);
    } else {
        status.headerMissing = true;
    }
    return db;
}

void ReadTrendHeader(const Recordset& row, TrendHeaderColumns which, LogHeader& h) {
    const QString blank = QStringLiteral(" ");
    h.Names = TextOr(row, QStringLiteral("Names"), QStringLiteral("Name None"));
    h.Dates = DateOr(row, QStringLiteral("Dates"), Now());
    if (which == TrendHeaderColumns::Interval)
        h.Last = DateOr(row, QStringLiteral("Last"), InvalidDateMark);
    h.UserID = BlankToDashes(TextOr(row, QStringLiteral("UserID"), blank), BlankUserId);
    h.StationID = BlankToDashes(TextOr(row, QStringLiteral("StationID"), blank), BlankStationId);
    h.SerialNo = BlankToDashes(TextOr(row, QStringLiteral("SerialNo"), blank), BlankSerialNo);
    h.Interval = LongOr(row, QStringLiteral("Interval"), 0);
    h.Sampling = IntegerOr(row, QStringLiteral("Sampling"), 0);
    if (which == TrendHeaderColumns::Interval)
        h.Dcount = LongOr(row, QStringLiteral("Dcount"), 0);
    h.FolderID = TextOr(row, QStringLiteral("FolderID"), QStringLiteral("00/00"));
    if (which != TrendHeaderColumns::Interval)
        return;
    h.LunchBreak = IntegerOr(row, QStringLiteral("LunchBreak"), 0);
    h.LEL_lo = LongOr(row, QStringLiteral("LEL_lo"), -101);
    h.LEL_hi = LongOr(row, QStringLiteral("LEL_hi"), -101);
    h.ppm_lo = LongOr(row, QStringLiteral("ppm_lo"), -101);
    h.ppm_hi = LongOr(row, QStringLiteral("ppm_hi"), -101);
    h.vol_lo = LongOr(row, QStringLiteral("vol_lo"), -101);
    h.vol_hi = LongOr(row, QStringLiteral("vol_hi"), -101);
}

void ReadTrendGasSlots(const Recordset& row, std::array<GasSlot, RecordGasSlots>& gas) {
    const Single none = NoDataReading;
    for (int slot = 0; slot < RecordGasSlots; ++slot) {
        const QString prefix = QStringLiteral("Gas%1").arg(slot + 1);
        auto col = [&prefix](const char* suffix) { return prefix + QLatin1String(suffix); };
        GasSlot& g = gas[static_cast<std::size_t>(slot)];
        g.Name = TextOr(row, col("Name"), QString());
        g.Full = SingleOr(row, col("Full"), none);
        g.Desit = SingleOr(row, col("Desit"), none);
        g.Point = IntegerOr(row, col("Point"), -101);
        g.Unit = TextOr(row, col("Unit"), QString());
        g.Avr = SingleOr(row, col("Avr"), none);
        g.Max = SingleOr(row, col("Max"), none);
        g.Min = SingleOr(row, col("Min"), none);
        g.MaxDate = DateOr(row, col("MaxDate"), NullStatisticDate);
        g.MinDate = DateOr(row, col("MinDate"), NullStatisticDate);
        g.Enable = ReadGasEnable(StoredRow(row), slot + 1);
        g.Warning = SingleOr(row, col("Warning"), none);
        g.Alarm = SingleOr(row, col("Alarm"), none);
        g.Stel = SingleOr(row, col("Stel"), none);
        g.Twa = SingleOr(row, col("Twa"), none);
        g.Ratio = SingleOr(row, col("Ratio"), none);
    }
}

TrendFileContents ReadLogTrendFile(const QString& folderId, const QString& names) {
    TrendFileContents contents;
    QFile file(TrendFilePath(folderId, names));
    if (!file.open(QIODevice::ReadOnly))
        return contents;
    contents.opened = true;
    contents.records = ReadTrendRecords(file);
    return contents;
}

QString RawExportLine(const Date& time, const std::array<QString, RecordGasSlots>& fields) {
    QString line = GeneralDate(time);
    for (const QString& field : fields) {
        line += u',';
        line += field;
    }
    return line;
}

std::array<QString, RecordGasSlots> RawSampleFields(const std::array<Single, RecordGasSlots>& values) {
    std::array<QString, RecordGasSlots> fields;
    for (std::size_t gas = 0; gas < fields.size(); ++gas)
        fields[gas] = SingleToText(values[gas]);
    return fields;
}

void WriteRawExport(const QString& folder, const QString& names, const QStringList& lines) {
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'/';
    path += SafeFileName(names) + QStringLiteral(".csv");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Raise(ErrPathFileAccess, path + QStringLiteral(": ") + file.errorString());
    for (const QString& line : lines)
        file.write(line.toUtf8() + "\r\n");
    if (!file.commit())
        Raise(ErrPathFileAccess, path + QStringLiteral(": ") + file.errorString());
}

}  // namespace mt52
