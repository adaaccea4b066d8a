#pragma once
// The alarm-trend records decoded from one instrument, keyed by log id.
#include "records/TrendCollection.h"
#include "records/clsAlarm.h"

namespace mt52 {

class clsAlarms final : public TrendCollection<clsAlarm> {
public:
    // Removes every record.
    void Clear() { ClearRecords(false); }

    // Reads one line of the instrument's alarm text records into the record of its log id
    // (added on its first line): "/<id><tag><fields>" lines and run-length data lines that
    // carry on under the last tag. Characters outside 32..127 are dropped first. Answers
    // whether the line was accepted; a short or malformed line is refused and never raises.
    // With TestFlag nothing is stored and a refused line is added to FailLine.
    bool SetDatas(const QString& vData, bool TestFlag);

    using TrendCollection::LineContext;
    using TrendCollection::TagDecoder;
};

}  // namespace mt52
