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

    // Decodes the alarm-trend area of a memory image file, one log per sector, into records
    // keyed by the sector's offset ("<offset> L"), writing their 720 samples into their trend
    // files. A full area (no erased sector) is read in address order. True when the walk
    // passed its last sector; false when there is nothing to read or a failure ended it.
    bool ReadBinaryLog(const QString& fpath);

    using TrendCollection::LineContext;
    using TrendCollection::TagDecoder;
};

}  // namespace mt52
