#include "link/SettingsTransfer.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "link/InstrumentOperations.h"
#include "link/SerialLog.h"
#include "platform/Clock.h"
#include "support/SimLink.h"
#include "support/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

using sim::SimFault;
using sim::SimReply;

QByteArray Blanks(int n) { return QByteArray(n, ' '); }

class SettingsTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        State().StartDir = dir_.path();
        SetInterfaceLanguage(Language::English);
        ASSERT_TRUE(sim.Connect());
        afterConnect_ = sim.Sent().size();
    }
    void TearDown() override { ResetInterfaceLanguage(); }

    // The commands sent by the operation under test (the connection polls left out).
    QList<QByteArray> Sent() const { return sim.Sent().mid(afterConnect_); }
    QString Log() const {
        QFile file(SerialLog::Path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    int Attempts() const { return sim.link.Retry() + 1; }

    QTemporaryDir dir_;
    ManualClock clock_{QDateTime(QDate(2026, 3, 4), QTime(12, 34, 56))};
    ScopedClock scopedClock_{clock_};
    test::SimLink sim;
    SettingsTransfer transfer{sim.link};
    clsInstrument model;
    qsizetype afterConnect_ = 0;
};

TEST_F(SettingsTransferTest, FullReadSendsTheTableInOrderAndFillsTheModel) {
    sim.instrument.clockOffsetSeconds = -90;  // the instrument runs 90 s behind
    model.UserID("EDITED");
    model.LcdBackLight(5);

    ASSERT_TRUE(transfer.GetInstrument(&model));

    QList<QByteArray> expected = {"VP,R,", "XZ,R,", "XS,R,", "IN,R,", "HN,R,", "HC,R,", "RB,R,", "BP,R,",
                                  "RL,R,", "WS,R,", "CS,R,", "KW,R,", "MT,R,", "EJ,R,", "S8,R,", "XT,R,",
                                  "HA,R,", "VS,R,", "BS,R,", "LS,R,"};
    for (int row = 0; row < 30; ++row)
        expected.append("LI,R," + QByteArray::number(row).rightJustified(4, '0'));
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(sim.link.Status(), StatusDone);
    EXPECT_EQ(sim.link.Instrument(), &model);

    EXPECT_EQ(model.RomNumber(), 120034);
    EXPECT_EQ(model.UserID(), "USER01");
    EXPECT_EQ(model.StationID(), "STATION01");
    EXPECT_EQ(model.SerialNo(), "SIM0000001");
    EXPECT_EQ(model.DummySerial(), "DUMMY0001");
    EXPECT_EQ(model.SysDate(), Date::FromDateTime(clock_.now().addSecs(-90)));
    EXPECT_NEAR(model.SysDateOffset().value() * 86400.0, 90.0, 1e-3);
    EXPECT_EQ(model.Buzzerfrequency(), 2000.0f);
    EXPECT_EQ(model.PumpDutyRatio(), 100);
    EXPECT_EQ(model.LEDDutyRatio(), 500);
    EXPECT_EQ(model.SpanVal(), 16);
    EXPECT_EQ(model.ColorChartVal(), 255);
    EXPECT_EQ(model.CSData(), 32);
    EXPECT_EQ(model.MT(), 12);
    EXPECT_EQ(model.EJ(), 3);
    EXPECT_EQ(model.C_factor(), 1.5f);
    EXPECT_EQ(model.LcdBackLight(), 30);
    EXPECT_EQ(model.AnalogValue(7), 8);
    EXPECT_EQ(model.AdrealValue(), 100.0f);
    EXPECT_EQ(model.SUM(), "1A2B3C4D");
    EXPECT_EQ(model.SpecNo(), "SPEC01");
    EXPECT_EQ(model.LSstr(), QString(30, u'0'));
    EXPECT_EQ(model.LI_Name(29), "GAS29");
    EXPECT_EQ(model.LI_tabNo(0), 1);
    EXPECT_TRUE(model.LI_Name(30).isEmpty());

    // Nothing read counts as an edit except the CS value, which the instrument expects to be
    // written back: an upload right after the read sends "CS,W" alone.
    QString refusal;
    const auto upload = SettingsTransfer::UploadCommands(model, &refusal);
    ASSERT_EQ(upload.size(), 1);
    EXPECT_EQ(upload[0].command, "CS,W,20");
    EXPECT_FALSE(model.Change_UserID());
    EXPECT_FALSE(model.Change_SpecNo());
    EXPECT_FALSE(model.Change_LSstr());
    EXPECT_FALSE(model.Change_DummySerial());
}

TEST_F(SettingsTransferTest, ReadsNeedAModelAndAFreeLink) {
    EXPECT_FALSE(transfer.GetInstrument(nullptr));
    EXPECT_FALSE(transfer.GetInstPart("IN,R,", nullptr));
    EXPECT_FALSE(transfer.SetInstrument(nullptr));
    {
        LinkOperation other(sim.link);  // another transfer holds the link
        model.UserID("KEPT");
        EXPECT_FALSE(transfer.GetInstrument(&model));
        EXPECT_EQ(model.UserID(), "KEPT") << "a refused read must not clear the model";
    }
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(SettingsTransferTest, CancelStopsTheReadAtOnce) {
    sim.protocol.InjectFault(SimFault::Delay, 1, "HA,R", 3);
    sim.onStep = [this] {
        if (sim.Sent().back() == "HA,R,")
            sim.link.SetCancel(true);
    };
    EXPECT_FALSE(transfer.GetInstrument(&model));
    EXPECT_EQ(sim.link.Status(), StatusCancelled);
    EXPECT_EQ(Sent().back(), "HA,R,");
    EXPECT_EQ(Sent().count("HA,R,"), 1);
    EXPECT_EQ(model.LcdBackLight(), 30) << "replies before the cancel stay stored";
}

TEST_F(SettingsTransferTest, ImproperClockStopsTheReadWithItsLogLine) {
    sim.protocol.Register("HC,R", [](const sim::SimRequest& r, sim::SimInstrumentState&) {
        return SimReply::Answer(r.code, "091331235959");  // month 13
    });
    EXPECT_FALSE(transfer.GetInstrument(&model));
    EXPECT_EQ(sim.link.Status(), StatusFailed);
    EXPECT_EQ(model.FailLine(), "HC,R");
    EXPECT_EQ(Sent().count("HC,R,"), Attempts());
    EXPECT_EQ(Sent().back(), "HC,R,");
    EXPECT_TRUE(Log().contains("<<< improper date at HC >>> 091331235959"));
    EXPECT_EQ(model.SerialNo(), "SIM0000001") << "the identity read before the clock stays";

    // The next read starts with a clean fail line.
    sim.protocol.Register("HC,R", [](const sim::SimRequest& r, sim::SimInstrumentState&) {
        return SimReply::Answer(r.code, "091231235959");
    });
    EXPECT_TRUE(transfer.GetInstrument(&model));
    EXPECT_TRUE(model.FailLine().isEmpty());
}

TEST_F(SettingsTransferTest, SingleCommandReadChangesOnlyItsItemAndRestoresTheLinksModel) {
    clsInstrument current;
    sim.link.SetInstrument(&current);
    model.UserID("MINE");
    model.Change_SerialNo(true);

    EXPECT_TRUE(transfer.GetInstPart("IN,R,", &model));
    EXPECT_EQ(model.SerialNo(), "SIM0000001");
    EXPECT_FALSE(model.Change_SerialNo());
    EXPECT_EQ(model.UserID(), "MINE");
    EXPECT_EQ(sim.link.Instrument(), &current);

    sim.instrument.takeOutOfCradle();
    sim.Step();
    ASSERT_EQ(sim.link.Mode(), ModeIdle);
    const qsizetype sent = sim.Sent().size();
    EXPECT_FALSE(transfer.GetInstPart("IN,R,", &model));
    EXPECT_EQ(sim.Sent().size(), sent);
}

TEST_F(SettingsTransferTest, RomNumberReadTakesTheIdentityOnly) {
    model.LcdBackLight(9);
    EXPECT_TRUE(transfer.GetRomNo(&model));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"VP,R,", "XZ,R,", "XS,R,", "IN,R,", "HN,R,"}));
    EXPECT_EQ(model.LcdBackLight(), 9) << "the model is not cleared";
}

// Replies the parser does not understand end these reads as failed, with their defaults.
TEST_F(SettingsTransferTest, UnansweredPartReadsFallBackToTheirDefaults) {
    model.AutoCalib(0, 50.0f);
    EXPECT_FALSE(transfer.GetAutoCalDensty(&model));
    EXPECT_EQ(model.AutoCalib(0), -101.0f);
    EXPECT_EQ(sim.link.Status(), StatusFree);

    ParseGasInfoText(QStringLiteral("CH4        100  1    %LEL"), model, 0);
    EXPECT_FALSE(transfer.GetGasInfo(&model));
    EXPECT_FALSE(model.GasEnabled(0));
    EXPECT_EQ(model.GasFullScale(0), -101.0f);

    EXPECT_FALSE(transfer.GetLatestHistory(&model));
    EXPECT_EQ(sim.link.Status(), StatusFree);
}

// A read refused because another transfer holds the link leaves that transfer alone: its
// waiting status and its model stay, and the refused read's model keeps its values.
TEST_F(SettingsTransferTest, PartReadsRefusedWhileTheLinkIsBusyChangeNothing) {
    clsInstrument current;
    sim.link.SetInstrument(&current);
    model.AutoCalib(0, 50.0f);
    ParseGasInfoText(QStringLiteral("CH4        100  1    %LEL"), model, 0);
    InstrumentOperations operations(sim.link);
    {
        LinkOperation other(sim.link);
        sim.link.SetStatus(StatusReadWait);  // the other transfer waits for its reply
        EXPECT_FALSE(transfer.GetGasInfo(&model));
        EXPECT_FALSE(transfer.GetAutoCalDensty(&model));
        EXPECT_FALSE(transfer.GetLatestHistory(&model));
        EXPECT_FALSE(transfer.GetLatestBumpHistory(&model));
        EXPECT_FALSE(operations.LpR(&model));
        EXPECT_EQ(sim.link.Status(), StatusReadWait);
        EXPECT_EQ(sim.link.Instrument(), &current);
        sim.link.SetStatus(StatusDone);
    }
    EXPECT_EQ(model.AutoCalib(0), 50.0f);
    EXPECT_TRUE(model.GasEnabled(0));
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(SettingsTransferTest, UploadSendsFlaggedItemsInOrderWithTheirEncodings) {
    model.EJ(-7);
    model.MT(-5);
    model.CSData(44);
    model.SpanVal(16);  // the colour-chart value goes with it
    model.LEDDutyRatio(-1);
    model.PumpDutyRatio(100);
    model.Buzzerfrequency(1.0f);
    model.LcdBackLight(60);
    model.LSstr(QStringLiteral("0101"));
    model.LSno(2);
    model.SerialNo(QStringLiteral("SN-9"));
    model.StationID(QStringLiteral("GATE"));
    model.UserID(QStringLiteral("ABC"));
    model.SpecNo(QStringLiteral("SPEC-7"));

    EXPECT_TRUE(transfer.SetInstrument(&model));
    EXPECT_EQ(Sent(), (QList<QByteArray>{
                          "BS,W,SPEC-7" + Blanks(4), "XZ,W,ABC" + Blanks(13), "XS,W,GATE" + Blanks(12),
                          "IN,W,SN-9" + Blanks(16), "LS,W,0101", "XT,W,003C", "RB,W,3F800000", "BP,W,0064",
                          "RL,W,FFFF", "WS,W,0010,0000", "CS,W,2C", "MT,W,-5", "EJ,W,-7", "DW,W,"}));
    EXPECT_EQ(sim.instrument.settingsCommits, 1);
    EXPECT_TRUE(SettingsTransfer::UploadCommands(model, nullptr).isEmpty()) << "every written flag is cleared";
    EXPECT_TRUE(model.Change_LSstr()) << "only the LS number's flag governs the LS write";

    // The instrument keeps what was written: a new read returns it.
    clsInstrument readBack;
    ASSERT_TRUE(transfer.GetInstrument(&readBack));
    EXPECT_EQ(readBack.UserID(), "ABC");
    EXPECT_EQ(readBack.LcdBackLight(), 60);
    EXPECT_EQ(readBack.LEDDutyRatio(), -1);
    EXPECT_EQ(readBack.CSData(), 44);
    EXPECT_EQ(readBack.MT(), -5);

    const QString log = Log();
    EXPECT_TRUE(log.contains("---Instrument Upload Started---. Date = 2026/03/04 12:34:56"));
    EXPECT_TRUE(log.contains("---Instrument Upload Finished---. Date = 2026/03/04 12:34:56[Time = 00:00:00]"));
}

TEST_F(SettingsTransferTest, UploadOfTwoItemsSendsOnlyThose) {
    model.UserID(QStringLiteral("ABC"));
    model.LcdBackLight(60);
    model.AlarmMode(1);  // an option that has no write command stays flagged and unsent
    EXPECT_TRUE(transfer.SetInstrument(&model));
    EXPECT_EQ(Sent(), (QList<QByteArray>{"XZ,W,ABC" + Blanks(13), "XT,W,003C", "DW,W,"}));
    EXPECT_FALSE(model.Change_UserID());
    EXPECT_FALSE(model.Change_LcdBackLight());
    EXPECT_TRUE(model.Change_AlarmMode());
}

TEST_F(SettingsTransferTest, FailedWriteStopsTheUploadAndKeepsTheRemainingFlags) {
    model.UserID(QStringLiteral("ABC"));
    model.LcdBackLight(60);
    model.MT(4);
    sim.protocol.InjectFault(SimFault::Garble, Attempts(), "XT,W");

    EXPECT_FALSE(transfer.SetInstrument(&model));
    EXPECT_EQ(Sent().count("XT,W,003C"), Attempts());
    EXPECT_FALSE(Sent().contains("MT,W,4"));
    EXPECT_FALSE(Sent().contains("DW,W,"));
    EXPECT_FALSE(model.Change_UserID());
    EXPECT_TRUE(model.Change_LcdBackLight());
    EXPECT_TRUE(model.Change_MT());
    EXPECT_TRUE(Log().contains("---Instrument Upload Failed---"));
    EXPECT_EQ(sim.instrument.settingsCommits, 0);

    // The next upload sends what is left.
    EXPECT_TRUE(transfer.SetInstrument(&model));
    EXPECT_EQ(Sent().mid(Sent().size() - 3), (QList<QByteArray>{"XT,W,003C", "MT,W,4", "DW,W,"}));
}

TEST_F(SettingsTransferTest, ClosingCommandFailureFailsTheUpload) {
    model.MT(4);
    sim.protocol.InjectFault(SimFault::Nak, Attempts(), "DW,W");
    EXPECT_FALSE(transfer.SetInstrument(&model));
    EXPECT_EQ(Sent().count("DW,W,"), Attempts());
    EXPECT_FALSE(model.Change_MT()) << "the item itself was written";
}

// A value that does not fit its field refuses the upload before anything goes out.
TEST_F(SettingsTransferTest, ValuesThatDoNotFitRefuseTheWholeUpload) {
    struct Case {
        std::function<void(clsInstrument&)> edit;
        const char* refusal;
    };
    const Case cases[] = {
        {[](clsInstrument& m) { m.UserID(QStringLiteral("SEVENTEEN-LETTERS")); }, "UserID is longer than 16 characters"},
        {[](clsInstrument& m) { m.SpecNo(QStringLiteral("SPEC-123456")); }, "SpecNo is longer than 10 characters"},
        {[](clsInstrument& m) { m.SerialNo(QString(21, u'S')); }, "SerialNo is longer than 20 characters"},
        {[](clsInstrument& m) { m.StationID(QStringLiteral("A,B")); }, "StationID holds a character the instrument cannot take"},
        {[](clsInstrument& m) { m.UserID(QStringLiteral("A\x04")); }, "UserID holds a character the instrument cannot take"},
        {[](clsInstrument& m) { m.StationID(QString::fromUtf8("\uFF71\uFF72")); }, "StationID holds a character the instrument cannot take"},
        {[](clsInstrument& m) { m.LSstr(QStringLiteral("01\r")); m.LSno(1); }, "LSstr holds a character the instrument cannot take"},
        {[](clsInstrument& m) { m.CSData(300); }, "CSData 300 is outside 0 to 255"},
        {[](clsInstrument& m) { m.CSData(-1); }, "CSData -1 is outside 0 to 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        clsInstrument m;
        m.MT(3);  // a valid item before or after the bad one
        c.edit(m);
        EXPECT_FALSE(transfer.SetInstrument(&m));
        EXPECT_EQ(transfer.UploadRefusal(), c.refusal);
        EXPECT_TRUE(m.Change_MT());
        EXPECT_TRUE(Sent().isEmpty());
        EXPECT_TRUE(Log().contains(QStringLiteral("<<< Upload refused: %1 >>>").arg(c.refusal)));
    }
    // Exactly the field width is fine.
    model.UserID(QString(16, u'U'));
    EXPECT_TRUE(transfer.SetInstrument(&model));
    EXPECT_TRUE(transfer.UploadRefusal().isEmpty());
}

TEST_F(SettingsTransferTest, UploadWithNothingFlaggedSendsNothing) {
    EXPECT_FALSE(transfer.SetInstrument(&model));
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_TRUE(Log().contains("---Instrument Upload Finished---"));
}

TEST_F(SettingsTransferTest, ClockSetIsAcceptedOnlyOnTheExactEcho) {
    const Date when = *Date::FromParts(2009, 12, 31, 23, 59, 59);
    EXPECT_TRUE(transfer.SetDateTime(when));
    EXPECT_EQ(Sent(), QList<QByteArray>{"HC,W,091231235959"});
    EXPECT_EQ(sim.instrument.clockOffsetSeconds, clock_.now().secsTo(QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59))));

    // An echo that differs in one digit is a response error, tried again and given up.
    sim.protocol.Register("HC,W", [](const sim::SimRequest& r, sim::SimInstrumentState&) {
        QByteArray command = r.command;
        command[command.size() - 1] = '8';
        return SimReply{{CommandFrame::BuildFrame(command, ctl::EOT)}};
    });
    EXPECT_FALSE(transfer.SetDateTime(when));
    EXPECT_EQ(Sent().count("HC,W,091231235959"), 1 + Attempts());
    EXPECT_TRUE(Log().contains("<<< Response error >>>"));

    // The instrument counts years from 2000 in two digits.
    const qsizetype sent = Sent().size();
    EXPECT_FALSE(transfer.SetDateTime(*Date::FromParts(1999, 12, 31)));
    EXPECT_FALSE(transfer.SetDateTime(*Date::FromParts(2100, 1, 1)));
    EXPECT_EQ(Sent().size(), sent);
}

}  // namespace
}  // namespace mt52
