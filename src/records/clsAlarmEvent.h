#pragma once
// An alarm-event log (log kind 5): up to 1024 alarm events with gas number, code and date.
#include "records/EventLogFrame.h"

namespace mt52 {

class clsAlarmEvent final : public EventLogFrame {
public:
    clsAlarmEvent();

    // Keeps Key, Instrument, Error and the event dates.
    void ClearDatas() override;

    // Stores the log under the instrument's one "Alarm Events" record (kind 5), adding the
    // events not stored yet (same gas, date to the second and code), in one transaction.
    // Nothing happens without events, and nothing is written for a faulty log (Error) that
    // has no record yet. An event of a gas without a slot raises 9; a missing instrument 91.
    void Update();

    // Decoders of the text log lines of an alarm-event log: "CD" header, "C1".."C4" events,
    // "CC" settings of gas slots 3 and 4, "CB" serial number and event count.
    bool SetDataBD(const QString& s, bool TestFlag) { return DecodeHeaderLine(s, TestFlag, true, QStringLiteral("ae")); }
    bool SetDataB0(const QString& s, bool TestFlag) { return DecodeEventLine(s, TestFlag); }
    bool SetDataBC(const QString& s, bool TestFlag) { return DecodeGasLine(s, TestFlag); }
    bool SetDataBB(const QString& s, bool TestFlag) { return DecodeSerialLine(s, TestFlag); }
};

}  // namespace mt52
