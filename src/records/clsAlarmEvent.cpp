#include "records/clsAlarmEvent.h"

namespace mt52 {

clsAlarmEvent::clsAlarmEvent() { clsAlarmEvent::ClearDatas(); }

void clsAlarmEvent::ClearDatas() {
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    events_.ForEachReachable([](Entry& e) {
        e.GasNo = 0;
        e.Events = 0;
    });
    TakeDatabasePath();
}

void clsAlarmEvent::Update() {
    SaveEvents({.kind = 5, .names = "Alarm Events", .table = "Alarm_Event", .writesLogNo = true, .hasBody = false});
}

}  // namespace mt52
