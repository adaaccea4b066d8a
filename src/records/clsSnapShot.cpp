#include "records/clsSnapShot.h"

#include "common/TextHelpers.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"
#include "records/RecordStore.h"

namespace mt52 {
namespace {

constexpr Long SnapShotLogType = 11;

// Texts of the header and of the gas description that may be blank are stored as one blank
// rather than as an empty text, as every stored record holds them.
QString MayBeBlank(const QString& text) { return text.isEmpty() ? QStringLiteral(" ") : text; }

const QString InsertLogHead = QStringLiteral(
    "INSERT INTO Log_Head (SeqNo, Names, Dates, Last, LogNo, UserID, StationID, SerialNo, Types, RomNum, "
    "Interval, Sampling, FolderID, Dcount, LunchBreak, LEL_lo, LEL_hi, ppm_lo, ppm_hi, vol_lo, vol_hi, "
    "Gas1Name, Gas1Full, Gas1Desit, Gas1Enable, Gas1Point, Gas1Unit, Gas1Max, Gas1Avr, Gas1Min, "
    "Gas1MaxDate, Gas1MinDate, Gas1Warning, Gas1Alarm, Gas1STEL, Gas1TWA, Gas1Ratio) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

const QString InsertSnapShot = QStringLiteral(
    "INSERT INTO SnapShot (SeqNo, RelNo, UserID, StationID, SerialNo, WriteDates, Dates, "
    "LogNo, GasName, FullScale, Digit, Unit, Gasval, "
    "Gas1Name, Gas1Full, Gas1Desit, Gas1Point, Gas1Unit, Gas1Enable, Gas1val, Gas1sts) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

// A snapshot is stored once per instrument identity and moment (to the second).
const QString FindStoredSnapShot = QStringLiteral(
    "SELECT COUNT(*) AS Found FROM Log_Head WHERE Dates = ? AND UserID = ? COLLATE NOCASE "
    "AND SerialNo = ? COLLATE NOCASE AND StationID = ? COLLATE NOCASE AND Types = ?");

}  // namespace

clsSnapShot::clsSnapShot() : RecordFrame(Shape{.hasLast = true, .hasHeaderDcount = false, .hasSnapShotTexts = true}) {
    clsSnapShot::ClearDatas();
}

void clsSnapShot::ClearDatas() {
    duplicate_ = false;
    Error(false);
    Key(QString());
    SeqNo(0);
    ClearHeader();
    ClearGasSlots();
    TakeDatabasePath();
}

void clsSnapShot::Update() {
    if (Error())
        return;
    RecordStore store(DatabasePath());
    Update(store);
    store.Commit();
}

void clsSnapShot::Update(RecordStore& store) {
    if (Error())
        return;
    const QString userId = BlankToDashes(header_.UserID, BlankUserId);
    const QString stationId = BlankToDashes(header_.StationID, BlankStationId);
    const QString serialNo = BlankToDashes(header_.SerialNo, BlankSerialNo);

    RecordStore::RecordScope record = store.Record();
    Database& db = store.db();
    const Recordset found =
        db.query(FindStoredSnapShot, {header_.Dates, userId, serialNo, stationId, SnapShotLogType});
    if (found.field(QStringLiteral("Found")).toLong() > 0)
        return;
    if (Instrument() == nullptr)
        Raise(ErrObjectNotSet, QStringLiteral("the snapshot has no instrument"));

    const LogHeader& h = header_;
    const GasSlot& g = gas_[0];
    const Long headKey = store.nextSeqNo(QStringLiteral("Log_Head"));
    db.execute(InsertLogHead,
               {headKey, MayBeBlank(h.Names), h.Dates, h.Last, h.LogNo, userId, stationId, serialNo,
                SnapShotLogType, Instrument()->RomNumber(), h.Interval, h.Sampling, MayBeBlank(h.FolderID),
                Long{1}, h.LunchBreak, h.LEL_lo, h.LEL_hi, h.ppm_lo, h.ppm_hi, h.vol_lo, h.vol_hi,
                MayBeBlank(g.Name), g.Full, g.Desit, g.Enable, g.Point, MayBeBlank(g.Unit), g.Max, g.Avr, g.Min,
                g.MaxDate, g.MinDate, g.Warning, g.Alarm, g.Stel, g.Twa, g.Ratio});

    const Long snapKey = store.nextSeqNo(QStringLiteral("SnapShot"));
    db.execute(InsertSnapShot,
               {snapKey, headKey, userId, stationId, serialNo, Now(), h.Dates, g.LogNoText, g.GasName,
                g.FullScale, g.Digit, g.UnitText, g.gasval, MayBeBlank(g.Name), g.Full, g.Desit, g.Point,
                MayBeBlank(g.Unit), g.Enable, readings_[0].GasValue[0], readings_[0].GasEvent[0]});
    record.Done();
}

std::size_t clsSnapShot::SlotIndex(Integer GasNo) {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(GasNo));
    return static_cast<std::size_t>(GasNo);
}

const clsSnapShot::Reading& clsSnapShot::ReadingAt(Long Reading) const {
    if (Reading < 0 || Reading >= ReadingCount)
        Raise(ErrSubscript, QStringLiteral("reading record %1").arg(Reading));
    return readings_[static_cast<std::size_t>(Reading)];
}

clsSnapShot::Reading& clsSnapShot::ReadingAt(Long Reading) {
    return const_cast<struct Reading&>(std::as_const(*this).ReadingAt(Reading));
}

Single clsSnapShot::GasValue(Integer GasNo) const { return readings_[0].GasValue[SlotIndex(GasNo)]; }

void clsSnapShot::GasValue(Integer GasNo, const Variant& value) {
    const std::size_t slot = SlotIndex(GasNo);
    readings_[0].GasValue[slot] = value.toSingle();
}

Single clsSnapShot::GasEvent(Integer GasNo, Long Reading) const {
    const std::size_t slot = SlotIndex(GasNo);
    return ReadingAt(Reading).GasEvent[slot];
}

void clsSnapShot::GasEvent(Integer GasNo, Long Reading, const Variant& value) {
    const std::size_t slot = SlotIndex(GasNo);
    struct Reading& reading = ReadingAt(Reading);
    reading.GasEvent[slot] = value.toSingle();
}

Integer clsSnapShot::GasRange(Integer GasNo, Long Reading) const {
    const std::size_t slot = SlotIndex(GasNo);
    return ReadingAt(Reading).GasRange[slot];
}

void clsSnapShot::GasRange(Integer GasNo, Long Reading, const Variant& value) {
    const std::size_t slot = SlotIndex(GasNo);
    struct Reading& reading = ReadingAt(Reading);
    reading.GasRange[slot] = value.toInteger();
}

}  // namespace mt52
