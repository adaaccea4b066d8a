#pragma once
// The power-event logs (kind 7) one download delivers, keyed by the readers.
#include "records/NotifyingCollection.h"
#include "records/clsPowerEvent.h"

namespace mt52 {

class clsPowerEvents final : public NotifyingCollection<clsPowerEvent> {
public:
    clsPowerEvents() : NotifyingCollection(QStringLiteral("Power Events")) {}

    // Takes one line of a text power-event log into the record of its log id: an "FD" line
    // adds a power-on or power-off entry; a line of another tag is taken and changes nothing.
    // Answers whether the line was taken; in test mode nothing is stored and refused lines
    // gather in FailLine.
    bool SetDatas(const QString& vData, bool TestFlag);

    // Reads the power-event area of a flash image: one record with one entry per block that
    // is not erased.
    bool ReadBinaryLog(const QString& fpath);
};

}  // namespace mt52
