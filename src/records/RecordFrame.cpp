#include "records/RecordFrame.h"

#include "common/CommunicationLog.h"
#include "common/ModuleState.h"
#include "common/TextHelpers.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/StoredRow.h"
#include "records/TrendLoading.h"

#include <QFile>

namespace mt52 {
namespace {

bool ReadsAsDate(const Variant& value) {
    return value.isDate() || (value.isString() && ParseDate(value.toString()).has_value());
}

Date AsDate(const Variant& value) {
    return value.isDate() ? value.toDate() : *ParseDate(value.toString());
}

// A whole number that passed the numeric test, through 32 bits and then 16 (overflow raises 6).
Integer AsNarrowInteger(const Variant& value) { return ToInteger(static_cast<double>(value.toLong())); }

// Stores a numeric value into a single when the value is numeric; ignores anything else.
void StoreIfNumeric(Single& field, const Variant& value) {
    if (value.isNumeric())
        field = value.toSingle();
}

}  // namespace

QString FilterPrintable(const QString& text) {
    QString result;
    for (QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() <= 126)
            result.append(c);
    }
    return result;
}

Variant RecordFrame::GasBaseInfo(Long Types) const {
    const LogHeader& h = header_;
    switch (Types) {
    case LogHeaderField::Names: return h.Names;
    case LogHeaderField::LogNo: return h.LogNo;
    case LogHeaderField::Dates: return h.Dates;
    case LogHeaderField::Last: return shape_.hasLast ? Variant(h.Last) : Variant::Null();
    case LogHeaderField::UserID: return BlankToDashes(h.UserID, BlankUserId);
    case LogHeaderField::StationID: return BlankToDashes(h.StationID, BlankStationId);
    case LogHeaderField::SerialNo: return BlankToDashes(h.SerialNo, BlankSerialNo);
    case LogHeaderField::FolderID: return h.FolderID;
    case LogHeaderField::Interval: return h.Interval;
    case LogHeaderField::Sampling: return h.Sampling;
    case LogHeaderField::Dcount: return shape_.hasHeaderDcount ? Variant(h.Dcount) : Variant::Null();
    case LogHeaderField::LunchBreak: return h.LunchBreak;
    case LogHeaderField::LEL_lo: return h.LEL_lo;
    case LogHeaderField::LEL_hi: return h.LEL_hi;
    case LogHeaderField::ppm_lo: return h.ppm_lo;
    case LogHeaderField::ppm_hi: return h.ppm_hi;
    case LogHeaderField::vol_lo: return h.vol_lo;
    case LogHeaderField::vol_hi: return h.vol_hi;
    default: return Variant::Null();
    }
}

void RecordFrame::GasBaseInfo(Long Types, const Variant& value) {
    LogHeader& h = header_;
    // The range limits pass through a single before they are rounded to a whole number.
    auto storeLimit = [&value](Long& field) {
        if (value.isNumeric())
            field = ToLong(value.toSingle());
    };
    switch (Types) {
    case LogHeaderField::Names: h.Names = value.toString(); break;
    case LogHeaderField::LogNo: h.LogNo = value.toInteger(); break;
    case LogHeaderField::Dates:
        if (ReadsAsDate(value))
            h.Dates = AsDate(value);
        break;
    case LogHeaderField::Last: break;  // Last is filled by loading only
    case LogHeaderField::UserID: h.UserID = BlankToDashes(value.toString(), BlankUserId); break;
    case LogHeaderField::StationID: h.StationID = BlankToDashes(value.toString(), BlankStationId); break;
    case LogHeaderField::SerialNo: h.SerialNo = BlankToDashes(value.toString(), BlankSerialNo); break;
    case LogHeaderField::FolderID: h.FolderID = value.toString(); break;
    case LogHeaderField::Interval:
        if (value.isNumeric())
            h.Interval = value.toLong();
        break;
    case LogHeaderField::Sampling:
        if (value.isNumeric())
            h.Sampling = AsNarrowInteger(value);
        break;
    case LogHeaderField::Dcount:
        if (shape_.hasHeaderDcount && value.isNumeric())
            h.Dcount = value.toLong();
        break;
    case LogHeaderField::LunchBreak:
        if (value.isNumeric())
            h.LunchBreak = AsNarrowInteger(value);
        break;
    case LogHeaderField::LEL_lo: storeLimit(h.LEL_lo); break;
    case LogHeaderField::LEL_hi: storeLimit(h.LEL_hi); break;
    case LogHeaderField::ppm_lo: storeLimit(h.ppm_lo); break;
    case LogHeaderField::ppm_hi: storeLimit(h.ppm_hi); break;
    case LogHeaderField::vol_lo: storeLimit(h.vol_lo); break;
    case LogHeaderField::vol_hi: storeLimit(h.vol_hi); break;
    default: break;
    }
}

Variant RecordFrame::GasListInfo(Integer GasNo, Long Types) const {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        return {};
    const GasSlot& g = gas_[static_cast<std::size_t>(GasNo)];
    switch (Types) {
    case GasInfoField::Name: return g.Name;
    case GasInfoField::Full: return g.Full;
    case GasInfoField::Desit: return g.Desit;
    case GasInfoField::Point: return g.Point;
    case GasInfoField::Unit: return g.Unit;
    case GasInfoField::Max: return g.Max;
    case GasInfoField::Min: return g.Min;
    case GasInfoField::Avr: return g.Avr;
    case GasInfoField::MaxDate: return g.MaxDate;
    case GasInfoField::MinDate: return g.MinDate;
    case GasInfoField::Enable: return g.Enable;
    case GasInfoField::Warning: return g.Warning;
    case GasInfoField::Alarm: return g.Alarm;
    case GasInfoField::Stel: return g.Stel;
    case GasInfoField::Twa: return g.Twa;
    case GasInfoField::Ratio: return g.Ratio;
    default: break;
    }
    if (!shape_.hasSnapShotTexts)
        return Variant::Null();
    switch (Types) {
    case SnapShotGasField::LogNo: return g.LogNoText;
    case SnapShotGasField::GasName: return g.GasName;
    case SnapShotGasField::FullScale: return g.FullScale;
    case SnapShotGasField::Digit: return g.Digit;
    case SnapShotGasField::Unit: return g.UnitText;
    case SnapShotGasField::gasval: return g.gasval;
    default: return Variant::Null();
    }
}

void RecordFrame::GasListInfo(Integer GasNo, Long Types, const Variant& value) {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        return;
    GasSlot& g = gas_[static_cast<std::size_t>(GasNo)];
    switch (Types) {
    case GasInfoField::Name: g.Name = value.toString(); return;
    case GasInfoField::Full: StoreIfNumeric(g.Full, value); return;
    case GasInfoField::Desit: StoreIfNumeric(g.Desit, value); return;
    case GasInfoField::Point:
        if (value.isNumeric())
            g.Point = AsNarrowInteger(value);
        return;
    case GasInfoField::Unit: g.Unit = value.toString(); return;
    case GasInfoField::Max: StoreIfNumeric(g.Max, value); return;
    case GasInfoField::Min: StoreIfNumeric(g.Min, value); return;
    case GasInfoField::Avr: StoreIfNumeric(g.Avr, value); return;
    case GasInfoField::MaxDate:
        if (ReadsAsDate(value))
            g.MaxDate = AsDate(value);
        return;
    case GasInfoField::MinDate:
        if (ReadsAsDate(value))
            g.MinDate = AsDate(value);
        return;
    case GasInfoField::Enable: g.Enable = value.toBool(); return;
    case GasInfoField::Warning: StoreIfNumeric(g.Warning, value); return;
    case GasInfoField::Alarm: StoreIfNumeric(g.Alarm, value); return;
    case GasInfoField::Stel: StoreIfNumeric(g.Stel, value); return;
    case GasInfoField::Twa: StoreIfNumeric(g.Twa, value); return;
    case GasInfoField::Ratio: g.Ratio = value.toSingle(); return;  // not guarded: a non-number raises 13
    default: break;
    }
    if (!shape_.hasSnapShotTexts)
        return;
    switch (Types) {
    case SnapShotGasField::LogNo: g.LogNoText = value.toString(); return;
    case SnapShotGasField::GasName: g.GasName = value.toString(); return;
    case SnapShotGasField::FullScale: g.FullScale = value.toString(); return;
    case SnapShotGasField::Digit: g.Digit = value.toString(); return;
    case SnapShotGasField::Unit: g.UnitText = value.toString(); return;
    case SnapShotGasField::gasval: g.gasval = value.toString(); return;
    default: return;
    }
}

GasCaptionParts RecordFrame::GasCaptionPartsOf(Integer gas) const {
    if (gas < 0 || gas >= RecordGasSlots)
        return {};
    const GasSlot& g = gas_[static_cast<std::size_t>(gas)];
    if (shape_.hasSnapShotTexts)
        return GasCaptionParts::Sent(g.GasName, g.FullScale, g.UnitText);
    return GasCaptionParts::Settings(g.Name, g.Full, g.Point, g.Unit);
}

void RecordFrame::ClearHeader() {
    LogHeader cleared;
    cleared.LogNo = header_.LogNo;  // the record number survives a clearing
    cleared.Dates = InvalidDateMark;
    cleared.Last = InvalidDateMark;
    cleared.UserID = BlankToDashes({}, BlankUserId);
    cleared.StationID = BlankToDashes({}, BlankStationId);
    cleared.SerialNo = BlankToDashes({}, BlankSerialNo);
    header_ = cleared;
}

void RecordFrame::ClearGasSlots() {
    GasSlot cleared;
    for (Single* f : {&cleared.Full, &cleared.Desit, &cleared.Avr, &cleared.Max, &cleared.Min, &cleared.Warning,
                      &cleared.Alarm, &cleared.Stel, &cleared.Twa, &cleared.Ratio})
        *f = NoDataReading;
    cleared.Point = -101;
    cleared.MaxDate = InvalidDateMark;
    cleared.MinDate = InvalidDateMark;
    gas_.fill(cleared);
}

void RecordFrame::LoadLogHead(const std::function<void(const StoredRow&)>& fill) {
    std::optional<Database> db = OpenIfPresent(DatabasePath());
    if (!db)
        return;
    const Recordset head = QueryLogHead(*db, SeqNo());
    if (!head.isEmpty())
        FillHeaderWhole([&] { fill(StoredRow(head)); });
}

void RecordFrame::TakeDatabasePath() { databasePath_ = State().DatabasePath; }

void RecordFrame::SetSerialLog(const QString& SetValue) {
    // A log that cannot be written never stops the decoding or the storing: the failure is
    // told through the communication log's notice.
    AppendCommunicationLog(SetValue);
}

}  // namespace mt52
