#pragma once
// A power-event log (log kind 7): up to 1024 entries of log counter, on/off flag and date.
#include "records/EntryTable.h"
#include "records/RecordFrame.h"

#include <QByteArray>

namespace mt52 {

class clsPowerEvent final : public RecordFrame {
public:
    clsPowerEvent();

    // Keeps Key and Instrument.
    void ClearDatas() override;

    // Loads the header of the record SeqNo from its Log_Head row, with the counts, the range
    // limits and gas group 1 (slots 1 to 4 are not read). The entries stay in their table.
    // Does nothing when no database file is there or no row has the key. A damaged row
    // raises its conversion error and leaves the model as it was.
    void ReLoad();

    // Stores the log under the instrument's one "Power Events" record (kind 7), identified by
    // the instrument's own user, station and serial number, adding the entries whose date is
    // not stored yet, in one transaction. Nothing happens without entries; nothing is written
    // for a faulty log (Error) that has no record yet. A missing instrument raises 91.
    void Update();

    // Decodes an "FD" text line (date YYMMDD at 5, time hhnnss at 11, "1111" at 17 for power
    // on) as the next entry. A bad date or time still adds the entry, dated 0, sets Error and
    // writes the line to the communication log. A 1026th entry raises 9. In test mode nothing
    // is decoded.
    bool SetDataF0(const QString& s, bool TestFlag);
    // Decodes a flash power block (count, date and time, on/off byte) as the next entry.
    bool SetData(const QByteArray& vData);

    // Entries held; raises 6 when the count does not fit 16 bits.
    Integer DataCount() const;
    // Stores the count, capped at 1024.
    void DataCount(Integer value);

    // Accessors of entries 0 to 1023; outside, getters give 0 (Dates: the date value 0) and
    // setters do nothing.
    Long LogCnt(Integer Index) const { return entries_.Get(Index, &Entry::LogCnt, Long{0}); }
    void LogCnt(Integer Index, Long value) { entries_.Set(Index, &Entry::LogCnt, value); }
    // Power state (column Power_Type), nonzero for on.
    Integer Flags(Integer Index) const { return entries_.Get(Index, &Entry::Flags, Integer{0}); }
    void Flags(Integer Index, Integer value) { entries_.Set(Index, &Entry::Flags, value); }
    Date Dates(Integer Index) const { return entries_.Get(Index, &Entry::Dates, Date(0.0)); }
    void Dates(Integer Index, const Date& value) { entries_.Set(Index, &Entry::Dates, value); }

private:
    void AppendEntry(Long logCnt, const Date& when, bool on);

    struct Entry {
        Long LogCnt = 0;
        Date Dates;
        Integer Flags = 0;
    };
    Long dataCount_ = 0;
    EntryTable<Entry> entries_;
};

}  // namespace mt52
