#pragma once
// The alarm-event logs (kind 5) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsAlarmEvent.h"

namespace mt52 {

class clsAlarmEvents final : public NotifyingCollection<clsAlarmEvent> {
public:
    clsAlarmEvents() : NotifyingCollection(QStringLiteral("Alarm Events")) {}
};

}  // namespace mt52
