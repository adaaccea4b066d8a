#include "records/clsIntervals.h"

namespace mt52 {

clsIntervals::RecordPtr clsIntervals::Add(const QString& key, Long seqNo) {
    RecordPtr record = TrendCollection::Add(key, seqNo);
    record->Error(false);
    return record;
}

}  // namespace mt52
