#include "link/DumpSnapshots.h"

#include "common/FlashImage.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "records/RecordStore.h"
#include "records/clsSnapShot.h"

namespace mt52 {

namespace {
// Byte offsets of a snapshot record's fields.
constexpr int LogNoDigit = 4;  // digits 5 to 8: the record number as four hex digits
constexpr Integer GasNameAt = 5;
constexpr Integer FullScaleAt = 15;
constexpr Integer DigitAt = 20;
constexpr Integer UnitAt = 25;
constexpr Integer DateAt = 31;
constexpr Integer GasValueAt = 39;

QString BlockFailure(int blockNo, const QString& what) {
    return QStringLiteral("block %1, %2").arg(blockNo, 4, 10, QLatin1Char('0')).arg(what);
}
}  // namespace

DumpSnapshots::DumpSnapshots() = default;
DumpSnapshots::~DumpSnapshots() = default;

void DumpSnapshots::Begin(const QString& databasePath) { store_ = std::make_unique<RecordStore>(databasePath); }

QStringList DumpSnapshots::End() {
    QStringList failures;
    if (!store_)
        return failures;
    try {
        store_->Commit();
    } catch (const RuntimeError& e) {
        failures << QStringLiteral("end of the download: %1").arg(e.description());
    }
    store_.reset();
    return failures;
}

bool DumpSnapshots::IsSnapshotRecord(const QByteArray& recordDigits) {
    return recordDigits.size() == RecordDigits && recordDigits.startsWith("EEEE");
}

QStringList DumpSnapshots::StoreBlock(int blockNo, const QByteArray& digits, clsInstrument& instrument) {
    QStringList failures;
    if (blockNo < FirstSnapshotBlock)
        return failures;
    bool any = false;
    for (int at = 0; at + RecordDigits <= digits.size(); at += RecordDigits) {
        const QByteArray record = digits.mid(at, RecordDigits);
        if (!IsSnapshotRecord(record))
            continue;
        any = true;
        if (!store_) {
            failures << BlockFailure(blockNo, QStringLiteral("record %1: no download is running").arg(at / RecordDigits + 1));
            continue;
        }
        try {
            StoreRecord(record, instrument);
        } catch (const RuntimeError& e) {
            failures << BlockFailure(blockNo, QStringLiteral("record %1: %2").arg(at / RecordDigits + 1).arg(e.description()));
        }
    }
    if (any && store_) {
        try {
            store_->Commit();
        } catch (const RuntimeError& e) {
            failures << BlockFailure(blockNo, e.description());
        }
    }
    return failures;
}

void DumpSnapshots::StoreRecord(const QByteArray& recordDigits, clsInstrument& instrument) {
    if (!record_)
        record_ = std::make_unique<clsSnapShot>();
    clsSnapShot& s = *record_;
    const QByteArray bytes = QByteArray::fromHex(recordDigits);

    s.Instrument(&instrument);
    s.GasListInfo(0, SnapShotGasField::LogNo, QString::fromLatin1(recordDigits.mid(LogNoDigit, 4)));
    s.GasListInfo(0, SnapShotGasField::GasName, DumpText(bytes, GasNameAt, 10));
    s.GasListInfo(0, SnapShotGasField::FullScale, DumpText(bytes, FullScaleAt, 5));
    s.GasListInfo(0, SnapShotGasField::Digit, DumpText(bytes, DigitAt, 5));
    s.GasListInfo(0, SnapShotGasField::Unit, DumpText(bytes, UnitAt, 5));
    s.GasBaseInfo(LogHeaderField::Dates, DumpDateTime(bytes, DateAt));
    s.GasListInfo(0, SnapShotGasField::gasval, DumpText(bytes, GasValueAt, 5));
    s.GasBaseInfo(LogHeaderField::UserID, instrument.UserID());
    s.GasBaseInfo(LogHeaderField::StationID, instrument.StationID());
    s.GasBaseInfo(LogHeaderField::SerialNo, instrument.SerialNo());
    const Date when = s.GasBaseInfo(LogHeaderField::Dates).toDate();
    s.GasBaseInfo(LogHeaderField::FolderID, FormatDate(when, QStringLiteral("mm/yy")));
    s.GasBaseInfo(LogHeaderField::Last, Now());
    s.GasBaseInfo(LogHeaderField::Names, QStringLiteral("ss") + FormatDate(when, QStringLiteral("ddhhnnss")) +
                                             u'_' + s.GasBaseInfo(LogHeaderField::SerialNo).toString());
    s.GasListInfo(0, GasInfoField::Enable, true);
    s.Update(*store_);
}

}  // namespace mt52
