#include "records/EventLogFrame.h"

#include "platform/Clock.h"
#include "platform/Numbers.h"

namespace mt52 {

Integer EventLogFrame::DataCount() const { return ToInteger(dataCount_); }

Date EventLogFrame::Dates(Integer Index) const {
    return Reachable(Index) ? events_[static_cast<std::size_t>(Index)].Dates : Now();
}

void EventLogFrame::Dates(Integer Index, const Date& value) {
    if (Reachable(Index))
        events_[static_cast<std::size_t>(Index)].Dates = value;
}

Integer EventLogFrame::Events(Integer Index) const {
    return Reachable(Index) ? events_[static_cast<std::size_t>(Index)].Events : Integer{0};
}

void EventLogFrame::Events(Integer Index, Integer value) {
    if (Reachable(Index))
        events_[static_cast<std::size_t>(Index)].Events = value;
}

Integer EventLogFrame::GasNo(Integer Index) const {
    return Reachable(Index) ? events_[static_cast<std::size_t>(Index)].GasNo : Integer{0};
}

void EventLogFrame::GasNo(Integer Index, Integer value) {
    if (Reachable(Index))
        events_[static_cast<std::size_t>(Index)].GasNo = value;
}

}  // namespace mt52
