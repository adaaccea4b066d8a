#include "link/InstrumentReplies.h"

#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <functional>

namespace mt52 {
namespace {

constexpr char ACK = 0x06;
constexpr char NAK = 0x15;

struct FakeHost : ReplyHost {
    clsInstrument model;
    bool haveModel = true;
    QByteArray lastFrame;
    QStringList log;
    QList<QPair<QString, QString>> blocks;

    clsInstrument* ReplyInstrument() override { return haveModel ? &model : nullptr; }
    QByteArray ReplyLastFrame() const override { return lastFrame; }
    void ReplyLog(const QString& text) override { log.append(text); }
    bool ReplyDumpBlock(const QString& blockNo, const QString& hexBytes) override {
        blocks.append({blockNo, hexBytes});
        return true;
    }
};

class InstrumentRepliesTest : public ::testing::Test {
protected:
    FakeHost host;
    InstrumentReplies parser{host};

    // The reply frame the instrument would send, cut and derived as the link does.
    std::optional<bool> Parse(const char* code, const QByteArray& data, char ack = ACK) {
        return ParseFrame(CommandFrame::BuildFrame(QByteArray(code) + ',' + ack + data, ctl::EOT));
    }
    std::optional<bool> ParseFrame(const QByteArray& frame) { return parser.Parse(ReplyFrame::From(frame)); }
    bool Accepted(const char* code, const QByteArray& data, char ack = ACK) { return Parse(code, data, ack) == true; }
};

// A read reply stores its value through the model and clears the item's change flag, so
// that a read never counts as an edit; a NAK in place of the ACK is stored alike.
TEST_F(InstrumentRepliesTest, ReadRepliesStoreAndClearTheirFlag) {
    struct Case {
        const char* code;
        QByteArray data;
        std::function<void(clsInstrument&)> markChanged;
        std::function<void(const clsInstrument&)> check;
    };
    const Case cases[] = {
        {"RB,R", "3F800000", [](clsInstrument& m) { m.Change_Buzzerfrequency(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.Buzzerfrequency(), 1.0f); EXPECT_FALSE(m.Change_Buzzerfrequency()); }},
        {"BP,R", "0064", [](clsInstrument& m) { m.Change_PumpDutyRatio(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.PumpDutyRatio(), 100); EXPECT_FALSE(m.Change_PumpDutyRatio()); }},
        {"RL,R", "01F4", [](clsInstrument& m) { m.Change_LEDDutyRatio(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.LEDDutyRatio(), 500); EXPECT_FALSE(m.Change_LEDDutyRatio()); }},
        {"IN,R", "  SN-0042  ", [](clsInstrument& m) { m.Change_SerialNo(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.SerialNo(), "SN-0042"); EXPECT_FALSE(m.Change_SerialNo()); }},
        {"HN,R", "DUMMY7", [](clsInstrument& m) { m.Change_DummySerial(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.DummySerial(), "DUMMY7"); EXPECT_FALSE(m.Change_DummySerial()); }},
        {"XS,R", "NORTH GATE      ", [](clsInstrument& m) { m.Change_StationID(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.StationID(), "NORTH GATE"); EXPECT_FALSE(m.Change_StationID()); }},
        {"XZ,R", "ABC", [](clsInstrument& m) { m.Change_UserID(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.UserID(), "ABC"); EXPECT_FALSE(m.Change_UserID()); }},
        {"BS,R", " SPEC01 ", [](clsInstrument& m) { m.Change_SpecNo(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.SpecNo(), "SPEC01"); EXPECT_FALSE(m.Change_SpecNo()); }},
        {"XT,R", "003C", [](clsInstrument& m) { m.Change_LcdBackLight(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.LcdBackLight(), 60); EXPECT_FALSE(m.Change_LcdBackLight()); }},
        {"XB,R", "FFFF", [](clsInstrument& m) { m.Change_Confirmation(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.Confirmation(), -1); EXPECT_FALSE(m.Change_Confirmation()); }},
        {"MT,R", "-12", [](clsInstrument& m) { m.Change_MT(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.MT(), -12); EXPECT_FALSE(m.Change_MT()); }},
        {"EJ,R", " 7 ", [](clsInstrument& m) { m.Change_EJ(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.EJ(), 7); EXPECT_FALSE(m.Change_EJ()); }},
        {"WS,R", "0010\r00FF", [](clsInstrument& m) { m.Change_WS(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.SpanVal(), 16); EXPECT_EQ(m.ColorChartVal(), 255); EXPECT_FALSE(m.Change_WS()); }},
        {"CS,R", "012C", [](clsInstrument& m) { m.Change_CSData(false); },
         [](const clsInstrument& m) { EXPECT_EQ(m.CSData(), 300); EXPECT_TRUE(m.Change_CSData()); }},
        {"UJ,R", "2", [](clsInstrument& m) { m.Change_SpecType(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.SpecType(), "2"); EXPECT_FALSE(m.Change_SpecType()); }},
        {"LS,R", " 000111000111 ", [](clsInstrument& m) { m.Change_LSstr(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.LSstr(), "000111000111"); EXPECT_FALSE(m.Change_LSstr()); }},
        {"LE,R", "5", [](clsInstrument& m) { m.Change_LE(true); },
         [](const clsInstrument& m) { EXPECT_EQ(m.LE(), 5); EXPECT_FALSE(m.Change_LE()); }},
        {"VP,R", "120034", [](clsInstrument&) {}, [](const clsInstrument& m) { EXPECT_EQ(m.RomNumber(), 120034); }},
        {"VS,R", "1a2B", [](clsInstrument&) {}, [](const clsInstrument& m) { EXPECT_EQ(m.SUM(), "1a2B"); }},
        {"KW,R", "0003", [](clsInstrument&) {}, [](const clsInstrument& m) { EXPECT_EQ(m.KeyState(), 3); }},
        {"S8,R", "12.5,3,0.25,150", [](clsInstrument&) {},
         [](const clsInstrument& m) {
             EXPECT_EQ(m.C_White(), 12.5f);
             EXPECT_EQ(m.C_grey(), 3.0f);
             EXPECT_EQ(m.C_ratio(), 0.25f);
             EXPECT_EQ(m.C_factor(), 1.5f);
         }},
    };
    for (const char ack : {ACK, NAK}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.code) + (ack == ACK ? " ACK" : " NAK"));
            host.model.ClearDatas();
            c.markChanged(host.model);
            EXPECT_EQ(Parse(c.code, c.data, ack), true);
            c.check(host.model);
        }
    }
    EXPECT_TRUE(host.log.isEmpty());
}

// Empty fields give no token: indexes count the non-empty fields only.
TEST_F(InstrumentRepliesTest, EmptyFieldsDoNotCountAsTokens) {
    EXPECT_TRUE(Accepted("WS,R", ",0001,,0002,"));
    EXPECT_EQ(host.model.SpanVal(), 1);
    EXPECT_EQ(host.model.ColorChartVal(), 2);
}

// A value that does not convert rejects the reply and leaves the member and its flag as
// they were.
TEST_F(InstrumentRepliesTest, MalformedValuesAreRejectedAndStoreNothing) {
    struct Case {
        const char* code;
        QByteArray data;
    };
    const Case cases[] = {
        {"RL,R", "1F2A3"},        // more than 16 bits
        {"RL,R", "01G4"},         // not hexadecimal
        {"BP,R", ""},             // no field at all
        {"RB,R", "3F8000"},       // a single needs eight digits
        {"RB,R", "3F80000000"},
        {"MT,R", "abc"},
        {"MT,R", "40000"},        // beyond 16 bits
        {"MT,R", "1" + QByteArray(400, '0')},   // beyond a double
        {"VP,R", "-1" + QByteArray(400, '0')},
        {"EJ,R", ""},
        {"XT,R", "x3C"},
        {"XB,R", ""},
        {"VP,R", "12a"},
        {"VS,R", "123456789"},    // nine digits
        {"UJ,R", "3"},
        {"UJ,R", " 1"},
        {"LE,R", "five"},
        {"S8,R", "1,2,x,4"},
        {"KW,R", "1,2"},
        {"CS,R", "-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.data.toStdString());
        clsInstrument before;
        host.model = before;
        EXPECT_EQ(Parse(c.code, c.data), false);
        EXPECT_EQ(host.model.LEDDutyRatio(), before.LEDDutyRatio());
        EXPECT_EQ(host.model.PumpDutyRatio(), before.PumpDutyRatio());
        EXPECT_EQ(host.model.Buzzerfrequency(), before.Buzzerfrequency());
        EXPECT_EQ(host.model.MT(), before.MT());
        EXPECT_EQ(host.model.EJ(), before.EJ());
        EXPECT_EQ(host.model.LcdBackLight(), before.LcdBackLight());
        EXPECT_EQ(host.model.RomNumber(), before.RomNumber());
        EXPECT_EQ(host.model.SUM(), before.SUM());
        EXPECT_EQ(host.model.SpecType(), before.SpecType());
        EXPECT_EQ(host.model.CSData(), before.CSData());
        EXPECT_FALSE(host.model.Change_SpecType());
        EXPECT_FALSE(host.model.Change_MT());
    }
    EXPECT_TRUE(host.log.isEmpty());
}

// A failure part way through keeps what was stored before it.
TEST_F(InstrumentRepliesTest, FailureMidReplyKeepsWhatWasStored) {
    host.model.SpanVal(7);
    EXPECT_FALSE(Accepted("WS,R", "0020,zz"));
    EXPECT_EQ(host.model.SpanVal(), 0x20);
    EXPECT_EQ(host.model.ColorChartVal(), 0);

    for (int i = 0; i < 8; ++i)
        host.model.AnalogValue(static_cast<Integer>(i), 99);
    EXPECT_FALSE(Accepted("HA,R", "0001,0002,1F2A3,0004"));
    EXPECT_EQ(host.model.AnalogValue(0), 1);
    EXPECT_EQ(host.model.AnalogValue(1), 2);
    EXPECT_EQ(host.model.AnalogValue(2), 99);
    EXPECT_EQ(host.model.AnalogValue(3), 99);
}

TEST_F(InstrumentRepliesTest, AnalogValuesSkipFieldsThatAreNotHexadecimal) {
    for (int i = 0; i < 8; ++i)
        host.model.AnalogValue(static_cast<Integer>(i), 99);
    host.model.AdrealValue(5.0f);

    EXPECT_TRUE(Accepted("HA,R", "0001,0002,0003,--,0005"));
    EXPECT_EQ(host.model.AnalogValue(0), 1);
    EXPECT_EQ(host.model.AnalogValue(2), 3);
    EXPECT_EQ(host.model.AnalogValue(3), 99);  // "--" is no number
    EXPECT_EQ(host.model.AnalogValue(4), 5);
    EXPECT_EQ(host.model.AnalogValue(5), 99);  // fewer fields than entries
    EXPECT_EQ(host.model.AdrealValue(), 5.0f);

    EXPECT_TRUE(Accepted("HA,R", "1,2,3,4,5,6,7,FFFF,42C80000"));
    EXPECT_EQ(host.model.AnalogValue(7), -1);
    EXPECT_EQ(host.model.AdrealValue(), 100.0f);
    EXPECT_EQ(host.model.AnalogValue(8), 0);  // never filled
}

TEST_F(InstrumentRepliesTest, GasLibraryRow) {
    EXPECT_TRUE(Accepted("LI,R", "0007,3,H2S       ,100.0,0.5,ppm"));
    EXPECT_EQ(host.model.LI_tabNo(7), 3);
    EXPECT_EQ(host.model.LI_Name(7), "H2S       ");
    EXPECT_EQ(host.model.LI_FullScale(7), 100.0f);
    EXPECT_EQ(host.model.LI_Digit(7), 0.5f);
    EXPECT_EQ(host.model.LI_Unit(7), "ppm");
    EXPECT_EQ(host.model.LI_Point(7), 1);

    // A row outside the library, a field missing (which would shift the rest) or a value
    // that does not convert: nothing of the row is stored.
    for (const QByteArray& data : {QByteArray("31,3,CO,500,1,ppm"), QByteArray("-1,3,CO,500,1,ppm"),
                                   QByteArray("0008,3,500,1,ppm"), QByteArray("0008,3,CO,5x0,1,ppm")}) {
        SCOPED_TRACE(data.toStdString());
        EXPECT_FALSE(Accepted("LI,R", data));
        EXPECT_TRUE(host.model.LI_Name(8).isEmpty());
        EXPECT_EQ(host.model.LI_tabNo(8), 0);
    }
}

TEST_F(InstrumentRepliesTest, InstrumentClock) {
    ManualClock clock(QDateTime(QDate(2010, 1, 1), QTime(0, 0, 59)));
    ScopedClock use(clock);

    EXPECT_TRUE(Accepted("HC,R", "091231235959"));
    EXPECT_EQ(host.model.SysDate(), *Date::FromParts(2009, 12, 31, 23, 59, 59));
    EXPECT_NEAR(host.model.SysDateOffset().value() * 86400.0, 60.0, 1e-3);
    EXPECT_TRUE(host.model.FailLine().isEmpty());

    // An impossible date leaves the clock, marks the read and is logged.
    EXPECT_FALSE(Accepted("HC,R", "091331235959"));
    EXPECT_EQ(host.model.FailLine(), "HC,R");
    EXPECT_EQ(host.log, QStringList{"<<< improper date at HC >>> 091331235959"});
    EXPECT_EQ(host.model.SysDate(), *Date::FromParts(2009, 12, 31, 23, 59, 59));

    // A clock text of the wrong length or with a non-digit is a broken reply, not a wrong clock.
    host.model.FailLine("");
    host.log.clear();
    for (const QByteArray& data : {QByteArray("0912312359"), QByteArray("09123123595x"), QByteArray("")}) {
        EXPECT_FALSE(Accepted("HC,R", data));
        EXPECT_TRUE(host.model.FailLine().isEmpty());
    }
    EXPECT_TRUE(host.log.isEmpty());
}

TEST_F(InstrumentRepliesTest, ClockSetMustEchoTheFrameExactly) {
    host.lastFrame = CommandFrame::BuildFrame("HC,W,091231235959", ctl::EOT);
    EXPECT_EQ(ParseFrame(host.lastFrame), true);
    EXPECT_TRUE(host.log.isEmpty());

    EXPECT_EQ(ParseFrame(CommandFrame::BuildFrame("HC,W,091231235958", ctl::EOT)), false);
    EXPECT_EQ(host.log, QStringList{"<<< Response error >>>"});
}

// Write replies that echo the value: accepted when the echo matches the model.
TEST_F(InstrumentRepliesTest, EchoChecks) {
    host.model.SerialNo("SN1");
    host.model.DummySerial("D1");
    host.model.StationID("ST1");
    host.model.UserID("ABC");
    host.model.SpecNo("SPEC");
    host.model.LcdBackLight(60);
    host.model.Confirmation(1);
    host.model.SpecType("1");
    struct Case {
        const char* code;
        QByteArray data;
        bool accepted;
    };
    const Case cases[] = {
        {"IN,W", "SN1                 ", true}, {"IN,W", "SN2", false},
        {"HN,W", "D1", true},                  {"HN,W", "", false},
        {"XS,W", "ST1   ", true},              {"XS,W", "ST", false},
        {"XZ,W", "ABC             ", true},    {"XZ,W", "ABD", false},
        {"BS,W", "SPEC      ", true},          {"BS,W", "SPEC-EXTRA", false},
        {"XT,W", "003C", true},                {"XT,W", "3D", false}, {"XT,W", "", false},
        {"XB,W", "0001", true},                {"XB,W", "0002", false},
        {"UJ,W", "1", true},                   {"UJ,W", "1 ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.data.toStdString());
        EXPECT_EQ(Parse(c.code, c.data), c.accepted);
    }
    EXPECT_TRUE(host.log.isEmpty());
}

TEST_F(InstrumentRepliesTest, AcknowledgedCommands) {
    for (const char* code : {"RB,E", "BP,E", "RL,E", "RO,W", "DW,W", "XC,W", "UX,W", "XH,E", "XY,W", "UD,W", "UP,W"}) {
        SCOPED_TRACE(code);
        host.log.clear();
        EXPECT_EQ(Parse(code, "", ACK), true);
        EXPECT_EQ(Parse(code, "", NAK), false);
        EXPECT_EQ(host.log, QStringList{"<<< Response error >>>"});
    }
    // Writes the instrument takes without an echo are accepted whatever comes back.
    for (const char* code : {"RB,W", "BP,W", "RL,W", "WS,W", "CS,W", "MT,W", "EJ,W", "LS,W"})
        EXPECT_EQ(Parse(code, "", NAK), true) << code;
}

TEST_F(InstrumentRepliesTest, CompletionPollsAreAlwaysAcceptedAndTellWhetherFinished) {
    for (const char* code : {"XC,C", "UX,C", "XY,C"}) {
        EXPECT_EQ(Parse(code, "", ACK), true);
        EXPECT_TRUE(parser.CompletionFlag());
        EXPECT_EQ(Parse(code, "", NAK), true);
        EXPECT_FALSE(parser.CompletionFlag());
    }
}

TEST_F(InstrumentRepliesTest, SerialCheckAndLifeEndEcho) {
    EXPECT_TRUE(Accepted("SN,W", "OK123"));
    EXPECT_EQ(parser.SnResult(), "OK123");
    EXPECT_FALSE(Accepted("SN,W", "OK123", NAK));
    EXPECT_TRUE(parser.SnResult().isEmpty());

    // The echo of a life-end write is stored; it is the instrument's value, not an edit
    // that was read, so the flag is left as the set makes it.
    EXPECT_TRUE(Accepted("LE,W", "9"));
    EXPECT_EQ(host.model.LE(), 9);
    EXPECT_TRUE(host.model.Change_LE());
    EXPECT_FALSE(Accepted("LE,W", "x"));
}

TEST_F(InstrumentRepliesTest, DumpBlocksAreAlwaysAccepted) {
    EXPECT_TRUE(Accepted("EF,R", "X,0001,Y,00FF10"));
    EXPECT_TRUE(Accepted("EF,R", "X,00a1,Y,00FF10"));  // block number not numeric
    EXPECT_TRUE(Accepted("EF,R", "X,0002"));           // no bytes
    EXPECT_TRUE(Accepted("EF,R", ""));
    ASSERT_EQ(host.blocks.size(), 1);
    EXPECT_EQ(host.blocks[0].first, "0001");
    EXPECT_EQ(host.blocks[0].second, "00FF10");
}

TEST_F(InstrumentRepliesTest, WithoutAModelReadsAndEchoesAreRejected) {
    host.haveModel = false;
    EXPECT_EQ(Parse("IN,R", "SN1"), false);
    EXPECT_EQ(Parse("XZ,W", "ABC"), false);
    EXPECT_EQ(Parse("HC,R", "091231235959"), false);
    EXPECT_EQ(Parse("DW,W", ""), true);  // needs no model
}

TEST_F(InstrumentRepliesTest, CodesWithoutARowAreNotHandledHere) {
    for (const char* code : {"SZ,W", "SZ,C", "S2,W", "DN,R", "GJ,R", "SA,R", "SO,R", "BO,R", "RC,R", "rl,r"})
        EXPECT_EQ(Parse(code, "01F4"), std::nullopt) << code;
}

// More fields than the splitter holds is a broken reply, not a crash.
TEST_F(InstrumentRepliesTest, TooManyFieldsRejectTheReply) {
    QByteArray data;
    for (int i = 0; i < 60; ++i)
        data += "0001,";
    EXPECT_EQ(Parse("HA,R", data), false);
}

}  // namespace
}  // namespace mt52
