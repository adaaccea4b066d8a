#include "records/clsAlarmEvent.h"

namespace mt52 {

clsAlarmEvent::clsAlarmEvent() { clsAlarmEvent::ClearDatas(); }

void clsAlarmEvent::ClearDatas() {
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    for (int i = 0; i < ReachableEntries; ++i) {
        Entry& e = events_[static_cast<std::size_t>(i)];
        e.GasNo = 0;
        e.Events = 0;
    }
    TakeDatabasePath();
}

}  // namespace mt52
