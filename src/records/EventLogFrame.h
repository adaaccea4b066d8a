#pragma once
// What alarm and trouble event logs share: a table of events, each a gas number, an event code
// and a date; their loading, their text-line and flash-block decoders and their writer.
#include "records/EntryTable.h"
#include "records/RecordFrame.h"

#include <QByteArray>

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

    // Decodes the header of a flash block at st (record number, identities, interval, gas
    // entries, range limits, date, lunch break) and leaves st after it.
    bool SetHeader(const QByteArray& vData, Integer& st);
    // Decodes a whole flash block: the header at 0, then the events from two bytes after it
    // up to the FF that ends them.
    void SetBlock(const QByteArray& vData);
    // Decodes the two-byte event at st as the next event, dated with the header's date, and
    // leaves st after it. A 1026th event raises 9.
    bool SetData(const QByteArray& vData, Integer& st);

protected:
    EventLogFrame() : RecordFrame(Shape{}) {}

    // What tells the writers of the two kinds apart.
    struct EventStore {
        Long kind;             // Log_Head.Types
        const char* names;     // Log_Head.Names
        const char* table;     // the event table
        bool writesLogNo;      // the header row carries LogNo
        bool hasBody;          // gas number 15 is the instrument body
        bool firstStoreKeepsAll = false;  // a log that makes its Log_Head row stores every event
    };
    // Stores the log: finds the instrument's Log_Head row of the kind (or makes one, unless
    // Error is set) and adds every event that the table does not hold yet, all in one
    // transaction; with firstStoreKeepsAll, a log that has just made the row stores every
    // event, equal ones included. An event whose gas number names no slot is refused with 9
    // before anything is written.
    void SaveEvents(const EventStore& how);

    // Text-line decoders (printable text of the line, columns from 1). In test mode they check
    // the line and store nothing, except that a bad header date still sets Error.
    // Header "CD"/"DD": date YYMMDD at 5, time hhnnss at 11; `carryTime` takes any numbers and
    // carries a field beyond its range into the next unit. Names become the prefix and the
    // date as ddhhnnss, FolderID the date as mm/yy.
    bool DecodeHeaderLine(const QString& s, bool TestFlag, bool carryTime, const QString& namePrefix);
    // One event (gas digit at 4, event number at 5-6), appended as the next event and dated
    // with the header's date. Gas digit 0 refuses the line.
    bool DecodeEventLine(const QString& s, bool TestFlag);
    // Settings of gas slots 3 and 4 (at least 69 characters).
    bool DecodeGasLine(const QString& s, bool TestFlag);
    // Serial number (5-16) and the count of events the instrument announces (18-21), kept as
    // the header's Dcount.
    bool DecodeSerialLine(const QString& s, bool TestFlag);

    struct Entry {
        Integer GasNo = 0;
        Date Dates;
        Integer Events = 0;
    };
    Long dataCount_ = 0;
    EntryTable<Entry> events_;

private:
    void ReadHeader(const StoredRow& row);
    // Appends one event; a 1026th raises 9 and stores nothing.
    void AppendEvent(Integer gasNo, Integer code);
};

}  // namespace mt52
