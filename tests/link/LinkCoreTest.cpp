#include "support/SimLink.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "link/SerialLog.h"
#include "platform/Clock.h"
#include "support/ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

using sim::SimFault;
using sim::SimReply;

QByteArray Frame(const QByteArray& command) { return CommandFrame::BuildFrame(command, ctl::EOT); }
QByteArray Reply(const QByteArray& code, const QByteArray& data, char terminator = ctl::EOT) {
    return SimReply::Frame(code, data, ctl::ACK, terminator);
}
qsizetype CountOf(const QList<QByteArray>& list, const QByteArray& item) { return list.count(item); }

class LinkCoreTest : public test::ProgramFolderTest {
protected:
    QStringList LogLines() const {
        QFile file(SerialLog::Path());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        return lines;
    }
    // Sends a command as an operation would, without waiting.
    void Send(test::SimLink& s, const QByteArray& command, Long waitingCode = StatusReadWait) {
        s.link.SetStatus(waitingCode);
        s.link.DataSend(Frame(command), true);
    }

    ManualClock clock_{QDateTime(QDate(2026, 3, 4), QTime(12, 34, 56))};
    ScopedClock scopedClock_{clock_};
    test::SimLink sim;
};

TEST_F(LinkCoreTest, ConnectsWhenThePollIsAnsweredAndRaisesOnConnectOnce) {
    EXPECT_EQ(sim.link.Mode(), ModeIdle);
    sim.Steps(3);
    EXPECT_TRUE(sim.Sent().isEmpty()) << "an open line without a line event is not polled";

    sim.instrument.placeInCradle();
    sim.Step();
    EXPECT_EQ(sim.link.Mode(), ModeConnecting);
    EXPECT_EQ(sim.link.Status(), StatusReadWait);
    EXPECT_EQ(sim.Sent(), QList<QByteArray>{"RC,R,"});
    sim.Step();
    EXPECT_TRUE(sim.link.Connected());
    EXPECT_EQ(sim.link.Status(), StatusDone);
    EXPECT_EQ(sim.events.connects, 1);
    EXPECT_EQ(State().InstrumentModelName, "MT-52");

    // A later poll reply is accepted without a second OnConnect.
    LinkOperation op(sim.link);
    EXPECT_TRUE(op.Exchange("RC,R,", StatusReadWait));
    EXPECT_EQ(sim.events.connects, 1);
}

TEST_F(LinkCoreTest, ALineChangeWhileConnectedStartsANewConnection) {
    ASSERT_TRUE(sim.Connect());
    sim.instrument.dsr = false;  // CTS stays on
    sim.Step();
    EXPECT_EQ(sim.link.Mode(), ModeConnecting);
    ASSERT_TRUE(sim.StepUntil([&] { return sim.link.Connected(); }, 5));
    EXPECT_EQ(sim.events.connects, 2);
}

TEST_F(LinkCoreTest, ASecondLineChangeWhileConnectingKeepsThePendingPoll) {
    sim.protocol.InjectFault(SimFault::Delay, 1, "RC,R", 3);
    sim.instrument.placeInCradle();
    sim.Step();
    ASSERT_EQ(sim.link.Status(), StatusReadWait);
    sim.instrument.dsr = false;  // CTS stays on: a second line event before the reply
    sim.Step();
    EXPECT_EQ(sim.link.Status(), StatusReadWait);
    ASSERT_TRUE(sim.StepUntil([&] { return sim.link.Connected(); }, 10));
    EXPECT_EQ(sim.Sent(), QList<QByteArray>{"RC,R,"}) << "the late reply answers the one poll";
    EXPECT_EQ(sim.events.connects, 1);
}

TEST_F(LinkCoreTest, PollsEveryTwelveTicksAndGivesUpWithAnAlarm) {
    sim.instrument.poweredOn = false;
    sim.instrument.placeInCradle();
    QList<int> pollTicks;
    while (sim.ticks < 60) {
        const qsizetype before = sim.Sent().size();
        sim.Step();
        if (sim.Sent().size() > before)
            pollTicks.append(sim.ticks);
        if (sim.ticks == 36) {
            EXPECT_EQ(sim.link.Status(), StatusInitial) << "third poll abandoned 35 ticks after the first";
            EXPECT_EQ(sim.link.Mode(), ModeConnecting);
        }
        if (sim.ticks == 37) {
            EXPECT_EQ(sim.link.Mode(), ModeIdle);
            EXPECT_EQ(sim.events.alarms.size(), 1);
        }
    }
    EXPECT_EQ(pollTicks, (QList<int>{1, 13, 25}));
    EXPECT_EQ(sim.events.alarms, QStringList{"MT-52 No Response. Check Port,Cable And Power.\r\n"});
    EXPECT_TRUE(sim.events.connectRetries.isEmpty());
    EXPECT_EQ(sim.link.Status(), StatusInitial);
}

TEST_F(LinkCoreTest, EveryFifthPollRaisesConnectRetry) {
    sim.link.SetRetry(10);
    sim.instrument.poweredOn = false;
    sim.instrument.placeInCradle();
    ASSERT_TRUE(sim.StepUntil([&] { return !sim.events.alarms.isEmpty(); }, 200));
    EXPECT_EQ(sim.Sent().size(), 10);
    EXPECT_EQ(sim.events.connectRetries, (QList<Integer>{1, 2}));
}

TEST_F(LinkCoreTest, APollReplyWithoutTheModelIsRejectedAndPolledAgainAtOnce) {
    sim.instrument.model = "XX-99";
    sim.instrument.placeInCradle();
    sim.Steps(4);
    EXPECT_FALSE(sim.link.Connected());
    // One poll by the timer, then a resend for every rejected reply until the attempts are
    // used up; the third rejection fails the poll and the same tick gives up.
    EXPECT_EQ(sim.Sent().size(), 3);
    EXPECT_EQ(sim.link.Mode(), ModeIdle);
    EXPECT_EQ(sim.events.alarms.size(), 1);
}

TEST_F(LinkCoreTest, CommandsTimeOutAfterTheirResends) {
    struct Case {
        Integer timeout, retry;
        QByteArray command;
        Long waitingCode;
        int failTick, writes;
    };
    const Case cases[] = {
        {3, 3, "VP,R,", StatusReadWait, 124, 4},     // (r + 1) x (t x 10 + 1)
        {1, 2, "IN,W,ABC", StatusWriteWait, 33, 3},
        {3, 3, "XC,W,", StatusWriteWait, 34, 1},     // never resent: t x 10 + 1 + r
        {2, 1, "SZ,W,1111", StatusWriteWait, 22, 1},
    };
    for (const Case& c : cases) {
        test::SimLink s;
        ASSERT_TRUE(s.Connect());
        s.instrument.poweredOn = false;
        s.link.SetTimeout(c.timeout);
        s.link.SetRetry(c.retry);
        Send(s, c.command, c.waitingCode);
        int ticks = 0;
        while (s.link.Status() == c.waitingCode && ticks < 1000) {
            s.Step();
            ++ticks;
        }
        EXPECT_EQ(ticks, c.failTick) << c.command.constData();
        EXPECT_EQ(s.link.Status(), StatusFailed) << c.command.constData();
        EXPECT_EQ(CountOf(s.Sent(), c.command), c.writes) << c.command.constData();
        EXPECT_FALSE(State().ReplyReceived);
    }
}

TEST_F(LinkCoreTest, ACommandSentWhileNotConnectedStillTimesOut) {
    sim.instrument.poweredOn = false;
    Send(sim, "VP,R,");
    EXPECT_TRUE(sim.StepUntil([&] { return sim.link.Status() != StatusReadWait; }, 200));
    EXPECT_EQ(sim.ticks, 124);
    EXPECT_EQ(sim.link.Status(), StatusFailed);
}

TEST_F(LinkCoreTest, ACancelledWaitThatRunsOutBecomesFree) {
    ASSERT_TRUE(sim.Connect());
    sim.instrument.poweredOn = false;
    Send(sim, "XC,W,", StatusWriteWait);
    sim.link.SetStatus(StatusCancelled);
    sim.Steps(34);
    EXPECT_EQ(sim.link.Status(), StatusFree);
}

TEST_F(LinkCoreTest, RejectedBlocksAreAnsweredWithNak) {
    ASSERT_TRUE(sim.Connect());
    // A block-by-block read whose reply the parser rejects gets a NAK block reply, not a resend.
    Send(sim, "EP,R,", StatusBlockRead);
    sim.link.PumpTransport();
    EXPECT_EQ(sim.link.LastFrame(), CommandFrame::BuildFrame("EP,R,\x15", ctl::ETB));
    EXPECT_EQ(sim.Sent().back(), "EP,R,\x15");
    EXPECT_EQ(sim.link.RetryCounter(), 1);
    EXPECT_EQ(sim.link.Status(), StatusBlockRead);

    // A timed-out block reply is rejected with five characters, even with "IH" in it.
    sim.instrument.poweredOn = false;
    sim.link.DataSend(CommandFrame::BuildFrame("IH,R,01\x06", ctl::ETB), true);
    sim.Steps(31);
    EXPECT_EQ(sim.link.LastFrame(), CommandFrame::BuildFrame("IH,R,\x15", ctl::ETB));
    // A timed-out request of a block read is sent again as it was.
    Send(sim, "EP,R,", StatusBlockRead);
    sim.Steps(31);
    EXPECT_EQ(sim.link.LastFrame(), Frame("EP,R,"));
    EXPECT_EQ(CountOf(sim.Sent(), "EP,R,"), 3);
}

TEST_F(LinkCoreTest, BlocksAreAcknowledgedOneByOneBeforeTheLastFrame) {
    ASSERT_TRUE(sim.Connect());
    sim.protocol.Register("RC,R", [](const sim::SimRequest&, sim::SimInstrumentState&) {
        return SimReply{{Reply("RC,R", "MT-52 1", ctl::ETB), Reply("RC,R", "MT-52 2", ctl::ETB),
                         Reply("RC,R", "MT-52 end")}};
    });
    LinkOperation op(sim.link);
    EXPECT_TRUE(op.Exchange("RC,R,", StatusBlockRead));
    EXPECT_EQ(sim.Sent().mid(1), (QList<QByteArray>{"RC,R,", "RC,R,\x06", "RC,R,\x06"}));

    // Two frames in one arrival: the block is acknowledged first, then the reply is done.
    sim.link.SetStatus(StatusBlockRead);
    sim.link.OnBytesArrived(Reply("RC,R", "MT-52", ctl::ETB) + Reply("RC,R", "MT-52"));
    EXPECT_EQ(sim.link.LastFrame(), CommandFrame::BuildFrame("RC,R,\x06", ctl::ETB));
    EXPECT_EQ(sim.link.Status(), StatusDone);
}

TEST_F(LinkCoreTest, FaultyRepliesAreAskedForAgain) {
    struct Case {
        SimFault fault;
        int writes;      // times the command was written
        Long status;     // how the exchange ended
    };
    const Case cases[] = {
        {SimFault::Garble, 2, StatusDone},
        {SimFault::Short, 2, StatusDone},
        {SimFault::Pieces, 1, StatusDone},   // processed once, when the terminator arrives
        {SimFault::Delay, 1, StatusDone},
        {SimFault::NoAnswer, 2, StatusDone}, // resent after the time-out
    };
    for (const Case& c : cases) {
        test::SimLink s;
        ASSERT_TRUE(s.Connect());
        s.protocol.InjectFault(c.fault, 1, "RC,R", 4);
        LinkOperation op(s.link);
        op.Exchange("RC,R,", StatusReadWait);
        EXPECT_EQ(s.link.Status(), c.status) << int(c.fault);
        EXPECT_EQ(CountOf(s.Sent(), "RC,R,") - 1, c.writes) << int(c.fault);
    }
}

TEST_F(LinkCoreTest, ACarriageReturnOutsideAFrameResendsInsideAFrameWaits) {
    ASSERT_TRUE(sim.Connect());
    sim.instrument.poweredOn = false;
    Send(sim, "VP,R,");
    sim.link.OnBytesArrived("\r");
    EXPECT_EQ(CountOf(sim.Sent(), "VP,R,"), 2);
    EXPECT_TRUE(sim.events.connectRetries.isEmpty()) << "the first resend after a reset raises nothing";
    sim.link.OnBytesArrived("\r");
    EXPECT_EQ(sim.events.connectRetries, QList<Integer>{2});
    sim.link.OnBytesArrived("\r");
    sim.link.OnBytesArrived("\r");
    EXPECT_EQ(CountOf(sim.Sent(), "VP,R,"), 4);
    EXPECT_EQ(sim.link.Status(), StatusFailed);

    // A reply whose data holds a CR and arrives split after it is taken whole.
    Send(sim, "RC,R,");
    const QByteArray reply = Reply("RC,R", "MT-52\r1");
    const qsizetype cut = reply.indexOf('\r') + 1;
    sim.link.OnBytesArrived(reply.left(cut));
    EXPECT_EQ(CountOf(sim.Sent(), "RC,R,"), 2);  // the connection poll and this one
    EXPECT_EQ(sim.link.Status(), StatusReadWait);
    sim.link.OnBytesArrived(reply.mid(cut));
    EXPECT_EQ(sim.link.Status(), StatusDone);
}

TEST_F(LinkCoreTest, LosingTheLinesFailsAPendingCommandAndReportsLinkLost) {
    ASSERT_TRUE(sim.Connect());
    sim.protocol.InjectFault(SimFault::DropLine, 1, "VP,R");
    {
        LinkOperation op(sim.link);
        EXPECT_FALSE(op.Exchange("VP,R,", StatusReadWait));
    }
    EXPECT_EQ(sim.link.Status(), StatusFailed);
    EXPECT_EQ(sim.link.Mode(), ModeIdle);
    EXPECT_EQ(sim.events.linkLosses, 1);

    // With nothing pending, a loss leaves the link done.
    ASSERT_TRUE(sim.Connect());
    sim.instrument.takeOutOfCradle();
    sim.Step();
    EXPECT_EQ(sim.link.Status(), StatusDone);
    EXPECT_EQ(sim.events.linkLosses, 2);

    // A failure or cancel that its wait has not read yet is not turned into a success.
    for (const Long unread : {StatusFailed, StatusCancelled}) {
        ASSERT_TRUE(sim.Connect());
        sim.link.SetStatus(unread);
        sim.instrument.takeOutOfCradle();
        sim.Step();
        EXPECT_EQ(sim.link.Status(), unread);
    }
}

TEST_F(LinkCoreTest, LineErrorsEndAPendingWait) {
    struct Case {
        int code;
        Long mode;
        bool pending;
        Long status;
        bool logged;
    };
    const Case cases[] = {
        {1001, ModeConnected, true, StatusReadWait, true},  // a break changes nothing
        {1004, ModeConnected, true, StatusFailed, true},
        {1009, ModeConnected, false, StatusFailed, true},
        {1010, ModeConnecting, true, StatusReadWait, false},  // ignored while connecting
        {1010, ModeConnected, false, StatusDone, true},
        {1010, ModeConnected, true, StatusFailed, true},     // never "done" under a waiting command
        {1011, ModeConnected, true, StatusFailed, true},
        {1234, ModeConnected, true, StatusReadWait, false},
    };
    for (const Case& c : cases) {
        sim.link.SetMode(c.mode);
        sim.link.SetStatus(c.pending ? StatusReadWait : StatusFree);
        const qsizetype before = LogLines().size();
        sim.link.OnLineError(c.code);
        EXPECT_EQ(sim.link.Status(), c.status) << c.code;
        EXPECT_EQ(LogLines().size() > before, c.logged) << c.code;
    }
}

TEST_F(LinkCoreTest, ACancelEndsTheWaitWhenDataArrivesAndNeverBlocksTheNextConnection) {
    ASSERT_TRUE(sim.Connect());
    Send(sim, "RC,R,");
    sim.link.SetCancel(true);
    EXPECT_EQ(sim.link.WaitWhile(StatusReadWait), StatusCancelled);
    EXPECT_TRUE(sim.link.ReceiveBuffer().isEmpty());
    EXPECT_FALSE(sim.link.Cancel());

    // A cancel left standing is dropped when a new connection sequence starts.
    sim.link.SetCancel(true);
    sim.instrument.takeOutOfCradle();
    sim.Step();
    EXPECT_TRUE(sim.Connect());
    EXPECT_EQ(sim.events.connects, 2);
}

TEST_F(LinkCoreTest, OneOperationAtATime) {
    ASSERT_TRUE(sim.Connect());
    sim.protocol.InjectFault(SimFault::Delay, 1, "RC,R", 3);
    bool tried = false, secondAccepted = true, secondResult = true;
    sim.onStep = [&] {
        if (tried)
            return;
        tried = true;
        LinkOperation second(sim.link);
        secondAccepted = second.Accepted();
        secondResult = second.Exchange("VP,R,", StatusReadWait);
    };
    LinkOperation first(sim.link);
    EXPECT_TRUE(first.Exchange("RC,R,", StatusReadWait));
    EXPECT_TRUE(tried);
    EXPECT_FALSE(secondAccepted);
    EXPECT_FALSE(secondResult);
    EXPECT_FALSE(sim.Sent().contains("VP,R,"));
}

TEST_F(LinkCoreTest, AnOperationCanRunInsideOnConnect) {
    bool nested = false;
    sim.events.onConnect = [&] {
        LinkOperation op(sim.link);
        sim.protocol.InjectFault(SimFault::Pieces, 1, "RC,R", 3);
        nested = op.Exchange("RC,R,", StatusReadWait);
    };
    ASSERT_TRUE(sim.Connect());
    EXPECT_TRUE(nested);
    EXPECT_EQ(sim.events.connects, 1);
    EXPECT_EQ(sim.link.Status(), StatusDone);
}

TEST_F(LinkCoreTest, ARefusedWriteFailsAtOnce) {
    ASSERT_TRUE(sim.Connect());
    const QByteArray last = sim.link.LastFrame();
    sim.transport.refuseWrites = true;
    LinkOperation op(sim.link);
    EXPECT_FALSE(op.Exchange("VP,R,", StatusReadWait));
    EXPECT_EQ(sim.link.Status(), StatusFailed);
    EXPECT_EQ(sim.link.LastFrame(), last);
}

TEST_F(LinkCoreTest, ChecksumsAreLoggedNotEnforcedAndTheBufferIsBounded) {
    ASSERT_TRUE(sim.Connect());
    Send(sim, "RC,R,");
    sim.instrument.poweredOn = false;
    QByteArray reply = Reply("RC,R", "MT-52");
    reply[reply.size() - 2] = reply[reply.size() - 2] == '0' ? '1' : '0';
    sim.link.OnBytesArrived(reply);
    EXPECT_EQ(sim.link.Status(), StatusDone);
    EXPECT_TRUE(LogLines().contains("12:34:56 <<< Checksum error >>>"));

    sim.link.OnBytesArrived(QByteArray(LinkCore::MaxPendingBytes + 100, 'A'));
    EXPECT_EQ(sim.link.ReceiveBuffer().size(), LinkCore::MaxPendingBytes);
    EXPECT_TRUE(LogLines().back().contains("100 bytes dropped"));
}

TEST_F(LinkCoreTest, RetryAndTimeoutOutOfRangeFallBackToThree) {
    struct Case { Integer in, retry, timeout; };
    const Case cases[] = {{0, 3, 3}, {-5, 3, 3}, {1, 1, 1}, {7, 7, 7}, {3276, 3276, 3276}, {3277, 3277, 3}};
    for (const Case& c : cases) {
        sim.link.SetRetry(c.in);
        sim.link.SetTimeout(c.in);
        EXPECT_EQ(sim.link.Retry(), c.retry) << c.in;
        EXPECT_EQ(sim.link.Timeout(), c.timeout) << c.in;
    }
}

TEST_F(LinkCoreTest, TheLogHoldsEveryFrameWithItsTime) {
    ASSERT_TRUE(sim.Connect());
    sim.link.SetStatus(StatusBlockRead);
    sim.link.OnBytesArrived(Reply("RC,R", "MT-52", ctl::ETB));
    const QStringList lines = LogLines();
    const QString poll = "[STX]0001RC,R,[ETX]FB[EOT]";
    const QString reply = "[STX]0001RC,R,[ACK]MT-52[ETX]" + QString::fromLatin1(CommandFrame::Checksum(
                                                                   "\x02" "0001RC,R,\x06MT-52\x03")) + "[EOT]";
    const QString ack = "[STX]0001RC,R,[ACK][ETX]";
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"12:34:56 ---StartUp Connect Sequence Started---",
                                            "12:34:56 W : " + poll, "12:34:56 R : " + reply,
                                            "12:34:56 ---StartUp Connect Sequence Finished---"}));
    EXPECT_TRUE(lines.back().startsWith("12:34:56 W : " + ack));
    EXPECT_TRUE(lines.back().endsWith("[ETB]"));
}

// A clock that moves on by a fixed step at every reading.
class SteppingClock final : public Clock {
public:
    SteppingClock(QDateTime start, qint64 stepMs) : next_(std::move(start)), stepMs_(stepMs) {}
    QDateTime now() const override {
        const QDateTime t = next_;
        next_ = next_.addMSecs(stepMs_);
        return t;
    }

private:
    mutable QDateTime next_;
    qint64 stepMs_;
};

TEST_F(LinkCoreTest, ALogLineAndTheDateInItShowOneReadingOfTheClock) {
    // A reading past the half second, and readings a second apart each time the clock is read.
    const QDateTime start(QDate(2026, 12, 10), QTime(14, 18, 3, 700));
    for (const auto& [stepMs, label] : {std::pair{0, "standing"}, std::pair{1000, "stepping"}}) {
        SteppingClock stepping(start, stepMs);
        ScopedClock scoped(stepping);
        QFile::remove(SerialLog::Path());
        sim.link.OnLineError(1001);
        const QStringList lines = LogLines();
        ASSERT_EQ(lines.size(), 1) << label;
        EXPECT_TRUE(lines[0].contains(" Break Signal Found. Date = 2026/12/10 ")) << lines[0].toStdString();
        EXPECT_EQ(lines[0].left(8), lines[0].right(8)) << label << ": " << lines[0].toStdString();
    }
}

TEST_F(LinkCoreTest, InstrumentTextInTheLogIsNotExpanded) {
    Send(sim, "RC,R,");
    sim.link.OnBytesArrived(Reply("RC,R", "~c~1VR-6000"));
    EXPECT_EQ(LogLines().filter("R : [STX]0001RC,R,[ACK]~c~1VR-6000[ETX]").size(), 1);
}

TEST_F(LinkCoreTest, TheLogFileSitsInTheProgramFolder) {
    State().StartDir = dir.path() + "/";
    EXPECT_EQ(SerialLog::Path(), dir.path() + "/SerialLog.log");
    State().StartDir = dir.path();
    EXPECT_EQ(SerialLog::Path(), dir.path() + "/SerialLog.log");
}

}  // namespace
}  // namespace mt52
