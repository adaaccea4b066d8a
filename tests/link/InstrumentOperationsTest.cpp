// The instrument's one-shot operations against the simulated instrument: the commands each
// sends, and how each ends on success, on NAK and on silence.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/InstrumentOperations.h"
#include "link/SerialLog.h"
#include "platform/Clock.h"
#include "support/SimLink.h"
#include "support/ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

using sim::SimFault;
using Commands = QList<QByteArray>;

class InstrumentOperationsTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        // Every tick of the simulated line is 100 ms of the clock.
        sim_.onStep = [this] { clock_.advanceMilliseconds(100); };
        ASSERT_TRUE(sim_.Connect());
        sentBefore_ = static_cast<int>(sim_.Sent().size());
    }
    // The commands sent since the connection, block replies and polls included.
    Commands Sent() const { return sim_.Sent().mid(sentBefore_); }
    QString Log() const {
        QFile f(SerialLog::Path());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    ManualClock clock_{QDateTime(QDate(2026, 4, 1), QTime(10, 0, 0))};
    ScopedClock useClock_{clock_};
    test::SimLink sim_;
    InstrumentOperations ops_{sim_.link};
    int sentBefore_ = 0;
};

struct EraseCase {
    const char* name;
    bool (InstrumentOperations::*operation)();
    QByteArray code;
    int sim::SimInstrumentState::*done;
};

const EraseCase kErasures[] = {
    {"data clear", &InstrumentOperations::BodyDataClear, "XC", &sim::SimInstrumentState::dataClears},
    {"power data clear", &InstrumentOperations::PowerDataClear, "XY", &sim::SimInstrumentState::powerDataClears},
    {"defaults", &InstrumentOperations::DefaultInstrument, "UX", &sim::SimInstrumentState::defaultRestores},
};

TEST_F(InstrumentOperationsTest, ErasuresPollAboutFiveSecondsApartUntilTheInstrumentIsDone) {
    sim_.instrument.completionPollsBusy = 2;
    for (const EraseCase& c : kErasures) {
        SCOPED_TRACE(c.name);
        const int ticksBefore = sim_.ticks;
        const int sentBefore = static_cast<int>(sim_.Sent().size());
        EXPECT_TRUE((ops_.*c.operation)());
        EXPECT_EQ(sim_.Sent().mid(sentBefore), Commands({c.code + ",W,", c.code + ",C,", c.code + ",C,", c.code + ",C,"}));
        EXPECT_EQ(sim_.instrument.*c.done, 1);
        // Three waits of four to five seconds before the three polls.
        EXPECT_GE(sim_.ticks - ticksBefore, 3 * 40);
        EXPECT_LE(sim_.ticks - ticksBefore, 3 * 50 + 10);
    }
    EXPECT_EQ(sim_.instrument.memory(), QByteArray(sim_.instrument.memory().size(), char(0xFF)));
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Data Remove Start Sequence---")));
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Data Remove Finished---.")));
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Default Settings Finished---.")));
}

TEST_F(InstrumentOperationsTest, ARefusedEraseIsNotResentAndNotPolled) {
    sim_.protocol.InjectFault(SimFault::Nak, 1, "XC,W");
    EXPECT_FALSE(ops_.BodyDataClear());
    EXPECT_EQ(Sent(), Commands({"XC,W,"}));
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Data Remove Failed---.")));
    EXPECT_EQ(sim_.instrument.dataClears, 0);
}

TEST_F(InstrumentOperationsTest, ErasesEndAsFailedWhenThePollsGoUnansweredOrNeverReportDone) {
    // Silence: the poll is sent again until the attempts are used up.
    sim_.protocol.InjectFault(SimFault::NoAnswer, 100, "XY,C");
    EXPECT_FALSE(ops_.PowerDataClear());
    EXPECT_EQ(Sent().count("XY,C,"), sim_.link.Retry() + 1);
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Data Remove Failed---.")));

    // An instrument that never reports the work done: the polls stop after two minutes.
    sim_.protocol.ClearFaults();
    sim_.instrument.completionPollsBusy = -1;
    const QDateTime start = clock_.now();
    EXPECT_FALSE(ops_.DefaultInstrument());
    const qint64 seconds = start.secsTo(clock_.now());
    EXPECT_GE(seconds, InstrumentOperations::CompletionLimitSeconds);
    EXPECT_LE(seconds, InstrumentOperations::CompletionLimitSeconds + 10);
    EXPECT_TRUE(Log().contains(QStringLiteral("did not report completion within 120 seconds")));
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Default Settings Failed---.")));
}

TEST_F(InstrumentOperationsTest, PowerOffClosesThePortAndDisconnectsAnswerOrNot) {
    const int ticksBefore = sim_.ticks;
    EXPECT_TRUE(ops_.BodyPowerOff());
    EXPECT_EQ(Sent(), Commands({"RO,W,"}));
    EXPECT_FALSE(sim_.instrument.poweredOn);
    EXPECT_FALSE(sim_.transport.isOpen());
    EXPECT_EQ(sim_.link.Mode(), ModeIdle);
    EXPECT_EQ(sim_.link.Status(), StatusInitial);
    EXPECT_GE(sim_.ticks - ticksBefore, InstrumentOperations::PowerOffTicks);
    EXPECT_TRUE(Log().contains(QStringLiteral("---Auto Power OFF Start Sequence---.")));
    EXPECT_TRUE(Log().contains(QStringLiteral("---Auto Power OFF Finished---.")));

    // Never answered: the same end, but reported as a failure.
    sim_.transport.open();
    sim_.instrument.poweredOn = true;
    ASSERT_TRUE(sim_.Connect());
    sim_.protocol.InjectFault(SimFault::NoAnswer, 100, "RO,W");
    int closed = 0;
    int reopened = 0;
    InstrumentOperations withPorts(sim_.link, {[&] {
                                                   ++closed;
                                                   sim_.transport.close();
                                               },
                                               [&] { ++reopened; }});
    EXPECT_FALSE(withPorts.BodyPowerOff());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(reopened, 1);
    EXPECT_EQ(sim_.link.Mode(), ModeIdle);
    EXPECT_TRUE(Log().contains(QStringLiteral("Power off was not accepted")));
}

TEST_F(InstrumentOperationsTest, CalibrationCommandsWithoutReplyRowsFail) {
    // The zero calibration is never resent: one command, then the time-out.
    EXPECT_FALSE(ops_.ZeroCal(QStringLiteral("1111")));
    EXPECT_EQ(Sent(), Commands({"SZ,W,1111"}));
    // The span calibration is resent until the attempts are used up.
    EXPECT_FALSE(ops_.SpanCal(QStringLiteral("0100")));
    EXPECT_EQ(Sent().count("S2,W,0100"), sim_.link.Retry() + 1);
    EXPECT_EQ(Log().count(QStringLiteral("---Calibration Upload Failed---. Date = 2026/04/01")), 2);

    // The oxygen adjustment is accepted with the value the instrument echoes.
    EXPECT_TRUE(ops_.zCal(QStringLiteral("20.9")));
    EXPECT_EQ(sim_.link.Parser().Instrument().SnResult(), QStringLiteral("20.9"));
}

TEST_F(InstrumentOperationsTest, SensorStatusNeedsFiveCharactersAndAnIndexInRange) {
    struct Case {
        const char* text;
        Integer index;
        bool done;
    };
    const Case cases[] = {{"01000", 0, true}, {"01000", 1, false}, {"01000", 4, true},
                          {"01000", 5, false}, {"01000", -1, false}, {"0100", 0, false}, {"", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.text).arg(c.index).toStdString());
        ops_.ZeroStatusText = QString::fromLatin1(c.text);
        ops_.SpanStatusText = QString::fromLatin1(c.text);
        EXPECT_EQ(ops_.ZeroStatus(c.index), c.done);
        EXPECT_EQ(ops_.SpanStatus(c.index), c.done);
    }
}

TEST_F(InstrumentOperationsTest, ServiceCommandsSendTheirTextsAndEndByTheReply) {
    clsInstrument model;
    model.HcMode(2);
    struct Case {
        const char* name;
        std::function<bool()> run;
        QByteArray command;
        bool accepted;
    };
    const Case cases[] = {
        {"check data", [&] { return ops_.SetCheckData(); }, "XH,E,", true},
        {"LED on", [&] { return ops_.SetLED(true); }, "RL,E,1", true},
        {"buzzer off", [&] { return ops_.SetBuzzer(false); }, "RB,E,0", true},
        {"pump on", [&] { return ops_.SetPump(true); }, "BP,E,1", true},
        {"after upload", [&] { return ops_.Dw(); }, "DW,W,", true},
        {"pump level", [&] { return ops_.SetPumpLevel(3); }, "BQ,W,3", false},
        {"LP read", [&] { return ops_.LpR(&model); }, "LP,R,", false},
        {"LP write", [&] { return ops_.Lp(&model); }, "LP,W,2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = static_cast<int>(sim_.Sent().size());
        EXPECT_EQ(c.run(), c.accepted);
        EXPECT_EQ(sim_.Sent().at(before), c.command);
    }
    EXPECT_TRUE(sim_.instrument.ledOn);
    EXPECT_TRUE(sim_.instrument.pumpOn);
    EXPECT_EQ(sim_.link.Instrument(), &model);

    // A NAK where an acknowledgement is expected is resent and then fails.
    sim_.protocol.InjectFault(SimFault::Nak, 100, "XH,E");
    EXPECT_FALSE(ops_.SetCheckData());
}

TEST_F(InstrumentOperationsTest, LiveReadingPollRepeatsAndReportsAPollStillWaiting) {
    ops_.SetRunDensty(true);
    ops_.SetRunDensty(true);
    EXPECT_TRUE(ops_.RunDensty());

    sim_.link.SetStatus(StatusDone);
    ops_.DenstyTick();
    EXPECT_EQ(sim_.link.Status(), StatusReadWait);
    EXPECT_EQ(Sent(), Commands({"DN,R,"}));
    ops_.DenstyTick();  // a second later, still unanswered
    EXPECT_EQ(sim_.link.Status(), StatusFree);
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Current reading download time out.Date= 2026/04/01")));
    ops_.DenstyTick();
    EXPECT_EQ(Sent().count("DN,R,"), 2);

    // Stopping waits for the pending poll to end (its attempts run out: the reply has no row).
    ops_.SetRunDensty(false);
    EXPECT_FALSE(ops_.RunDensty());
    EXPECT_EQ(sim_.link.Status(), StatusFailed);
}

}  // namespace
}  // namespace mt52
