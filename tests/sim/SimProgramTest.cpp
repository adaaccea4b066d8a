// The simulator program: it serves the described instrument on a pseudo-terminal, links
// it where asked, comes back on a new device after a dropped line and ends cleanly.
#include "support/SimProcess.h"
#include "SimProtocol.h"
#include "SimPtyServer.h"
#include "link/CommandFrame.h"

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

}  // namespace
}  // namespace mt52
