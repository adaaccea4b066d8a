#pragma once
// The trouble-event logs (kind 6) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsTroubleEvent.h"

namespace mt52 {

class clsTroubleEvents final : public NotifyingCollection<clsTroubleEvent> {
public:
    clsTroubleEvents() : NotifyingCollection(QStringLiteral("Trouble Events")) {}
};

}  // namespace mt52
