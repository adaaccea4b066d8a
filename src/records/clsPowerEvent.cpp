#include "records/clsPowerEvent.h"

#include "platform/Numbers.h"
#include "records/StoredRow.h"
#include "records/TrendLoading.h"

#include <algorithm>

namespace mt52 {

clsPowerEvent::clsPowerEvent() : RecordFrame(Shape{}) { clsPowerEvent::ClearDatas(); }

void clsPowerEvent::ClearDatas() {
    Error(false);
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    entries_.ForEachReachable([](Entry& e) { e = Entry{0, InvalidDateMark, 0}; });
    TakeDatabasePath();
}

void clsPowerEvent::ReLoad() {
    std::optional<Database> db = OpenIfPresent(DatabasePath());
    if (!db)
        return;
    const Recordset head = QueryLogHead(*db, SeqNo());
    if (head.isEmpty())
        return;
    FillHeaderWhole([&] {
        const StoredRow row(head);
        header_.Names = row.Text(QStringLiteral("Names"), QStringLiteral("Name None"));
        header_.Dates = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
        ReadIdentity(row, header_);
        header_.Interval = row.Whole(QStringLiteral("Interval"), 0);
        header_.Sampling = row.Short(QStringLiteral("Sampling"), 0);
        header_.Dcount = row.Whole(QStringLiteral("Dcount"), 0);
        header_.FolderID = row.Text(QStringLiteral("FolderID"), QStringLiteral("00/00"));
        header_.LunchBreak = row.Short(QStringLiteral("LunchBreak"), 0);
        ReadRangeLimits(row, header_);
        ReadGasGroup(row, 1, gas_[0]);
    });
}

Integer clsPowerEvent::DataCount() const { return ToInteger(dataCount_); }

void clsPowerEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, EntryTable<Entry>::Reachable); }

}  // namespace mt52
