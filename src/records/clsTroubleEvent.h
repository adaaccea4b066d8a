#pragma once
// A trouble-event log (log kind 6): up to 1024 trouble events with gas number, code and date.
#include "records/EventLogFrame.h"

namespace mt52 {

class clsTroubleEvent final : public EventLogFrame {
public:
    clsTroubleEvent();

    // Dates every event with the time of clearing; keeps Key, Instrument, Error and the gas numbers.
    void ClearDatas() override;

    using EventLogFrame::DataCount;
    // Stores the count, capped at 1024.
    void DataCount(Integer value);

    // Stores the log under the instrument's one "Trouble Events" record (kind 6), as the
    // alarm-event log does; gas number 15 is the instrument body and is stored as "Body".
    void Update();

    // Decoders of the text log lines of a trouble-event log: "DD" header (its time must be a
    // time of day), "D1".."D5" events, "DC" settings of gas slots 3 and 4, "DB" serial number
    // and event count.
    bool SetDataDD(const QString& s, bool TestFlag) { return DecodeHeaderLine(s, TestFlag, false, QStringLiteral("te")); }
    bool SetDataD0(const QString& s, bool TestFlag) { return DecodeEventLine(s, TestFlag); }
    bool SetDataDC(const QString& s, bool TestFlag) { return DecodeGasLine(s, TestFlag); }
    bool SetDataDB(const QString& s, bool TestFlag) { return DecodeSerialLine(s, TestFlag); }

    // The same stored date as Dates, but the date value 0 outside 0..1023.
    Date DateTimes(Integer Index) const { return events_.Get(Index, &Entry::Dates, Date(0.0)); }
    void DateTimes(Integer Index, const Date& value) { Dates(Index, value); }
};

}  // namespace mt52
