#pragma once
// A power-event log (log kind 7): up to 1024 entries of log counter, on/off flag and date.
#include "records/RecordFrame.h"

namespace mt52 {

class clsPowerEvent final : public RecordFrame {
public:
    static constexpr int EntryCount = 1025;
    static constexpr int ReachableEntries = 1024;

    clsPowerEvent();

    // Keeps Key and Instrument.
    void ClearDatas() override;

    // Entries held; raises 6 when the count does not fit 16 bits.
    Integer DataCount() const;
    // Stores the count, capped at 1024.
    void DataCount(Integer value);

    // Accessors of entries 0 to 1023; outside, getters give 0 (Dates: the date value 0) and
    // setters do nothing.
    Long LogCnt(Integer Index) const;
    void LogCnt(Integer Index, Long value);
    // Power state (column Power_Type), nonzero for on.
    Integer Flags(Integer Index) const;
    void Flags(Integer Index, Integer value);
    Date Dates(Integer Index) const;
    void Dates(Integer Index, const Date& value);

private:
    static bool Reachable(Integer Index) { return Index >= 0 && Index < ReachableEntries; }

    struct Entry {
        Long LogCnt = 0;
        Date Dates;
        Integer Flags = 0;
    };
    Long dataCount_ = 0;
    std::array<Entry, EntryCount> entries_{};
};

}  // namespace mt52
