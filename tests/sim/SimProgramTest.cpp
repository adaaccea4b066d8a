// The simulator program: it serves the described instrument on a pseudo-terminal, links
// it where asked, comes back on a new device after a dropped line and ends cleanly.
#include "support/SimProcess.h"
#include "SimProtocol.h"
#include "SimPtyDriver.h"
#include "SimPtyServer.h"
#include "SimWireClock.h"
#include "link/CommandFrame.h"
#include "platform/EventLoop.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace mt52 {
namespace {

// The program's side of the line: a raw serial device.
class Line {
public:
    explicit Line(const QString& path) : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY)) {
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Line() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const QByteArray& bytes) { return ::write(fd_, bytes.constData(), bytes.size()) == bytes.size(); }
    // Sets the line's rate, as the program does when it opens the port.
    bool SetBaud(speed_t speed) {
        termios tio{};
        return ::tcgetattr(fd_, &tio) == 0 && ::cfsetspeed(&tio, speed) == 0 && ::tcsetattr(fd_, TCSANOW, &tio) == 0;
    }
    // What has arrived, without waiting.
    QByteArray ReadAvailable() {
        QByteArray bytes;
        pollfd p{fd_, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }
    // Writes a request and collects the reply up to its terminator (at most two seconds).
    // Empty when nothing came; "hung up" when the other side went away.
    QByteArray Exchange(const QByteArray& command) {
        if (!Write(CommandFrame::BuildFrame(command, ctl::EOT)))
            return "write failed";
        QByteArray reply;
        const QDeadlineTimer deadline(2000);
        while (!deadline.hasExpired() && !reply.endsWith(ctl::EOT)) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            if (p.revents & POLLHUP)
                return "hung up";
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                reply.append(buffer, n);
        }
        return reply;
    }

private:
    int fd_;
};

class SimProgram : public ::testing::Test {
protected:
    QString Describe(const QByteArray& text) {
        const QString path = dir_.filePath("instrument.sim");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    QTemporaryDir dir_;
    test::SimProcess sim_;
};

TEST_F(SimProgram, ServesTheDescribedInstrumentAtItsLinkAndEndsOnSigterm) {
    const QString link = dir_.filePath("mt52-sim");
    ASSERT_TRUE(sim_.Start({Describe("model = MT-52 test\n"), "--link", link})) << sim_.Error().toStdString();
    ASSERT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim_.Device());

    Line line(link);
    ASSERT_TRUE(line.IsOpen());
    EXPECT_EQ(line.Exchange("RC,R,"), sim::SimReply::Frame("RC,R", "MT-52 test"));

    ASSERT_TRUE(sim_.Terminate());
    EXPECT_EQ(sim_.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim_.Process().exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link is removed at the end";
}

TEST_F(SimProgram, ADroppedLineHangsUpAndTheInstrumentComesBackOnANewDevice) {
    const QString link = dir_.filePath("mt52-sim");
    ASSERT_TRUE(sim_.Start({"--link", link, "--fault", "drop-line:RC,R:1:1"})) << sim_.Error().toStdString();
    {
        Line line(link);
        EXPECT_EQ(line.Exchange("RC,R,"), sim::SimReply::Frame("RC,R", "MT-52"));
        EXPECT_EQ(line.Exchange("RC,R,"), "hung up");
        EXPECT_EQ(sim_.NextLine(), "Line dropped.");
    }
    ASSERT_TRUE(sim_.NextLine().startsWith("Simulated MT-52 on "));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim_.Device());
    Line again(link);
    EXPECT_EQ(again.Exchange("RC,R,"), sim::SimReply::Frame("RC,R", "MT-52"));
    EXPECT_TRUE(sim_.Terminate());
    EXPECT_EQ(sim_.Process().exitCode(), 0);
}

TEST_F(SimProgram, RefusesABadDescriptionOrFaultWithTheReason) {
    EXPECT_FALSE(sim_.Start({Describe("serial = A\nbogus = 1\n")}));
    EXPECT_TRUE(sim_.Error().contains("line 2: unknown key \"bogus\"")) << sim_.Error().toStdString();
    EXPECT_EQ(sim_.Process().exitCode(), 2);

    test::SimProcess other;
    EXPECT_FALSE(other.Start({"--fault", "explode"}));
    EXPECT_TRUE(other.Error().contains("unknown fault")) << other.Error().toStdString();
}

// In-process, the server hangs up on a dropped line as the program sees it.
TEST(SimPtyServer, ADroppedLineHangsUp) {
    sim::SimInstrumentState instrument;
    instrument.placeInCradle();
    sim::SimProtocol protocol(instrument);
    protocol.InjectFault(sim::SimFault::DropLine, 1, "RC,R");
    sim::SimPtyServer server(protocol);
    ASSERT_TRUE(server.Open());
    Line line(server.SlavePath());
    ASSERT_TRUE(line.Write(CommandFrame::BuildFrame("RC,R,", ctl::EOT)));
    const QDeadlineTimer deadline(2000);
    while (server.IsOpen() && !deadline.hasExpired()) {
        server.Serve();
        ::usleep(1000);
    }
    EXPECT_FALSE(server.IsOpen());
    EXPECT_FALSE(instrument.cts || instrument.dsr);
}

TEST_F(SimProgram, RefusesARateThatIsNoRate) {
    EXPECT_FALSE(sim_.Start({"--baud", "fast"}));
    EXPECT_TRUE(sim_.Error().contains("bits per second")) << sim_.Error().toStdString();
    EXPECT_EQ(sim_.Process().exitCode(), 2);
}

// The wire's arithmetic: ten bits a byte, one byte after the other in each direction.
TEST(SimWireClock, CarriesTenBitsAByteOneByteAfterTheOther) {
    using std::chrono::microseconds;
    using std::chrono::nanoseconds;
    EXPECT_EQ(sim::WireTime(1, 9600), nanoseconds(1'041'666));
    EXPECT_EQ(sim::WireTime(284, 921600), nanoseconds(3'081'597)) << "a memory dump block";
    EXPECT_EQ(sim::WireTime(12, 0), nanoseconds(0)) << "no rate, no pacing";

    const sim::SimTime t0{std::chrono::seconds(1000)};
    const struct {
        nanoseconds after;
        std::int64_t crossed;
    } crossed[] = {{nanoseconds(-5), 0}, {nanoseconds(0), 0},      {nanoseconds(1'041'666), 0},
                   {nanoseconds(1'041'667), 1}, {microseconds(5000), 4}, {std::chrono::hours(1), 20}};
    for (const auto& c : crossed)
        EXPECT_EQ(sim::BytesCrossed(t0, t0 + c.after, 9600, 20), c.crossed) << c.after.count();
    EXPECT_EQ(sim::BytesCrossed(t0, t0 + std::chrono::hours(10000), 921600, 1LL << 40), 1LL << 40)
        << "no overflow over a long time at a high rate";

    // Two requests written together arrive one after the other; a reply goes once the line
    // out is free and its request has arrived.
    sim::SimWireClock wire;
    const sim::SimTime first = wire.Receive(12, t0, 9600);
    EXPECT_EQ(first, t0 + sim::WireTime(12, 9600));
    EXPECT_EQ(wire.Receive(15, t0, 9600), first + sim::WireTime(15, 9600));
    EXPECT_EQ(wire.Send(20, first, 9600), first);
    EXPECT_EQ(wire.Send(20, first, 9600), first + sim::WireTime(20, 9600)) << "behind the reply before";
    const sim::SimTime later = t0 + std::chrono::seconds(5);
    EXPECT_EQ(wire.Send(20, later, 9600), later) << "an idle line starts when the bytes are ready";
}

// Collects the reply to `request` on `line` while the event loop runs, at most two seconds.
QByteArray ExchangeOnTheEventLoop(Line& line, const QByteArray& request) {
    EXPECT_TRUE(line.Write(request));
    QByteArray reply;
    const QDeadlineTimer deadline(2000);
    while (!reply.endsWith(ctl::EOT) && !deadline.hasExpired()) {
        DoEvents(50);
        reply += line.ReadAvailable();
    }
    return reply;
}

// The driver serves the line the moment a request is written: its only timer here is an
// hour-long tick, so the reply can come from nothing but the line becoming readable.
TEST(SimPtyDriver, AnswersWhenTheRequestIsCompleteWithoutAPollingTimer) {
    sim::SimInstrumentState instrument;
    instrument.placeInCradle();
    sim::SimProtocol protocol(instrument);
    sim::SimPtyServer server(protocol);
    ASSERT_TRUE(server.Open());
    sim::SimPtyDriver driver(server, {}, std::chrono::hours(1));
    Line line(server.SlavePath());
    ASSERT_TRUE(line.IsOpen());
    const QByteArray request = CommandFrame::BuildFrame("RC,R,", ctl::EOT);
    // Written in two parts: the reply waits for the terminator.
    EXPECT_TRUE(line.Write(request.left(5)));
    DoEvents(20);
    EXPECT_TRUE(line.ReadAvailable().isEmpty());
    EXPECT_EQ(ExchangeOnTheEventLoop(line, request.mid(5)), sim::SimReply::Frame("RC,R", "MT-52"));
    EXPECT_EQ(ExchangeOnTheEventLoop(line, request), sim::SimReply::Frame("RC,R", "MT-52")) << "and again";
}

// Paced, an exchange takes at least the wire time of its bytes both ways, at the rate the
// program set on the line or at a given one.
TEST(SimPtyDriver, PacedAnExchangeTakesTheWireTimeOfItsBytes) {
    sim::SimInstrumentState instrument;
    instrument.placeInCradle();
    sim::SimProtocol protocol(instrument);
    sim::SimPtyServer server(protocol);
    ASSERT_TRUE(server.Open());
    sim::SimPtyDriver driver(server);
    Line line(server.SlavePath());
    ASSERT_TRUE(line.IsOpen());
    EXPECT_EQ(server.PaceBaud(), 0) << "unpaced";
    server.SetPacing({true, 0});
    ASSERT_TRUE(line.SetBaud(B4800));
    EXPECT_EQ(server.PaceBaud(), 4800) << "the line's rate";
    server.SetPacing({true, 2400});
    EXPECT_EQ(server.PaceBaud(), 2400) << "the given rate";

    const QByteArray request = CommandFrame::BuildFrame("RC,R,", ctl::EOT);
    const QByteArray expected = sim::SimReply::Frame("RC,R", "MT-52");
    for (const sim::SimPacing pacing : {sim::SimPacing{true, 0}, sim::SimPacing{true, 2400}}) {
        server.SetPacing(pacing);
        const std::chrono::nanoseconds wire =
            sim::WireTime(request.size() + expected.size(), pacing.baud ? pacing.baud : 4800);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ExchangeOnTheEventLoop(line, request), expected);
        EXPECT_GE(std::chrono::steady_clock::now() - start, wire) << pacing.baud;
    }
}

}  // namespace
}  // namespace mt52
