#pragma once
// An alarm-event log (log kind 5): up to 1024 alarm events with gas number, code and date.
#include "records/EventLogFrame.h"

namespace mt52 {

class clsAlarmEvent final : public EventLogFrame {
public:
    clsAlarmEvent();

    // Keeps Key, Instrument, Error and the event dates.
    void ClearDatas() override;
};

}  // namespace mt52
