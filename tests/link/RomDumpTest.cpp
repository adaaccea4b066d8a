// The memory dump download against the simulated instrument: the listing file, the snapshot
// records stored from the blocks, damaged and lost blocks, a cancel from the progress window.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/BinDump.h"
#include "link/CommandFrame.h"
#include "link/DumpListing.h"
#include "link/RomDump.h"
#include "link/SerialLog.h"
#include "link/SettingsTransfer.h"
#include "link/gui/frmUpload.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "support/Files.h"
#include "support/SimLink.h"
#include "support/ProgramFolder.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

using sim::SimFault;
using sim::SimReply;
using sim::SimRequest;
using sim::SimInstrumentState;

// The known memory image of the golden listing: 15 blocks; a text and a counting pattern in
// the first blocks, one snapshot record and one other record in block 15.
void FillKnownImage(SimInstrumentState& state) {
    state.resizeMemory(15);
    state.clearMemory();
    state.writeMemory(0, "MT-52 memory image for the listing test.");
    QByteArray counting(256, 0);
    for (int i = 0; i < 256; ++i)
        counting[i] = char(i);
    state.writeMemory(0x100, counting);
    sim::SimSnapshot snap;
    snap.logNo = 0x0012;
    snap.gasName = "CH4";
    snap.fullScale = "100";
    snap.digit = "1";
    snap.unit = "%LEL";
    snap.gasValue = " 12.5";
    snap.when = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
    state.putSnapshot(0, snap);
    // The second record of block 15 is a plain record, not a snapshot.
    state.writeMemory(14 * 128 + 64, QByteArray::fromHex("EE0100") + QByteArray(61, 'x'));
}

class RomDumpTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        State().DatabasePath = dir.filePath(QStringLiteral("MT52.mdb"));
        CreateDataBase(State().DatabasePath);
        sim_.instrument.registers["IN"] = "SN0042";
        FillKnownImage(sim_.instrument);
        ASSERT_TRUE(sim_.Connect());
    }
    // The full read that comes before a dump: it brings the instrument's identity.
    void ReadIdentity() {
        ASSERT_TRUE(SettingsTransfer(sim_.link).GetInstrument(&model_));
        ASSERT_EQ(model_.SerialNo(), QStringLiteral("SN0042"));
    }

    bool Download() { return dump_.GetRomDump2(ListPath()); }
    QString ListPath() const { return dir.filePath(QStringLiteral("DumpEF.dat")); }
    QString Log() const { return QString::fromUtf8(test::ReadFile(SerialLog::Path())); }
    Long SnapshotCount() {
        Database db(State().DatabasePath);
        return db.query(QStringLiteral("SELECT COUNT(*) AS n FROM Log_Head WHERE Types = 11"))
            .field(QStringLiteral("n"))
            .toLong();
    }
    QByteArray Golden() const { return test::ReadFile(QStringLiteral(MT52_FIXTURES_DIR "/link/DumpEF_golden.dat")); }

    ManualClock clock_{QDateTime(QDate(2026, 4, 1), QTime(10, 20, 30))};
    ScopedClock useClock_{clock_};
    test::SimLink sim_;
    clsInstrument model_;
    RomDump dump_{sim_.link};
};

TEST_F(RomDumpTest, ListingMatchesTheGoldenFileAndEachSnapshotIsStoredOnce) {
    ReadIdentity();
    ASSERT_TRUE(Download());
    EXPECT_EQ(sim_.link.Status(), StatusDone);
    EXPECT_EQ(test::ReadFile(ListPath()), Golden());
    EXPECT_EQ(SnapshotCount(), 1);

    Database db(State().DatabasePath);
    const Recordset head = db.query(QStringLiteral("SELECT Names, SerialNo, FolderID FROM Log_Head WHERE Types = 11"));
    EXPECT_EQ(head.field(QStringLiteral("Names")).toString(), QStringLiteral("ss14092653_SN0042"));
    EXPECT_EQ(head.field(QStringLiteral("FolderID")).toString(), QStringLiteral("03/26"));
    const Recordset snap = db.query(QStringLiteral("SELECT LogNo, GasName, Unit, Gasval FROM SnapShot"));
    EXPECT_EQ(snap.field(QStringLiteral("LogNo")).toString(), QStringLiteral("0012"));
    EXPECT_EQ(snap.field(QStringLiteral("GasName")).toString(), QStringLiteral("CH4       "));
    EXPECT_EQ(snap.field(QStringLiteral("Gasval")).toString(), QStringLiteral(" 12.5"));

    // The same dump again: the listing is rewritten the same, nothing more is stored.
    ASSERT_TRUE(Download());
    EXPECT_EQ(test::ReadFile(ListPath()), Golden());
    EXPECT_EQ(SnapshotCount(), 1);
    EXPECT_TRUE(Log().contains(QStringLiteral("--- Dump List Download Started. ---(2026/04/01 10:20:30)")));
}

TEST_F(RomDumpTest, WithoutAReadSinceTheConnectionTheListingIsWrittenButNothingStored) {
    ASSERT_TRUE(Download());
    EXPECT_EQ(test::ReadFile(ListPath()), Golden());
    EXPECT_EQ(SnapshotCount(), 0);
    EXPECT_TRUE(Log().contains(QStringLiteral("Snapshot records are not stored")));

    // A read before a reconnection does not count for the new connection.
    ReadIdentity();
    sim_.instrument.takeOutOfCradle();
    sim_.Steps(2);
    ASSERT_TRUE(sim_.Connect());
    ASSERT_TRUE(Download());
    EXPECT_EQ(SnapshotCount(), 0);
}

// The process ends abruptly (power cut, kill) after `ticks` turns of the download; every
// block acknowledged before that must be in the database, whole, and nothing half stored.
TEST_F(RomDumpTest, ADownloadKilledAtAnyBlockKeepsEveryAcknowledgedSnapshot) {
    static constexpr int SnapshotBlocks = 6;  // two snapshots a block, from block 15 on
    for (int slot = 0; slot < 2 * SnapshotBlocks; ++slot) {
        sim::SimSnapshot snap;
        snap.logNo = static_cast<quint16>(slot);
        snap.gasName = "CO";
        snap.fullScale = "500";
        snap.unit = "ppm";
        snap.gasValue = "  7.0";
        snap.when = QDateTime(QDate(2026, 3, 14), QTime(9, 0)).addSecs(slot * 60);
        sim_.instrument.putSnapshot(slot, snap);
    }
    ReadIdentity();
    const int firstTick = sim_.ticks;
    ASSERT_TRUE(Download());
    const int downloadTicks = sim_.ticks - firstTick;
    const auto snapshotsUpTo = [](int acknowledged) {
        return 2 * std::clamp(acknowledged - (DumpSnapshots::FirstSnapshotBlock - 1), 0, SnapshotBlocks);
    };
    const QString acknowledgedFile = dir.filePath(QStringLiteral("acknowledged"));

    testing::FLAGS_gtest_death_test_style = "fast";
    for (int killAt = 1; killAt < downloadTicks; ++killAt) {
        SCOPED_TRACE(killAt);
        QFile::remove(State().DatabasePath);
        CreateDataBase(State().DatabasePath);
        EXPECT_EXIT(
            {
                const int start = sim_.ticks;
                const qsizetype firstRequest = sim_.protocol.Requests().size();
                sim_.onStep = [&] {
                    if (sim_.ticks - start < killAt)
                        return;
                    int acknowledged = 0;
                    for (qsizetype i = firstRequest; i < sim_.protocol.Requests().size(); ++i) {
                        const SimRequest& r = sim_.protocol.Requests().at(i);
                        acknowledged += r.terminator == ctl::ETB && r.command.endsWith(ctl::ACK) ? 1 : 0;
                    }
                    test::WriteFile(acknowledgedFile, QByteArray::number(acknowledged));
                    std::raise(SIGKILL);
                };
                Download();
                std::_Exit(0);
            },
            testing::KilledBySignal(SIGKILL), "");
        const int acknowledged = test::ReadFile(acknowledgedFile).toInt();

        Database db(State().DatabasePath);
        EXPECT_EQ(db.query(QStringLiteral("PRAGMA integrity_check")).field(0).toString(), QStringLiteral("ok"));
        EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM Log_Head h WHERE NOT EXISTS "
                                          "(SELECT 1 FROM SnapShot s WHERE s.RelNo = h.SeqNo)"))
                      .field(0)
                      .toLong(),
                  0);
        const Long stored = SnapshotCount();
        EXPECT_GE(stored, snapshotsUpTo(acknowledged));
        EXPECT_LE(stored, snapshotsUpTo(acknowledged + 1));
    }

    // The whole download after the last kill stores the rest; a second one stores nothing new.
    ASSERT_TRUE(Download());
    EXPECT_EQ(SnapshotCount(), 2 * SnapshotBlocks);
    ASSERT_TRUE(Download());
    EXPECT_EQ(SnapshotCount(), 2 * SnapshotBlocks);
    Database db(State().DatabasePath);
    EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM SnapShot")).field(0).toLong(), 2 * SnapshotBlocks);
}

struct BlockFault {
    const char* name;
    SimFault fault;
};

TEST_F(RomDumpTest, ALostOrDamagedBlockIsAskedForAgainAndTheListingStaysExact) {
    ReadIdentity();
    const BlockFault faults[] = {{"lost", SimFault::NoAnswer},
                                 {"garbled code", SimFault::Garble},
                                 {"bad digit", SimFault::BadData},
                                 {"cut short", SimFault::Short}};
    for (const BlockFault& f : faults) {
        SCOPED_TRACE(f.name);
        sim_.protocol.InjectFault(f.fault, 1, "EF,R", 3, /*skip*/ 4);  // the fifth block
        EXPECT_TRUE(Download());
        EXPECT_EQ(test::ReadFile(ListPath()), Golden());
    }
    EXPECT_EQ(SnapshotCount(), 1);
    EXPECT_TRUE(Log().contains(QStringLiteral(
        "Dump block 0005 damaged (character \"G\" at position 256 is no hexadecimal digit): block rejected")));
}

TEST_F(RomDumpTest, ARejectedBlockSaysWhatIsWrongWithIt) {
    const QString good(256, u'0');
    struct Case {
        QString data;
        const char* logged;
    } cases[] = {
        {good.left(17) + u'x' + good.mid(18), "(character \"x\" at position 18 is no hexadecimal digit)"},
        {good.left(3) + u'\a' + good.mid(4), "(character code 07h at position 4 is no hexadecimal digit)"},
        {good.left(250), "(250 hexadecimal digits where 256 are expected)"},
        {good + "00", "(258 hexadecimal digits where 256 are expected)"},
    };
    for (const Case& c : cases) {
        QFile::remove(SerialLog::Path());
        EXPECT_FALSE(dump_.DumpBlock(QStringLiteral("1"), c.data));
        EXPECT_TRUE(Log().contains(QStringLiteral("<<< Dump block 0001 damaged ") + c.logged + ": block rejected >>>"))
            << Log().toStdString();
    }
}

TEST_F(RomDumpTest, ABlockThatNeverArrivesWholeFailsTheDownload) {
    ReadIdentity();
    for (SimFault fault : {SimFault::BadData, SimFault::NoAnswer}) {
        sim_.protocol.ClearFaults();
        sim_.protocol.InjectFault(fault, 100, "EF,R", 3, /*skip*/ 3);  // from the fourth block on
        EXPECT_FALSE(Download());
        EXPECT_EQ(sim_.link.Status(), StatusFree);
        EXPECT_TRUE(Log().contains(QStringLiteral("Dump list download failed after block 0003")));

        // The listing holds the three good blocks, the second group filled up with erased
        // lines, and ends with its total time; every data line is whole.
        const QStringList lines = QString::fromLatin1(test::ReadFile(ListPath())).split(QStringLiteral("\r\n"));
        const QRegularExpression dataLine(QStringLiteral("^[0-9A-F]{6} ([0-9A-F]{2} ){8} ([0-9A-F]{2} ){8}  .{16}$"));
        int dataLines = 0;
        for (const QString& line : lines)
            dataLines += dataLine.match(line).hasMatch() ? 1 : 0;
        EXPECT_EQ(dataLines, 32);
        EXPECT_TRUE(lines.contains(DumpListing::DataLine(0x180, QByteArray(32, 'F'))));
        EXPECT_TRUE(lines.contains(DumpListing::DataLine(0x1F0, QByteArray(32, 'F'))));
        EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral(";\tTotal Download Time = 00:00:00"));
    }
}

TEST_F(RomDumpTest, BlocksOutOfOrderAreRefusedAndARepeatedBlockIsNotListedTwice) {
    // The instrument's stream is replaced by blocks in the order given.
    const auto streamOf = [](QList<int> order) {
        return [order](const SimRequest&, SimInstrumentState& s) {
            SimReply reply;
            for (int n : order)
                reply.frames.append(SimReply::Frame(
                    "EF,R", "00," + QByteArray::number(n).rightJustified(4, '0') + ",0080," + s.block(n).toHex().toUpper(),
                    ctl::ACK, ctl::ETB));
            reply.frames.append(SimReply::Frame("EF,R", {}, ctl::ACK, ctl::EOT));
            return reply;
        };
    };
    sim_.protocol.Register("EF,R", streamOf({1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    ASSERT_TRUE(Download());
    EXPECT_EQ(test::ReadFile(ListPath()), Golden());
    EXPECT_TRUE(Log().contains(QStringLiteral("Dump block 0002 received again")));

    sim_.protocol.Register("EF,R", streamOf({1, 3, 4}));
    EXPECT_FALSE(Download());
    EXPECT_TRUE(Log().contains(QStringLiteral("Dump block 0003 out of order (block 0002 expected)")));
}

TEST_F(RomDumpTest, TheProgressWindowsCancelEndsTheDownloadAsFailed) {
    ReadIdentity();
    State().BusyState = 1;
    frmUpload progress(UploadCancelHooks::For(sim_.link));
    // Every block costs a tick here, so the cancel comes in the middle of the stream.
    sim_.protocol.InjectFault(SimFault::Delay, 100, "EF,R", 1);
    int ticks = 0;
    sim_.onStep = [&] {
        if (++ticks == 5)
            progress.cmdUpload->click();
    };
    EXPECT_FALSE(Download());
    EXPECT_TRUE(progress.Canceled());
    EXPECT_EQ(sim_.link.Status(), StatusFree);
    EXPECT_FALSE(sim_.link.Cancel());
    EXPECT_TRUE(Log().contains(QStringLiteral("= User Cancel =")));
    EXPECT_EQ(SnapshotCount(), 0);
    EXPECT_TRUE(test::ReadFile(ListPath()).endsWith("Total Download Time = 00:00:00\r\n"));
}

TEST_F(RomDumpTest, BinaryImageBlocksLandAtTheirPlaceInTheImageFile) {
    QByteArray flash(8192, 0);
    for (int i = 0; i < flash.size(); ++i)
        flash[i] = char(i * 7);
    sim_.instrument.writeMemory(0, flash);
    const QString image = dir.filePath(QStringLiteral("flash.bin"));
    BinDump bin(sim_.link);

    // A full download starts from a fresh image and fills all of it.
    ASSERT_TRUE(bin.GetBinDump(image, 0, 127));
    EXPECT_EQ(test::ReadFile(image), flash);
    EXPECT_EQ(sim_.Sent().last(), QByteArray("EP,R,007F"));

    // A part download on an existing image changes only its blocks (bytes 320 to 447).
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'A'));
    file.close();
    ASSERT_TRUE(bin.GetBinDump(image, 5, 6));
    QByteArray expected(8192, 'A');
    expected.replace(320, 128, flash.mid(320, 128));
    EXPECT_EQ(test::ReadFile(image), expected);

    // A block that never comes ends the download; the blocks before it stay.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'A'));
    file.close();
    sim_.protocol.InjectFault(SimFault::NoAnswer, 1, "EP,R", 3, /*skip*/ 1);
    EXPECT_FALSE(bin.GetBinDump(image, 10, 12));
    EXPECT_TRUE(sim_.link.BinaryRetry());
    EXPECT_FALSE(sim_.link.Cancel());
    EXPECT_EQ(sim_.link.Status(), StatusFree);
    EXPECT_EQ(test::ReadFile(image).mid(640, 64), flash.mid(640, 64));
    EXPECT_EQ(test::ReadFile(image).mid(704, 128), QByteArray(128, 'A'));
    EXPECT_TRUE(Log().contains(QStringLiteral("= timeout =")));
}

TEST(DumpListingLines, DataLineAndGroupFill) {
    // Sixteen bytes 41h to 50h.
    EXPECT_EQ(DumpListing::DataLine(0x10, "4142434445464748494A4B4C4D4E4F50"),
              QStringLiteral("000010 41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50   ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(DumpListing::HexDumpLine("00FF7E7F1F20000000000000000000"
                                       "0a").right(16),
              QStringLiteral("..~.. .........."));
    EXPECT_EQ(DumpListing::GroupHeading().size(), 74);
    EXPECT_EQ(DumpListing::DataLine(0, QByteArray(32, '0')).size(), 74);

    // A download that ends after 20 lines: the second group continues in steps of 16 with
    // twelve erased lines.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.dat"));
    QStringList messages;
    DumpListing listing([&](const QString& m) { messages << m; });
    const Date start(46000.5);
    listing.Open(path, start);
    for (int i = 0; i < 20; ++i)
        listing.AddLine(0x400 + 16 * i, QByteArray(32, '1'));
    listing.Close(start, start.addSeconds(3725));
    EXPECT_EQ(messages, QStringList({"Get Dump 000400-0004FF", "Get Dump 000500-0005FF"}));
    const QStringList lines = QString::fromLatin1(test::ReadFile(path)).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(DumpListing::DataLine(0x530, QByteArray(32, '1'))));
    EXPECT_TRUE(lines.contains(DumpListing::DataLine(0x540, QByteArray(32, 'F'))));
    EXPECT_TRUE(lines.contains(DumpListing::DataLine(0x5F0, QByteArray(32, 'F'))));
    EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral(";\tTotal Download Time = 01:02:05"));
}

}  // namespace
}  // namespace mt52
