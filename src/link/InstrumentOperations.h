#pragma once
// The instrument's one-shot operations: erasing its logged data and its power data,
// restoring its defaults, switching it off, zero and span calibration with their status, the
// live-reading poll and the service commands. Each sends one command (and, for the erasures
// and the defaults, completion polls until the instrument reports the work done) and waits,
// yielding, for the link's status to leave its waiting code; 6 means the step succeeded.
#include "link/LinkCore.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace mt52 {

class clsInstrument;

class InstrumentOperations {
public:
    // How the switch-off reaches the ports: closing them, and reopening what must stay open
    // afterwards (the infrared port). Without them the link's transport is closed.
    struct PortControl {
        std::function<void()> ClosePorts;
        std::function<void()> ReopenAfterPowerOff;
    };

    // Completion polls come about five seconds apart and give up after two minutes.
    static constexpr int CompletionPollSeconds = 5;
    static constexpr int CompletionLimitSeconds = 120;
    // The switch-off waits 50 link ticks (five seconds) before the link is reset.
    static constexpr Long PowerOffTicks = 50;
    // Calibration status polls come ten link ticks (one second) apart.
    static constexpr Long CalibrationPollTicks = 10;
    static constexpr int LiveReadingMilliseconds = 1000;

    explicit InstrumentOperations(LinkCore& link, PortControl ports = {});

    // Erase the logged data ("XC"), the power data ("XY"), restore the defaults ("UX"): true
    // when the instrument reported the work complete within the time limit.
    bool BodyDataClear();
    bool PowerDataClear();
    bool DefaultInstrument();
    // Switches the instrument off: the port is closed and the link disconnected whatever the
    // answer; true only when the instrument accepted the command.
    bool BodyPowerOff();

    bool ZeroCal(const QString& Datas);
    bool SpanCal(const QString& Datas);
    // True when the status text has five characters and the one of the sensor (0 to 4) is "0".
    bool ZeroStatus(Integer Index) const { return SensorDone(ZeroStatusText, Index); }
    bool SpanStatus(Integer Index) const { return SensorDone(SpanStatusText, Index); }
    bool zCal(const QString& O2denst);

    bool SetCheckData();
    bool SetLED(bool on);
    bool SetBuzzer(bool on);
    bool SetPump(bool on);
    bool SetPumpLevel(Integer level);
    bool Dw();
    bool LpR(clsInstrument* iObj);
    bool Lp(clsInstrument* iObj);

    // The live-reading poll: one "DN,R," a second while it runs.
    bool RunDensty() const { return tmrDenst.isActive(); }
    void SetRunDensty(bool run);
    // One tick of the live-reading timer.
    void DenstyTick();

    // Calibration status texts, one character per sensor; nothing fills them yet.
    QString ZeroStatusText;
    QString SpanStatusText;
    QTimer tmrDenst;

private:
    enum class Erase { Data, PowerData, Defaults };
    bool EraseWithCompletion(Erase kind);
    bool Simple(const QByteArray& command, Long waitingCode);
    // Waits, yielding, until the clock in whole seconds is `seconds` past `from`.
    void WaitUntilSecondsPast(const QDateTime& from, int seconds);
    void WaitTicks(Long ticks);
    void Log(const QString& text) { link_.AddLog(text); }
    static bool SensorDone(const QString& text, Integer index);

    LinkCore& link_;
    PortControl ports_;
    QObject timerContext_;
};

}  // namespace mt52
