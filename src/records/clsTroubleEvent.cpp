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
    events_.ForEachReachable([&now](Entry& e) {
        e.Dates = now;
        e.Events = 0;
    });
    TakeDatabasePath();
}

void clsTroubleEvent::Update() {
    SaveEvents({.kind = 6,
                .names = "Trouble Events",
                .table = "Trouble_Event",
                .writesLogNo = false,
                .hasBody = true,
                .firstStoreKeepsAll = true});
}

void clsTroubleEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, EntryTable<Entry>::Reachable); }

}  // namespace mt52
