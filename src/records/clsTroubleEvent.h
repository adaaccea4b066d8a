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

    // The same stored date as Dates, but the date value 0 outside 0..1023.
    Date DateTimes(Integer Index) const { return events_.Get(Index, &Entry::Dates, Date(0.0)); }
    void DateTimes(Integer Index, const Date& value) { Dates(Index, value); }
};

}  // namespace mt52
