#include "link/InstrumentOperations.h"

#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "link/InstrumentReplies.h"
#include "link/ReplyParser.h"
#include "platform/Clock.h"

namespace mt52 {
namespace {

enum TextId {
    TextPowerOffStart = 5506,
    TextPowerOffFinished = 5507,
    TextCalibrationFailed = 5516,
    TextRemoveStart = 5556,
    TextRemoveFinished = 5557,
    TextRemoveFailed = 5558,
    TextLiveReadingTimeout = 5560,
};


// The calibration status the instrument sends while a sensor is still working.
const QString CalibrationBusyMark = QString(QChar(ctl::SUB));

}  // namespace

InstrumentOperations::InstrumentOperations(LinkCore& link, PortControl ports)
    : link_(link), ports_(std::move(ports)) {
    tmrDenst.setInterval(LiveReadingMilliseconds);
    QObject::connect(&tmrDenst, &QTimer::timeout, &timerContext_, [this] { DenstyTick(); });
}

// --- erasures and defaults -------------------------------------------------------------

bool InstrumentOperations::BodyDataClear() { return EraseWithCompletion(Erase::Data); }
bool InstrumentOperations::PowerDataClear() { return EraseWithCompletion(Erase::PowerData); }
bool InstrumentOperations::DefaultInstrument() { return EraseWithCompletion(Erase::Defaults); }

bool InstrumentOperations::EraseWithCompletion(Erase kind) {
    struct Commands {
        const char* start;
        const char* poll;
        Long pollWait;
        const char* name;
    };
    const Commands c = kind == Erase::Data        ? Commands{"XC,W,", "XC,C,", StatusWriteWait, "Data remove"}
                       : kind == Erase::PowerData ? Commands{"XY,W,", "XY,C,", StatusWriteWait, "Power data remove"}
                                                  : Commands{"UX,W,", "UX,C,", StatusReadWait, "Default settings"};
    const bool writesRemoveLines = kind != Erase::Defaults;
    if (writesRemoveLines)
        Log(GetResText(TextRemoveStart));
    else
        Log(QStringLiteral("--- Default Settings Start Sequence---"));

    bool opResult = false;
    {
        LinkOperation op(link_);
        opResult = op.Exchange(c.start, StatusWriteWait);
        if (opResult) {
            InstrumentReplies& replies = link_.Parser().Instrument();
            replies.CompletionFlag(false);
            const QDateTime pollStart = NowDateTime();
            for (;;) {
                WaitUntilSecondsPast(NowDateTime(), CompletionPollSeconds);
                if (pollStart.secsTo(NowDateTime()) > CompletionLimitSeconds) {
                    Log(QStringLiteral("<<< %1: the instrument did not report completion within %2 seconds >>>")
                            .arg(QString::fromLatin1(c.name))
                            .arg(CompletionLimitSeconds));
                    opResult = false;
                    break;
                }
                if (!op.Exchange(c.poll, c.pollWait)) {
                    opResult = false;
                    break;
                }
                if (replies.CompletionFlag())
                    break;
            }
        }
    }
    if (writesRemoveLines)
        Log(GetResText(opResult ? TextRemoveFinished : TextRemoveFailed));
    else
        Log(opResult ? QStringLiteral("--- Default Settings Finished---.\r\n")
                     : QStringLiteral("--- Default Settings Failed---.\r\n"));
    return opResult;
}

void InstrumentOperations::WaitUntilSecondsPast(const QDateTime& from, int seconds) {
    const qint64 startSecond = from.toSecsSinceEpoch();
    while (NowDateTime().toSecsSinceEpoch() - startSecond < seconds)
        link_.Yield();
}

void InstrumentOperations::WaitTicks(Long ticks) {
    link_.ResetTickCounter();
    while (link_.TickCounter() < ticks)
        link_.Yield();
}

// --- switch-off --------------------------------------------------------------------------

bool InstrumentOperations::BodyPowerOff() {
    Log(GetResText(TextPowerOffStart));
    bool answered = false;
    {
        LinkOperation op(link_);
        answered = op.Exchange("RO,W,", StatusWriteWait);
        if (ports_.ClosePorts)
            ports_.ClosePorts();
        else
            link_.Transport().close();
        WaitTicks(PowerOffTicks);
        link_.SetMode(ModeIdle);
        link_.SetStatus(StatusInitial);
        if (ports_.ReopenAfterPowerOff)
            ports_.ReopenAfterPowerOff();
    }
    if (!answered) {
        Log(QStringLiteral("<<< Power off was not accepted by the instrument; the port was closed all the same >>>"));
        return false;
    }
    Log(GetResText(TextPowerOffFinished));
    return true;
}

// --- calibration -------------------------------------------------------------------------

bool InstrumentOperations::ZeroCal(const QString& Datas) {
    LinkOperation op(link_);
    if (!op.Exchange("SZ,W," + Datas.toLatin1(), StatusWriteWait)) {
        link_.AddDatedLog(TextCalibrationFailed);
        return false;
    }
    const QDateTime pollStart = NowDateTime();
    for (;;) {
        if (pollStart.secsTo(NowDateTime()) > CompletionLimitSeconds) {
            Log(QStringLiteral("<<< Zero calibration: no complete status within %1 seconds >>>")
                    .arg(CompletionLimitSeconds));
            return false;
        }
        WaitTicks(CalibrationPollTicks);
        const bool answered = op.Exchange("SZ,C,", StatusWriteWait);
        if (!answered && ZeroStatusText != CalibrationBusyMark)
            return false;
        if (answered && ZeroStatusText.size() == 5)
            return true;
    }
}

bool InstrumentOperations::SpanCal(const QString& Datas) {
    LinkOperation op(link_);
    if (op.Exchange("S2,W," + Datas.toLatin1(), StatusWriteWait))
        return true;
    link_.AddDatedLog(TextCalibrationFailed);
    return false;
}

bool InstrumentOperations::zCal(const QString& O2denst) {
    InstrumentReplies& replies = link_.Parser().Instrument();
    replies.SnResult(QString());
    LinkOperation op(link_);
    if (op.Exchange("SN,W," + O2denst.toLatin1(), StatusWriteWait))
        return !replies.SnResult().isEmpty();
    link_.AddDatedLog(TextCalibrationFailed);
    return false;
}

bool InstrumentOperations::SensorDone(const QString& text, Integer index) {
    return text.size() == 5 && index >= 0 && index <= 4 && text.at(index) == u'0';
}

// --- live readings -----------------------------------------------------------------------

void InstrumentOperations::SetRunDensty(bool run) {
    if (!run && tmrDenst.isActive()) {
        while (link_.Status() == StatusReadWait)
            link_.Yield();
        tmrDenst.stop();
    } else if (run && !tmrDenst.isActive()) {
        tmrDenst.start();
        link_.ResetTickCounter();
    }
}

void InstrumentOperations::DenstyTick() {
    switch (link_.Status()) {
    case StatusFree:
    case StatusDone:
        link_.SetStatus(StatusReadWait);
        link_.DataSend(CommandFrame::BuildFrame("DN,R,", ctl::EOT), true);
        break;
    case StatusReadWait:
        link_.AddDatedLog(TextLiveReadingTimeout);
        link_.SetStatus(StatusFree);
        break;
    default:
        break;
    }
}

// --- service commands --------------------------------------------------------------------

bool InstrumentOperations::Simple(const QByteArray& command, Long waitingCode) {
    LinkOperation op(link_);
    return op.Exchange(command, waitingCode);
}

bool InstrumentOperations::SetCheckData() { return Simple("XH,E,", StatusWriteWait); }
bool InstrumentOperations::SetLED(bool on) { return Simple(on ? "RL,E,1" : "RL,E,0", StatusWriteWait); }
bool InstrumentOperations::SetBuzzer(bool on) { return Simple(on ? "RB,E,1" : "RB,E,0", StatusWriteWait); }
bool InstrumentOperations::SetPump(bool on) { return Simple(on ? "BP,E,1" : "BP,E,0", StatusWriteWait); }
bool InstrumentOperations::SetPumpLevel(Integer level) {
    return Simple("BQ,W," + QByteArray::number(level), StatusWriteWait);
}
bool InstrumentOperations::Dw() { return Simple("DW,W,", StatusWriteWait); }

bool InstrumentOperations::LpR(clsInstrument* iObj) {
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;  // the running operation keeps its model
    link_.SetInstrument(iObj);
    return op.Exchange("LP,R,", StatusReadWait);
}

bool InstrumentOperations::Lp(clsInstrument* iObj) {
    if (iObj == nullptr)
        return false;
    return Simple("LP,W," + QByteArray::number(iObj->HcMode()), StatusWriteWait);
}

}  // namespace mt52
