#include "link/CommandFrame.h"
#include "link/ReplyParser.h"
#include "link/SerialLog.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

QByteArray Bytes(const char* text) { return QByteArray(text); }

TEST(CommandFrame, BuildsTheEnvelopeWithItsChecksum) {
    // Byte sum of STX "0001" "RC,R," ETX is 517: (256 - 517 mod 256) mod 256 = 0xFB.
    EXPECT_EQ(CommandFrame::BuildFrame("RC,R,", ctl::EOT), Bytes("\x02" "0001RC,R,\x03" "FB\x04"));
    // A sum that is a multiple of 256 gives "00": STX "0001" ETX sums to 198, so a command
    // byte of 58 (":") brings it to 256.
    EXPECT_EQ(CommandFrame::BuildFrame(":", ctl::ETB), Bytes("\x02" "0001:\x03" "00\x17"));
    // One hex digit is padded: a sum of 251 + 4 gives 01.
    EXPECT_EQ(CommandFrame::Checksum(QByteArray(1, char(0xFF))), "01");
}

TEST(CommandFrame, BlockReplyRepeatsTheRequestCode) {
    const QByteArray request = CommandFrame::BuildFrame("EF,R,", ctl::EOT);
    const QByteArray ack = CommandFrame::BlockReply(request, ctl::ACK);
    EXPECT_EQ(ack, CommandFrame::BuildFrame(Bytes("EF,R,\x06"), ctl::ETB));
    // A block reply that became the last frame gives the same code again.
    EXPECT_EQ(CommandFrame::BlockReply(ack, ctl::ACK), ack);
    // With "IH" anywhere, seven characters are copied unless told otherwise.
    const QByteArray ih = CommandFrame::BuildFrame("IH,R,01", ctl::EOT);
    EXPECT_EQ(CommandFrame::BlockReply(ih, ctl::NAK), CommandFrame::BuildFrame(Bytes("IH,R,01\x15"), ctl::ETB));
    EXPECT_EQ(CommandFrame::BlockReply(ih, ctl::NAK, false), CommandFrame::BuildFrame(Bytes("IH,R,\x15"), ctl::ETB));
}

TEST(CommandFrame, NoResendCommandsAreFoundAnywhere) {
    for (const char* command : {"XC,W,", "UX,W,", "SZ,W,1111", "S1,W,"})
        EXPECT_TRUE(CommandFrame::IsNoResendCommand(CommandFrame::BuildFrame(command, ctl::EOT))) << command;
    for (const char* command : {"XC,C,", "IN,W,ABC", "RC,R,"})
        EXPECT_FALSE(CommandFrame::IsNoResendCommand(CommandFrame::BuildFrame(command, ctl::EOT))) << command;
}

TEST(CommandFrame, ChecksumMismatchIsJudgedOnCompleteEnvelopesOnly) {
    QByteArray good = CommandFrame::BuildFrame(Bytes("RC,R,\x06MT-52"), ctl::EOT);
    EXPECT_FALSE(CommandFrame::HasChecksumMismatch(good));
    EXPECT_FALSE(CommandFrame::HasChecksumMismatch("junk" + good));  // text before the STX is not summed
    QByteArray bad = good;
    bad[bad.size() - 2] = bad[bad.size() - 2] == 'A' ? 'B' : 'A';
    EXPECT_TRUE(CommandFrame::HasChecksumMismatch(bad));
    EXPECT_FALSE(CommandFrame::HasChecksumMismatch(Bytes("\x02" "0001\x04")));
}

TEST(CommandFrame, PickFrameEndTakesTheSmallestNonZero) {
    EXPECT_EQ(CommandFrame::PickFrameEnd(0, 0, 0), 0);
    EXPECT_EQ(CommandFrame::PickFrameEnd(9, 0, 4), 4);
    EXPECT_EQ(CommandFrame::PickFrameEnd(0, 7, 0), 7);
}

TEST(SerialLog, PrintableFormShowsControlBytes) {
    struct Case { QByteArray in; QString out; };
    const Case cases[] = {
        {CommandFrame::BuildFrame("RC,R,", ctl::EOT), "[STX]0001RC,R,[ETX]FB[EOT]"},
        {Bytes("\x05\x06\x15\x17\x1A\x1B"), "[ENQ][ACK][NAK][ETB][SUB][ESC]"},
        {QByteArray("\x00\x07\x1F", 3), "[00][07][1F]"},
        {Bytes("a\r\nb"), "a\r\nb"},
        // Instrument characters from 128 up stay themselves (half-width katakana for A1..DF).
        {Bytes("\xB1\x80"), QString(QChar(0xFF71)) + QChar(0x80)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SerialLog::ToPrintable(c.in), c.out) << c.out.toStdString();
}

TEST(ReplyFrame, DerivesCodeAndDataByPosition) {
    const ReplyFrame r = ReplyFrame::From(CommandFrame::BuildFrame(Bytes("RL,R,\x06" "01F4\r7"), ctl::EOT));
    EXPECT_EQ(r.ack, ctl::ACK);
    EXPECT_EQ(r.code, "RL,R");
    EXPECT_EQ(r.data, "01F4,7");
    EXPECT_TRUE(r.text.contains("01F4,7"));
    // Text in front of the STX shifts the positions: the code comes out wrong.
    EXPECT_NE(ReplyFrame::From("xx" + CommandFrame::BuildFrame(Bytes("RL,R,\x06" "01F4"), ctl::EOT)).code, "RL,R");
}

}  // namespace
}  // namespace mt52
