#pragma once
// The record models a data view shows: one model per record kind, each created the first time
// it is used and kept for the life of the view, so every view of that kind reloads the same
// object. The main data view and the trend-search window each own one.
#include <memory>

namespace mt52 {

class clsAlarm;
class clsAlarmEvent;
class clsHistory;
class clsInterval;
class clsPowerEvent;
class clsSnapShot;
class clsTroubleEvent;

class ViewRecords {
public:
    ViewRecords();
    ~ViewRecords();
    ViewRecords(const ViewRecords&) = delete;
    ViewRecords& operator=(const ViewRecords&) = delete;

    clsInterval& Interval();          // kinds 1 and 9
    clsAlarm& Alarm();                // kind 2
    clsHistory& History();            // kinds 3 and 10
    clsAlarmEvent& AlarmEvent();      // kind 5
    clsTroubleEvent& TroubleEvent();  // kind 6
    clsPowerEvent& PowerEvent();      // kind 7
    clsSnapShot& SnapShot();          // kind 11

    // Whether the model of a kind exists yet (it is made on first use).
    bool HasInterval() const { return interval_ != nullptr; }
    bool HasAlarm() const { return alarm_ != nullptr; }

private:
    std::unique_ptr<clsInterval> interval_;
    std::unique_ptr<clsAlarm> alarm_;
    std::unique_ptr<clsHistory> history_;
    std::unique_ptr<clsAlarmEvent> alarmEvent_;
    std::unique_ptr<clsTroubleEvent> troubleEvent_;
    std::unique_ptr<clsPowerEvent> powerEvent_;
    std::unique_ptr<clsSnapShot> snapShot_;
};

}  // namespace mt52
