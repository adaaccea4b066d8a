#include "records/clsSnapShot.h"

#include "platform/RuntimeError.h"

namespace mt52 {

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
