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
    for (int i = 0; i < ReachableEntries; ++i)
        entries_[static_cast<std::size_t>(i)] = Entry{0, InvalidDateMark, 0};
    TakeDatabasePath();
}

Integer clsPowerEvent::DataCount() const { return ToInteger(dataCount_); }

void clsPowerEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, ReachableEntries); }

Long clsPowerEvent::LogCnt(Integer Index) const {
    return Reachable(Index) ? entries_[static_cast<std::size_t>(Index)].LogCnt : 0;
}

void clsPowerEvent::LogCnt(Integer Index, Long value) {
    if (Reachable(Index))
        entries_[static_cast<std::size_t>(Index)].LogCnt = value;
}

Integer clsPowerEvent::Flags(Integer Index) const {
    return Reachable(Index) ? entries_[static_cast<std::size_t>(Index)].Flags : Integer{0};
}

void clsPowerEvent::Flags(Integer Index, Integer value) {
    if (Reachable(Index))
        entries_[static_cast<std::size_t>(Index)].Flags = value;
}

Date clsPowerEvent::Dates(Integer Index) const {
    return Reachable(Index) ? entries_[static_cast<std::size_t>(Index)].Dates : Date(0.0);
}

void clsPowerEvent::Dates(Integer Index, const Date& value) {
    if (Reachable(Index))
        entries_[static_cast<std::size_t>(Index)].Dates = value;
}

}  // namespace mt52
