#pragma once
// A snapshot (log kind 11): one reading the instrument recorded at a moment, with the texts it
// showed for the gas. The instrument link fills one for every snapshot record of a downloaded
// memory dump and stores it with Update.
#include "records/RecordFrame.h"

namespace mt52 {

class RecordStore;

class clsSnapShot final : public RecordFrame {
public:
    clsSnapShot();

    // Keeps BaseDate, Instrument, the header's LogNo and both reading records.
    void ClearDatas() override;

    Date BaseDate() const { return baseDate_; }
    void BaseDate(const Date& value) { baseDate_ = value; }
    bool Duplicate() const { return duplicate_; }
    void Duplicate(bool value) { duplicate_ = value; }

    // The reading of a gas slot in reading record 0. A slot outside 0..4 raises 9; the setter
    // raises the conversion failure of a value that is no number.
    Single GasValue(Integer GasNo) const;
    void GasValue(Integer GasNo, const Variant& value);
    // The status code of a gas slot's reading in reading record 0 or 1 (others raise 9).
    Single GasEvent(Integer GasNo, Long Reading) const;
    void GasEvent(Integer GasNo, Long Reading, const Variant& value);
    // Range indicator of a gas slot's reading, as a 16-bit whole number.
    Integer GasRange(Integer GasNo, Long Reading) const;
    void GasRange(Integer GasNo, Long Reading, const Variant& value);

    // Stores the snapshot as one Log_Head row of kind 11 and its SnapShot row, as one record
    // of the store (both rows or neither); the store's next commit makes it permanent. Nothing
    // is written when Error is set or when a snapshot of the same instrument identity
    // (compared without regard to case) and the same date and time to the second is stored
    // already. A failure raises and leaves neither row.
    void Update(RecordStore& store);
    // The same through a store of its own on the database of the last clearing, committed at once.
    void Update();

private:
    struct Reading {
        Long SeqNo = 0;  // key of the SnapShot row it was loaded from
        std::array<Single, RecordGasSlots> GasValue{};
        std::array<Single, RecordGasSlots> GasEvent{};
        std::array<Integer, RecordGasSlots> GasRange{};
    };
    static constexpr int ReadingCount = 2;

    static std::size_t SlotIndex(Integer GasNo);
    Reading& ReadingAt(Long Reading);
    const Reading& ReadingAt(Long Reading) const;

    Date baseDate_;
    bool duplicate_ = false;
    std::array<Reading, ReadingCount> readings_{};
};

}  // namespace mt52
