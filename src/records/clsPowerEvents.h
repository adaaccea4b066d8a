#pragma once
// The power-event logs (kind 7) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsPowerEvent.h"

namespace mt52 {

class clsPowerEvents final : public NotifyingCollection<clsPowerEvent> {
public:
    clsPowerEvents() : NotifyingCollection(QStringLiteral("Power Events")) {}
};

}  // namespace mt52
