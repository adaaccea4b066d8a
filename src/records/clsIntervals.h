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

    // Reads one line of the instrument's interval text records into the record of its log id
    // (added on its first line): "/<id><tag><fields>" lines, continuation lines (a third
    // character other than "A" continues the previous tagged line) and run-length data lines
    // that carry on under the last tag. Characters outside 32..127 are dropped first. Answers
    // whether the line was accepted; a short or malformed line is refused and never raises.
    // With TestFlag nothing is stored and a refused line is added to FailLine.
    bool SetDatas(const QString& vData, bool TestFlag);

    // A statistics text as a level of a record's gas slot: its number, or the slot's full
    // scale, maximum, minimum, warning, alarm, STEL or TWA level by the status word.
    static Single ParseStatText(const QString& text, const clsInterval& record, Integer GasNo);

    // Decodes the interval-trend area of a memory image file into records keyed by the
    // offset of their header ("<offset> L"), writing their samples into their trend files.
    // True when the walk reached the end of the area's data; false when the area holds
    // nothing to read or a failure ended the walk (the records decoded so far stay).
    bool ReadBinaryLog(const QString& fpath);

    using TrendCollection::LineContext;
    using TrendCollection::TagDecoder;
};

}  // namespace mt52
