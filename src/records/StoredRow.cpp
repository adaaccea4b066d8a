#include "records/StoredRow.h"

#include "common/TextHelpers.h"
#include "platform/DatabaseCodec.h"
#include "platform/RuntimeError.h"
#include "records/RecordFrame.h"

#include <QFileInfo>

namespace mt52 {

template <typename F>
auto StoredRow::Convert(const QString& column, F&& convert) const {
    const Variant value = rows_.field(column);
    try {
        return convert(value);
    } catch (const RuntimeError& e) {
        Raise(e.number(), QStringLiteral("column %1 holds \"%2\"").arg(column, value.toString()));
    }
}

bool StoredRow::IsNull(const QString& column) const { return rows_.field(column).isNull(); }

QString StoredRow::Text(const QString& column, const QString& ifNull) const {
    const Variant value = rows_.field(column);
    return value.isNull() ? ifNull : value.toString();
}

QString StoredRow::Identity(const QString& column, Integer kind) const {
    return BlankToDashes(Text(column), kind);
}

Single StoredRow::Number(const QString& column, Single ifNull) const {
    return Convert(column, [&](const Variant& v) { return v.isNull() ? ifNull : v.toSingle(); });
}

Long StoredRow::Whole(const QString& column, Long ifNull) const {
    return Convert(column, [&](const Variant& v) { return v.isNull() ? ifNull : v.toLong(); });
}

Integer StoredRow::Short(const QString& column, Integer ifNull) const {
    return Convert(column, [&](const Variant& v) { return v.isNull() ? ifNull : v.toInteger(); });
}

Date StoredRow::DateOf(const QString& column, const Date& ifNull) const {
    return Convert(column, [&](const Variant& v) { return v.isNull() ? ifNull : v.toDate(); });
}

bool StoredRow::YesNo(const QString& column, bool ifNull) const {
    return Convert(column, [&](const Variant& v) { return v.isNull() ? ifNull : v.toBool(); });
}

Variant StoredValue(const Recordset& rows, const QString& column) {
    const Variant value = rows.field(column);
    if (!value.isString())
        return value;
    const StoredRow row(rows);
    switch (StoredKindOfColumn(column)) {
    case StoredKind::Date: return row.DateOf(column, InvalidDateMark);
    case StoredKind::YesNo: return row.YesNo(column, false);
    case StoredKind::Plain: break;
    }
    return value;
}

std::optional<Database> OpenIfPresent(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    return std::optional<Database>(std::in_place, path);
}

QString GasColumn(int group, const char* field) {
    return QStringLiteral("Gas%1").arg(group) + QLatin1String(field);
}

bool ReadGasEnable(const StoredRow& row, int group) { return row.YesNo(GasColumn(group, "Enable"), true); }

void ReadIdentity(const StoredRow& row, LogHeader& header) {
    header.UserID = row.Identity(QStringLiteral("UserID"), BlankUserId);
    header.StationID = row.Identity(QStringLiteral("StationID"), BlankStationId);
    header.SerialNo = row.Identity(QStringLiteral("SerialNo"), BlankSerialNo);
}

void ReadLogHeadStart(const StoredRow& row, LogHeader& header) {
    header.Names = row.Text(QStringLiteral("Names"), QStringLiteral("Name None"));
    header.Dates = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    ReadIdentity(row, header);
    header.Interval = row.Whole(QStringLiteral("Interval"), 0);
    header.FolderID = row.Text(QStringLiteral("FolderID"), QStringLiteral("00/00"));
}

void ReadLogHeadCounts(const StoredRow& row, LogHeader& header) {
    header.Sampling = row.Short(QStringLiteral("Sampling"), 0);
    header.LunchBreak = row.Short(QStringLiteral("LunchBreak"), 0);
    header.LEL_lo = row.Whole(QStringLiteral("LEL_lo"), NullNumber);
    header.LEL_hi = row.Whole(QStringLiteral("LEL_hi"), NullNumber);
    header.ppm_lo = row.Whole(QStringLiteral("ppm_lo"), NullNumber);
    header.ppm_hi = row.Whole(QStringLiteral("ppm_hi"), NullNumber);
    header.vol_lo = row.Whole(QStringLiteral("vol_lo"), NullNumber);
    header.vol_hi = row.Whole(QStringLiteral("vol_hi"), NullNumber);
}

void ReadGasDefinition(const StoredRow& row, int group, GasSlot& slot) {
    auto column = [group](const char* field) { return GasColumn(group, field); };
    slot.Name = row.Text(column("Name"));
    slot.Full = row.Number(column("Full"), NoDataReading);
    slot.Desit = row.Number(column("Desit"), NoDataReading);
    slot.Point = row.Short(column("Point"), NullNumber);
}

void ReadGasStatistics(const StoredRow& row, int group, GasSlot& slot) {
    auto column = [group](const char* field) { return GasColumn(group, field); };
    slot.Avr = row.Number(column("Avr"), NoDataReading);
    slot.Max = row.Number(column("Max"), NoDataReading);
    slot.Min = row.Number(column("Min"), NoDataReading);
    slot.MaxDate = row.DateOf(column("MaxDate"), InvalidDateMark);
    slot.MinDate = row.DateOf(column("MinDate"), InvalidDateMark);
}

void ReadGasGroup(const StoredRow& row, int group, GasSlot& slot) {
    auto column = [group](const char* field) { return GasColumn(group, field); };
    ReadGasDefinition(row, group, slot);
    slot.Unit = row.Text(column("Unit"));
    ReadGasStatistics(row, group, slot);
    slot.Enable = ReadGasEnable(row, group);
    slot.Warning = row.Number(column("Warning"), NoDataReading);
    slot.Alarm = row.Number(column("Alarm"), NoDataReading);
    slot.Stel = row.Number(column("Stel"), NoDataReading);
    slot.Twa = row.Number(column("Twa"), NoDataReading);
    slot.Ratio = row.Number(column("Ratio"), NoDataReading);
}

}  // namespace mt52
