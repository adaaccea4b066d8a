#pragma once
// The snapshots (kind 11) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsSnapShot.h"

namespace mt52 {

class clsSnapShots final : public NotifyingCollection<clsSnapShot> {
public:
    clsSnapShots() : NotifyingCollection(QStringLiteral("SnapShot")) {}

    // Reads the snapshot area of a flash image: one record per block in use.
    bool ReadBinaryLog(const QString& fpath);
};

}  // namespace mt52
