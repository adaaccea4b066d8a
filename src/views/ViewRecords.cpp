#include "views/ViewRecords.h"

#include "records/clsAlarm.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsPowerEvent.h"
#include "records/clsSnapShot.h"
#include "records/clsTroubleEvent.h"

namespace mt52 {

namespace {
template <typename Model>
Model& MadeOnFirstUse(std::unique_ptr<Model>& model) {
    if (!model)
        model = std::make_unique<Model>();
    return *model;
}
}  // namespace

ViewRecords::ViewRecords() = default;
ViewRecords::~ViewRecords() = default;

clsInterval& ViewRecords::Interval() { return MadeOnFirstUse(interval_); }
clsAlarm& ViewRecords::Alarm() { return MadeOnFirstUse(alarm_); }
clsHistory& ViewRecords::History() { return MadeOnFirstUse(history_); }
clsAlarmEvent& ViewRecords::AlarmEvent() { return MadeOnFirstUse(alarmEvent_); }
clsTroubleEvent& ViewRecords::TroubleEvent() { return MadeOnFirstUse(troubleEvent_); }
clsPowerEvent& ViewRecords::PowerEvent() { return MadeOnFirstUse(powerEvent_); }
clsSnapShot& ViewRecords::SnapShot() { return MadeOnFirstUse(snapShot_); }

}  // namespace mt52
