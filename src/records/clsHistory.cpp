#include "records/clsHistory.h"

#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/StoredRow.h"
#include "records/TrendLoading.h"

#include <algorithm>

namespace mt52 {
namespace {
constexpr Integer CalibrationHistoryKind = 3;

void CheckEntry(Integer Index) {
    if (Index < 0 || Index >= clsHistory::EntryCount)
        Raise(ErrSubscript, QStringLiteral("history entry %1").arg(Index));
}
}  // namespace

clsHistory::clsHistory() : RecordFrame(Shape{}) { clsHistory::ClearDatas(); }

void clsHistory::ClearDatas() {
    TakeDatabasePath();
    Instrument(nullptr);
    Error(false);
    ClearHeader();
    ClearGasSlots();
    // Entry 300 and the dates after the first are left as they are: a load fills them again
    // and the views read no further than DataCount.
    for (auto& slot : entries_) {
        for (int i = 0; i < EntryCount - 1; ++i)
            slot[static_cast<std::size_t>(i)] = Entry{-1, NoDataReading, NoDataReading, QString(), 0};
    }
    dates_[0] = Date(0.0);
    dcount_ = 0;
}

void clsHistory::ReLoad() {
    std::optional<Database> db = OpenIfPresent(DatabasePath());
    if (!db)
        return;
    // Filled aside and taken over whole, so a damaged row leaves this model as it was.
    clsHistory loaded(*this);
    Integer kind = 0;
    {
        const Recordset head = QueryLogHead(*db, SeqNo());
        if (!head.isEmpty()) {
            const StoredRow row(head);
            kind = row.Short(QStringLiteral("Types"), NullNumber);
            loaded.ReadHeader(row);
        }
    }
    const bool bumpTest = kind != CalibrationHistoryKind;
    Recordset entries = db->query(bumpTest ? QStringLiteral("SELECT * FROM Bump WHERE RelNo = ? ORDER BY Dates DESC")
                                           : QStringLiteral("SELECT * FROM cHistory WHERE RelNo = ? ORDER BY Dates DESC"),
                                  {SeqNo()});
    if (!entries.isEmpty()) {
        const Long shown = std::min<Long>(entries.recordCount(), EntryCount);
        loaded.dataCount_ = shown;
        loaded.entriesNotShown_ = entries.recordCount() - shown;
        const StoredRow row(entries);
        for (int i = 0; i < shown; ++i) {
            loaded.ReadEntry(row, i, bumpTest);
            entries.moveNext();
        }
    }
    *this = std::move(loaded);
}

void clsHistory::ReadHeader(const StoredRow& row) {
    ReadIdentity(row, header_);
    header_.FolderID = row.Text(QStringLiteral("FolderID"), QStringLiteral("00/00"));
    header_.Dates = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    for (int slot = 0; slot < RecordGasSlots; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        GasSlot& g = gas_[static_cast<std::size_t>(slot)];
        g.Name = row.Text(column("Name"));
        g.Full = row.Number(column("Full"), NoDataReading);
        g.Desit = row.Number(column("Desit"), NoDataReading);
        g.Point = row.Short(column("Point"), NullNumber);
        g.Enable = row.YesNo(column("Enable"), false);
        g.Unit = row.Text(column("Unit"));
    }
}

void clsHistory::ReadEntry(const StoredRow& row, int index, bool bumpTest) {
    const auto i = static_cast<std::size_t>(index);
    dates_[i] = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    const Long key = row.Whole(QStringLiteral("SeqNo"), -1);
    for (int slot = 0; slot < RecordGasSlots; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        Entry& e = entries_[static_cast<std::size_t>(slot)][i];
        e.SeqNo = key;
        e.Before = row.Number(column("Before"), NoDataReading);
        e.After = row.Number(column("After"), NoDataReading);
        if (bumpTest)
            e.Judge = row.Short(column("Judge"), NullNumber);
        e.GasName = row.Text(column("Name"));
    }
}

Integer clsHistory::DataCount() const { return ToInteger(dataCount_); }

Date clsHistory::Dates(Integer Index) const {
    CheckEntry(Index);
    return dates_[static_cast<std::size_t>(Index)];
}

void clsHistory::Dates(Integer Index, const Date& value) {
    CheckEntry(Index);
    dates_[static_cast<std::size_t>(Index)] = value;
}

const clsHistory::Entry& clsHistory::EntryAt(Integer GasNo, Integer Index) const {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(GasNo));
    CheckEntry(Index);
    return entries_[static_cast<std::size_t>(GasNo)][static_cast<std::size_t>(Index)];
}

clsHistory::Entry& clsHistory::EntryAt(Integer GasNo, Integer Index) {
    return const_cast<Entry&>(std::as_const(*this).EntryAt(GasNo, Index));
}

Single clsHistory::Before(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).Before; }
void clsHistory::Before(Integer GasNo, Integer Index, Single value) { EntryAt(GasNo, Index).Before = value; }
Single clsHistory::After(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).After; }
void clsHistory::After(Integer GasNo, Integer Index, Single value) { EntryAt(GasNo, Index).After = value; }
QString clsHistory::GasName(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).GasName; }
void clsHistory::GasName(Integer GasNo, Integer Index, const QString& value) {
    EntryAt(GasNo, Index).GasName = value;
}
Single clsHistory::Judge(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).Judge; }
void clsHistory::Judge(Integer GasNo, Integer Index, Single value) {
    EntryAt(GasNo, Index).Judge = ToInteger(value);
}

}  // namespace mt52
