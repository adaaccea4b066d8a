#pragma once
// The snapshots (kind 11) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsSnapShot.h"

namespace mt52 {

class clsSnapShots final : public NotifyingCollection<clsSnapShot> {
public:
    clsSnapShots() : NotifyingCollection(QStringLiteral("SnapShot")) {}
};

}  // namespace mt52
