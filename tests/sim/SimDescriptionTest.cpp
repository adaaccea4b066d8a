// The simulator's description files and fault options.
#include "SimDescription.h"
#include "SimFaultOption.h"
#include "SimProtocol.h"
#include "link/CommandFrame.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52::sim {
namespace {

const QDateTime Now(QDate(2024, 5, 1), QTime(12, 0, 0));

TEST(SimDescription, SetsIdentityRegistersClockAndSnapshots) {
    SimInstrumentState state;
    const auto error = ApplySimDescription(QStringLiteral(
                                               "# comment\n"
                                               "; another\n"
                                               "\n"
                                               "model = MT-52\n"
                                               "  Serial =  SN-77  \r\n"
                                               "user = \" U 1 \"\n"
                                               "station = ｱｲｳ\n"
                                               "register.vp = 00012345\n"
                                               "clock = 2024/05/01 11:58:30\n"
                                               "memory-blocks = 30\n"
                                               "snapshot = 7, CH4, 100, 1, %LEL, 12.5, 2024/04/30 09:15:06\n"
                                               "snapshot = 8, \"HC \", 100, 1, %LEL, 0, 2024/04/30 09:16:00\n"),
                                           Now, state);
    ASSERT_FALSE(error) << error->toStdString();
    EXPECT_EQ(state.model, "MT-52");
    EXPECT_EQ(state.registers.value("IN"), "SN-77");
    EXPECT_EQ(state.registers.value("XZ"), " U 1 ");
    EXPECT_EQ(state.registers.value("XS"), "\xB1\xB2\xB3") << "sent in the instrument's character set";
    EXPECT_EQ(state.registers.value("VP"), "00012345");
    EXPECT_EQ(state.clockOffsetSeconds, -90);
    EXPECT_EQ(state.blockCount(), 30);

    // Both records sit in block 15, the first snapshot block.
    const QByteArray block = state.block(SimInstrumentState::FirstSnapshotBlock);
    SimInstrumentState expected;
    expected.putSnapshot(0, {7, "CH4", "100", "1", "%LEL", "12.5", QDateTime(QDate(2024, 4, 30), QTime(9, 15, 6))});
    expected.putSnapshot(1, {8, "HC ", "100", "1", "%LEL", "0", QDateTime(QDate(2024, 4, 30), QTime(9, 16, 0))});
    EXPECT_EQ(block.toHex(), expected.block(SimInstrumentState::FirstSnapshotBlock).toHex());
}

TEST(SimDescription, ClockFollowsThePcAndSnapshotsGrowTheMemory) {
    SimInstrumentState state;
    state.clockOffsetSeconds = 500;
    QString text = QStringLiteral("clock = pc\nmemory-blocks = 2\n");
    for (int i = 0; i < 5; ++i)
        text += QStringLiteral("snapshot = %1, CH4, 100, 1, %LEL, 1, 2024/01/01 00:00:0%1\n").arg(i);
    ASSERT_FALSE(ApplySimDescription(text, Now, state));
    EXPECT_EQ(state.clockOffsetSeconds, 0);
    // Five records, two per block from block 15: blocks 15 to 17.
    EXPECT_EQ(state.blockCount(), SimInstrumentState::FirstSnapshotBlock + 2);
    EXPECT_EQ(state.block(17).left(2), "\xEE\xEE");
    EXPECT_EQ(state.block(17).mid(64, 2), "\xFF\xFF");

    ASSERT_FALSE(ApplySimDescription(QStringLiteral("clock-offset = 3600\n"), Now, state));
    EXPECT_EQ(state.clockOffsetSeconds, 3600);
}

TEST(SimDescription, AMistakeNamesItsLineAndChangesNothing) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"serial = A\nno equals sign", "line 2: expected \"key = value\""},
        {"= value", "line 1: expected"},
        {"colour = red", "line 1: unknown key \"colour\""},
        {"register.V = 1", "line 1: a register is named by two"},
        {"register.V-P = 1", "line 1: a register is named by two"},
        {"clock = yesterday", "line 1: the clock is no date"},
        {"clock-offset = soon", "line 1: the clock offset must be a whole number"},
        {"memory-blocks = 0", "line 1: memory-blocks must be a whole number from 1 to 9999"},
        {"memory-blocks = 10000", "line 1: memory-blocks must"},
        {"snapshot = 1, CH4, 100, 1, %LEL, 2024/01/01", "line 1: a snapshot has 7 fields"},
        {"snapshot = 65536, CH4, 100, 1, %LEL, 1, 2024/01/01", "line 1: the record number must"},
        {"snapshot = 1, METHANE-GAS, 100, 1, %LEL, 1, 2024/01/01", "line 1: the gas name is longer than 10"},
        {"snapshot = 1, CH4, 100000, 1, %LEL, 1, 2024/01/01", "line 1: the full scale is longer than 5"},
        {"snapshot = 1, CH4, 100, 1, %LEL, 1, 2024/02/30 10:00", "line 1: the snapshot time is no date"},
        {"snapshot = 1, CH4, 100, 1, %LEL, 1, 1999/12/31 10:00", "line 1: the snapshot time must lie in"},
    };
    for (const Case& c : cases) {
        SimInstrumentState state;
        const QByteArray memory = state.memory();
        const auto error = ApplySimDescription(QString::fromUtf8(c.text), Now, state);
        ASSERT_TRUE(error) << c.text;
        EXPECT_TRUE(error->startsWith(QString::fromUtf8(c.message))) << error->toStdString();
        EXPECT_EQ(state.registers.value("IN"), "SIM0000001") << c.text;
        EXPECT_EQ(state.memory(), memory) << c.text;
    }
}

TEST(SimDescription, FilesAreReadAndAMissingOneIsAMistake) {
    QTemporaryDir dir;
    SimInstrumentState state;
    const auto missing = LoadSimDescription(dir.filePath("none.sim"), Now, state);
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->startsWith(dir.filePath("none.sim") + ": "));

    const auto example =
        LoadSimDescription(QStringLiteral(MT52_SOURCE_DIR "/tools/instrument-sim/example.sim"), Now, state);
    EXPECT_FALSE(example) << example->toStdString();
    EXPECT_EQ(state.block(SimInstrumentState::FirstSnapshotBlock).left(2), "\xEE\xEE");
}

TEST(SimFaultOption, ReadsKindCodeCountAndSkip) {
    struct Case {
        const char* text;
        SimFault fault;
        QByteArray code;
        int count;
        int skip;
    };
    const Case cases[] = {
        {"silence", SimFault::NoAnswer, "", 1, 0},
        {"silence::all", SimFault::NoAnswer, "", std::numeric_limits<int>::max(), 0},
        {"garble:IN,R", SimFault::Garble, "IN,R", 1, 0},
        {"drop-line:EF,R:1:3", SimFault::DropLine, "EF,R", 1, 3},
        {"nak:HC,W:2", SimFault::Nak, "HC,W", 2, 0},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseFaultOption(QString::fromLatin1(c.text));
        ASSERT_TRUE(std::holds_alternative<SimFaultOption>(parsed)) << c.text;
        const SimFaultOption& option = std::get<SimFaultOption>(parsed);
        EXPECT_EQ(option.fault, c.fault) << c.text;
        EXPECT_EQ(option.code, c.code) << c.text;
        EXPECT_EQ(option.count, c.count) << c.text;
        EXPECT_EQ(option.skip, c.skip) << c.text;
    }
    for (const char* bad : {"", "explode", "garble:IN", "garble:IN,R:0", "garble:IN,R:x", "garble:IN,R:1:-1",
                            "garble:IN,R:1:1:1"})
        EXPECT_TRUE(std::holds_alternative<QString>(ParseFaultOption(QString::fromLatin1(bad)))) << bad;
}

// A fault that skips replies hits the later blocks of a multi-block answer only.
TEST(SimFaultOption, SkippedRepliesGoOutUnharmed) {
    SimInstrumentState state;
    SimProtocol protocol(state);
    protocol.Register("EF,R", [](const SimRequest&, SimInstrumentState&) {
        SimReply reply;
        for (int n = 1; n <= 4; ++n)
            reply.frames.append(SimReply::Frame("EF,R", QByteArray::number(n), ctl::ACK, ctl::ETB));
        reply.frames.append(SimReply::Frame("EF,R", {}, ctl::ACK, ctl::EOT));
        return reply;
    });
    std::get<SimFaultOption>(ParseFaultOption("silence:EF,R:1:2")).InjectInto(protocol);
    QByteArray received;
    protocol.Feed(CommandFrame::BuildFrame("EF,R,", ctl::EOT));
    const QByteArray accept = CommandFrame::BuildFrame(QByteArray("EF,R,") + ctl::ACK, ctl::ETB);
    for (int i = 0; i < 4; ++i) {
        for (const SimChunk& chunk : protocol.TakeOutput())
            received += chunk.bytes;
        protocol.Feed(accept);
    }
    for (const SimChunk& chunk : protocol.TakeOutput())
        received += chunk.bytes;
    EXPECT_TRUE(received.contains(SimReply::Frame("EF,R", "1", ctl::ACK, ctl::ETB)));
    EXPECT_TRUE(received.contains(SimReply::Frame("EF,R", "2", ctl::ACK, ctl::ETB)));
    EXPECT_FALSE(received.contains(SimReply::Frame("EF,R", "3", ctl::ACK, ctl::ETB))) << "the third block is lost";
    EXPECT_TRUE(received.contains(SimReply::Frame("EF,R", "4", ctl::ACK, ctl::ETB)));
}

}  // namespace
}  // namespace mt52::sim
