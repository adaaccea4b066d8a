#include "records/clsHistory.h"

#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace mt52 {
namespace {
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
