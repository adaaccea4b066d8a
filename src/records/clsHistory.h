#pragma once
// A calibration history or bump test (log kinds 3 and 10): per gas slot and entry the reading
// before and after, the gas name and the bump-test judgement, and one date per entry.
#include "records/RecordFrame.h"

#include <QByteArray>

namespace mt52 {

class StoredRow;

class clsHistory final : public RecordFrame {
public:
    // Entries 0 to 300 per gas slot.
    static constexpr int EntryCount = 301;

    clsHistory();

    void ClearDatas() override;

    // Loads the record SeqNo from the database: its Log_Head row (identity, month folder,
    // start date, the five gas descriptions) and its entries, newest first, from cHistory (kind
    // 3) or Bump (any other kind). Does nothing when no database file is there. Fields the
    // load does not reach keep their values, so a viewer clears the model first. At most 301
    // entries are loaded, the newest; EntriesNotShown tells how many older ones were left out.
    // A damaged row raises its conversion error and leaves the model as it was.
    void ReLoad();
    // Stored entries of the last load that did not fit the 301 entries.
    Long EntriesNotShown() const { return entriesNotShown_; }

    // Adds the values of one gas slot at a moment: to the entry of that date when one of the
    // first Dcount entries has it (the last such), else as entry Dcount, raising Dcount. Once
    // Dcount reaches 300 nothing is added. A slot outside 0..4 raises 9 before anything
    // changes. `po` (the decimals of the value text) is not kept.
    void AddHistory(Integer GasNo, const Date& Dates, Single Before, Single After, const QString& No, Integer po);

    // Stores the record under the instrument's one record of its kind: a bump test (kind 10,
    // rows in Bump) when Sampling is not 0, else a calibration history (kind 3, rows in
    // cHistory). The Log_Head row is written anew under its old key, and of entries 0 to
    // Dcount - 1 those whose date is not stored yet are added; all in one transaction. A
    // missing instrument raises 91 before anything is written.
    void HistoryUpdate();

    // Decodes the header of a flash history block at st and leaves st after it.
    bool SetHeader(const QByteArray& vData, Integer& st);
    // Decodes one calibration (5 bytes) or bump-test (6 bytes) entry at st and leaves st after
    // it. Entries of one test share the dated entry of the header's date. An entry of a slot
    // the header did not describe is skipped; an entry code below 0x60 raises 5, a slot above
    // 4 or a 302nd dated entry 9.
    bool SetData(const QByteArray& vData, Integer& st);

    // Entries loaded; raises 6 when the count does not fit 16 bits.
    Integer DataCount() const;
    void DataCount(Integer value) { dataCount_ = value; }
    // Entries added for writing, apart from DataCount and from the header's Dcount.
    Integer Dcount() const { return dcount_; }
    void Dcount(Integer value) { dcount_ = value; }

    // Entry accessors; an entry outside 0..300 or a slot outside 0..4 raises 9.
    Date Dates(Integer Index) const;
    void Dates(Integer Index, const Date& value);
    Single Before(Integer GasNo, Integer Index) const;
    void Before(Integer GasNo, Integer Index, Single value);
    Single After(Integer GasNo, Integer Index) const;
    void After(Integer GasNo, Integer Index, Single value);
    QString GasName(Integer GasNo, Integer Index) const;
    void GasName(Integer GasNo, Integer Index, const QString& value);
    // Stored as the nearest 16-bit whole number (halves to even; 6 outside the range).
    Single Judge(Integer GasNo, Integer Index) const;
    void Judge(Integer GasNo, Integer Index, Single value);

    using RecordFrame::SetSerialLog;

private:
    void ReadHeader(const StoredRow& row);
    void ReadEntry(const StoredRow& row, int index, bool bumpTest);

    struct Entry {
        Long SeqNo = 0;  // key of the cHistory or Bump row, -1 when cleared
        Single Before = 0;
        Single After = 0;
        QString GasName;
        Integer Judge = 0;
    };
    const Entry& EntryAt(Integer GasNo, Integer Index) const;
    Entry& EntryAt(Integer GasNo, Integer Index);

    Long dataCount_ = 0;
    std::array<std::array<Entry, EntryCount>, RecordGasSlots> entries_{};
    std::array<Date, EntryCount> dates_{};
    Integer dcount_ = 0;
    Long entriesNotShown_ = 0;
};

}  // namespace mt52
