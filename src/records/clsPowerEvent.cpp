#include "records/clsPowerEvent.h"

#include "platform/Numbers.h"

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

Integer clsPowerEvent::DataCount() const { return ToInteger(dataCount_); }

void clsPowerEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, EntryTable<Entry>::Reachable); }

}  // namespace mt52
