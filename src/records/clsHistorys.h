#pragma once
// The calibration histories and bump tests one download delivers, keyed by the readers.
#include "records/TrendCollection.h"
#include "records/clsHistory.h"

namespace mt52 {

class clsHistorys final : public TrendCollection<clsHistory> {
public:
    // Removes every record; always succeeds.
    void Clear() { RemoveAll(); }
};

}  // namespace mt52
