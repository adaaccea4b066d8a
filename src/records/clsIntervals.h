#pragma once
// The interval-trend records decoded from one instrument, keyed by log id.
#include "records/TrendCollection.h"
#include "records/clsInterval.h"

namespace mt52 {

class clsIntervals final : public TrendCollection<clsInterval> {
public:
    // As the base Add, with the new record's Error cleared.
    RecordPtr Add(const QString& key, Long seqNo);

    // Removes every record that has a key; one with an empty key stays.
    void Clear() { ClearRecords(true); }
};

}  // namespace mt52
