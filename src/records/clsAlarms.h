#pragma once
// The alarm-trend records decoded from one instrument, keyed by log id.
#include "records/TrendCollection.h"
#include "records/clsAlarm.h"

namespace mt52 {

class clsAlarms final : public TrendCollection<clsAlarm> {
public:
    // Removes every record.
    void Clear() { ClearRecords(false); }
};

}  // namespace mt52
