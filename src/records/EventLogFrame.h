#pragma once
// What alarm and trouble event logs share: a table of events, each a gas number, an event code
// and a date.
#include "records/EntryTable.h"
#include "records/RecordFrame.h"

namespace mt52 {

class StoredRow;

class EventLogFrame : public RecordFrame {
public:
    // Loads the header of the record SeqNo from its Log_Head row: name, start date, identity,
    // interval, month folder and the gas groups 1 to 4 (slot 4 is not read). The events stay
    // in their table; the views read them themselves. Does nothing when no database file is
    // there or no row has the key. A damaged row raises its conversion error and leaves the
    // model as it was.
    void ReLoad();

    // Events held; raises 6 when the count does not fit 16 bits.
    Integer DataCount() const;

    // The event's date; any index outside 0..1023 gives the current date and time.
    Date Dates(Integer Index) const;
    // Setters ignore an index outside 0..1023.
    void Dates(Integer Index, const Date& value) { events_.Set(Index, &Entry::Dates, value); }
    // Event code (column Alarm_Type); 0 outside 0..1023.
    Integer Events(Integer Index) const { return events_.Get(Index, &Entry::Events, Integer{0}); }
    void Events(Integer Index, Integer value) { events_.Set(Index, &Entry::Events, value); }
    // The event's gas (column GasNo); 0 outside 0..1023.
    Integer GasNo(Integer Index) const { return events_.Get(Index, &Entry::GasNo, Integer{0}); }
    void GasNo(Integer Index, Integer value) { events_.Set(Index, &Entry::GasNo, value); }

protected:
    EventLogFrame() : RecordFrame(Shape{}) {}

private:
    void ReadHeader(const StoredRow& row);

protected:

    struct Entry {
        Integer GasNo = 0;
        Date Dates;
        Integer Events = 0;
    };
    Long dataCount_ = 0;
    EntryTable<Entry> events_;
};

}  // namespace mt52
