#include "records/clsTroubleEvent.h"

#include "platform/Clock.h"

#include <algorithm>

namespace mt52 {

clsTroubleEvent::clsTroubleEvent() { clsTroubleEvent::ClearDatas(); }

void clsTroubleEvent::ClearDatas() {
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    const Date now = Now();
    for (int i = 0; i < ReachableEntries; ++i) {
        Entry& e = events_[static_cast<std::size_t>(i)];
        e.Dates = now;
        e.Events = 0;
    }
    TakeDatabasePath();
}

void clsTroubleEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, ReachableEntries); }

Date clsTroubleEvent::DateTimes(Integer Index) const {
    return Reachable(Index) ? events_[static_cast<std::size_t>(Index)].Dates : Date(0.0);
}

}  // namespace mt52
