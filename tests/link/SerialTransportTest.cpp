// The serial control and the link control over a real pseudo-terminal, with the simulated
// instrument serving its master side.
#include "SimProtocol.h"
#include "SimPtyServer.h"
#include "common/ModuleState.h"
#include "link/CommandFrame.h"
#include "link/ZLComm.h"
#include "link/ZlIrDA11.h"
#include "link/uclLqif.h"
#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"
#include "support/ProgramState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace mt52 {
namespace {

class PtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        State().StartDir = dir_.path();
        ASSERT_TRUE(server_.Open()) << server_.Error().toStdString();
        // The instrument answers from the event loop, also while the link waits inside it.
        QObject::connect(&serve_, &QTimer::timeout, [this] { server_.Serve(); });
        serve_.start(2);
    }
    // Runs the event loop (and the instrument) until `done` holds; at most five seconds.
    bool WaitFor(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000) {
            DoEvents(1);
            server_.Serve();
        }
        return done();
    }
    QByteArray ReadMaster(qsizetype count) {
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (out.size() < count && clock.elapsed() < 5000) {
            DoEvents(0);
            pollfd p{server_.MasterDescriptor(), POLLIN, 0};
            if (::poll(&p, 1, 10) > 0) {
                char buffer[256];
                const ssize_t n = ::read(server_.MasterDescriptor(), buffer, sizeof buffer);
                if (n > 0)
                    out.append(buffer, n);
            }
        }
        return out;
    }

    QTemporaryDir dir_;
    sim::SimInstrumentState instrument_;
    sim::SimProtocol protocol_{instrument_};
    sim::SimPtyServer server_{protocol_};
    QTimer serve_;
};

TEST_F(PtyTest, SerialControlOpensAPseudoTerminalWithVirtualLines) {
    serve_.stop();  // this test is the other side itself
    ZLComm comm;
    QSignalSpy events(&comm, &ZLComm::OnComm);
    comm.SetPortName(server_.SlavePath());
    comm.SetRTSEnable(true);
    comm.SetDTREnable(true);
    comm.SetHandshaking(ZLComm::comRTS);
    comm.SetSettings("921600,n,8,1");
    comm.SetPortOpen(true);
    ASSERT_TRUE(comm.PortOpen()) << comm.LastError().toStdString();
    EXPECT_TRUE(comm.VirtualLines());

    ASSERT_TRUE(WaitFor([&] { return comm.ModemStatus() == (ZLComm::CtsBit | ZLComm::DsrBit); }));
    EXPECT_EQ(events.count(), 1) << "lines that come on together are one event";
    EXPECT_EQ(events.at(0).at(0).toInt(), ZLComm::comEvCTS);

    // Bytes both ways, control bytes and bytes above 127 unchanged.
    const QByteArray frame = CommandFrame::BuildFrame("RC,R,\r\n\xB1", ctl::EOT);
    ASSERT_TRUE(comm.write(frame));
    EXPECT_EQ(ReadMaster(frame.size()), frame);
    const QByteArray reply("\x02\x11\x13\x0D\xFFok\x04", 8);
    ASSERT_EQ(::write(server_.MasterDescriptor(), reply.constData(), reply.size()), reply.size());
    QByteArray received;
    ASSERT_TRUE(WaitFor([&] {
        received += comm.readAvailable();
        return received.size() >= reply.size();
    }));
    EXPECT_EQ(received, reply);

    // The other side hangs up: both lines go off once, writes are refused, the port closes.
    events.clear();
    server_.HangUp();
    ASSERT_TRUE(WaitFor([&] { return comm.ModemStatus() == 0; }));
    EXPECT_EQ(events.count(), 1);
    EXPECT_FALSE(comm.write("x"));
    EXPECT_TRUE(WaitFor([&] { return !comm.PortOpen(); }));
}

// After a hang-up the terminal reads as end of file; what QSerialPort makes of that depends on
// the error number left over from an earlier call. Either way the control sees the hang-up at
// once, without waiting for a write to fail.
TEST_F(PtyTest, AHangUpIsSeenWhateverErrorNumberIsLeftOver) {
    serve_.stop();
    for (const int leftOver : {ENOENT, EAGAIN, 0}) {
        ASSERT_TRUE(server_.Open());
        ZLComm comm;
        comm.SetPortName(server_.SlavePath());
        comm.SetPortOpen(true);
        ASSERT_TRUE(comm.PortOpen()) << comm.LastError().toStdString();
        ASSERT_TRUE(WaitFor([&] { return comm.ModemStatus() != 0; }));
        server_.HangUp();
        QElapsedTimer clock;
        clock.start();
        while (comm.ModemStatus() != 0 && clock.elapsed() < 2000) {
            errno = leftOver;
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(comm.ModemStatus(), 0) << "error number " << leftOver;
        EXPECT_TRUE(WaitFor([&] { return !comm.PortOpen(); })) << "error number " << leftOver;
    }
}

TEST_F(PtyTest, SettingsAreCheckedAndAMissingDeviceStaysClosed) {
    ZLComm comm;
    for (const char* bad : {"", "921600,n,8", "fast,n,8,1", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3"}) {
        try {
            comm.SetSettings(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrInvalidArgument);
        }
    }
    EXPECT_EQ(comm.Settings(), "9600,n,8,1");
    comm.SetPortName(dir_.path() + "/no-such-device");
    comm.SetPortOpen(true);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_FALSE(comm.LastError().isEmpty());
    EXPECT_FALSE(comm.write("x"));
}

TEST_F(PtyTest, LinkControlConnectsOverThePseudoTerminalAndSeesTheHangUp) {
    instrument_.placeInCradle();
    uclLqif link;
    QSignalSpy connects(&link, &uclLqif::OnConnect);
    QSignalSpy losses(&link, &uclLqif::LinkLost);
    link.SetRetry(3);
    link.SetTimeout(3);
    link.SetSerialComm(true);
    link.mscComm.SetPortName(server_.SlavePath());
    link.SetRTSEnable(true);
    link.SetDTREnable(true);
    link.SetHandshaking(ZLComm::comRTS);
    link.SetSettings("921600,n,8,1");
    link.SetPortOpen(true);
    // The automatic download runs inside the handling of the connection reply, where the
    // serial port announces no further bytes: its waits must take them themselves.
    int nestedOk = 0;
    QObject::connect(&link, &uclLqif::OnConnect, [&] {
        LinkOperation op(link.Core());
        for (int i = 0; i < 3; ++i)
            nestedOk += op.Exchange("RC,R,", StatusReadWait) ? 1 : 0;
    });
    link.SetPortOpen(true);
    ASSERT_TRUE(link.PortOpen());

    ASSERT_TRUE(WaitFor([&] { return link.Connected() && connects.count() == 1; }));
    EXPECT_EQ(nestedOk, 3);
    EXPECT_EQ(link.Status(), StatusDone);

    server_.HangUp();
    ASSERT_TRUE(WaitFor([&] { return losses.count() == 1; }));
    EXPECT_FALSE(link.Connected());
    EXPECT_EQ(link.Status(), StatusDone);
}

TEST(IrDA, IsNeverAvailableAndRefusesToOpen) {
    ZlIrDA11 irda;
    EXPECT_FALSE(ZlIrDA11::Available());
    try {
        irda.SetPortOpen(true);
        ADD_FAILURE() << "opened";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains("not available"));
    }
    // The link control therefore always works on the serial control.
    uclLqif link;
    link.SetSerialComm(false);
    link.SetCommPort(7);
    EXPECT_EQ(link.CommPort(), 7);
    EXPECT_FALSE(link.PortOpen());
    EXPECT_EQ(link.Settings(), "115200,n,8,1");
}

TEST(LinkControl, PropertyBagAndIndexedValues) {
    uclLqif link;
    link.ReadProperties({});
    EXPECT_EQ(link.Settings(), "9600,n,8,1");
    EXPECT_EQ(link.CommPort(), 4);
    EXPECT_EQ(link.Status(), StatusInitial);
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(link.PropertiesChanged());
    link.SetSettings("921600,n,8,1");
    EXPECT_TRUE(link.PropertiesChanged());
    EXPECT_EQ(link.WriteProperties().value("Settings").toString(), "921600,n,8,1");

    EXPECT_FALSE(link.DisConnect());
    EXPECT_EQ(link.Status(), StatusFree);
    link.SetFactCal(4, 12);
    EXPECT_EQ(link.FactCal(4), 12);
    for (Integer bad : {Integer(-1), Integer(5)}) {
        try {
            link.FactCal(bad);
            ADD_FAILURE() << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrSubscript);
        }
    }
}

}  // namespace
}  // namespace mt52
