#pragma once
// What alarm and trouble event logs share: a table of events, each a gas number, an event code
// and a date. Entries 0 to 1023 are reachable through the accessors; entry 1024 exists for the
// decoders that fill one entry past the last.
#include "records/RecordFrame.h"

namespace mt52 {

class EventLogFrame : public RecordFrame {
public:
    static constexpr int EntryCount = 1025;
    static constexpr int ReachableEntries = 1024;

    // Events held; raises 6 when the count does not fit 16 bits.
    Integer DataCount() const;

    // The event's date; any index outside 0..1023 gives the current date and time.
    Date Dates(Integer Index) const;
    // Setters ignore an index outside 0..1023.
    void Dates(Integer Index, const Date& value);
    // Event code (column Alarm_Type); 0 outside 0..1023.
    Integer Events(Integer Index) const;
    void Events(Integer Index, Integer value);
    // The event's gas (column GasNo); 0 outside 0..1023.
    Integer GasNo(Integer Index) const;
    void GasNo(Integer Index, Integer value);

protected:
    EventLogFrame() : RecordFrame(Shape{}) {}

    static bool Reachable(Integer Index) { return Index >= 0 && Index < ReachableEntries; }

    struct Entry {
        Integer GasNo = 0;
        Date Dates;
        Integer Events = 0;
    };
    Long dataCount_ = 0;
    std::array<Entry, EntryCount> events_{};
};

}  // namespace mt52
