#pragma once
// The alarm-event logs (kind 5) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsAlarmEvent.h"

namespace mt52 {

class clsAlarmEvents final : public NotifyingCollection<clsAlarmEvent> {
public:
    clsAlarmEvents() : NotifyingCollection(QStringLiteral("Alarm Events")) {}

    // Takes one line of a text alarm-event log into the record of its log id: "CD" header,
    // "C1".."C4" event, "CC" settings of gas slots 3 and 4, "CB" serial number and count, "CA"
    // user and station IDs; a line of another tag is taken and changes nothing. Answers
    // whether the line was taken; in test mode nothing is stored and refused lines gather in
    // FailLine.
    bool SetDatas(const QString& vData, bool TestFlag);

    // Reads the alarm-event area of a flash image: one record per block in use.
    bool ReadBinaryLog(const QString& fpath);
};

}  // namespace mt52
