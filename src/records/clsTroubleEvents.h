#pragma once
// The trouble-event logs (kind 6) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsTroubleEvent.h"

namespace mt52 {

class clsTroubleEvents final : public NotifyingCollection<clsTroubleEvent> {
public:
    clsTroubleEvents() : NotifyingCollection(QStringLiteral("Trouble Events")) {}

    // Takes one line of a text trouble-event log into the record of its log id: "DD" header,
    // "D1".."D5" event, "DC" settings of gas slots 3 and 4, "DB" serial number and count, "DA"
    // user and station IDs; a line of another tag is taken and changes nothing. Answers
    // whether the line was taken; in test mode nothing is stored and refused lines gather in
    // FailLine.
    bool SetDatas(const QString& vData, bool TestFlag);

    // Reads the trouble-event area of a flash image: one record per block in use.
    bool ReadBinaryLog(const QString& fpath);
};

}  // namespace mt52
