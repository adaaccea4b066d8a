#include "common/RecordText.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

TEST(RunLengthDecode, DecodesGroupsWithRepeatCounts) {
    const std::vector<std::pair<QString, QString>> cases{
        {QString(), QString()},
        {QStringLiteral("$%"), QStringLiteral("0102")},
        {QStringLiteral("C$%"), QStringLiteral("010201020102")},  // count 3
        {QStringLiteral("1234"), QStringLiteral("1234")},
        {QStringLiteral("!\""), QStringLiteral("00FF")},
        {QStringLiteral("#'&$"), QStringLiteral("D1FE0301")},
        {QStringLiteral(":;<=>?"), QStringLiteral("ABCD")},        // the last pair is an unfinished group
        {QStringLiteral("#:;"), QStringLiteral("D1AB")},            // shortcut and nibble pair mixed
        {QStringLiteral("A!"), QString()},                          // one byte pending at the end is dropped
        {QStringLiteral("@$%"), QString()},                         // count 0 drops the group
        {QStringLiteral("B$%\"\""), QStringLiteral("01020102FFFF")},  // the count applies to one group only
        {QStringLiteral("C!B$"), QStringLiteral("00010001")},        // a count given twice keeps the later
        {QStringLiteral("$ (*%"), QStringLiteral("0102")},           // shortcuts without a byte are skipped
        {QStringLiteral("$\r\n%") + QChar(0xE9), QStringLiteral("0102")},  // control and non-ASCII skipped
    };
    for (const auto& [text, hex] : cases)
        EXPECT_EQ(RunLengthDecode(text), hex) << text.toStdString();

    const QString counted = RunLengthDecode(QStringLiteral("AB$%"));  // (1 * 64) + 2 = 66 groups
    EXPECT_EQ(counted, QStringLiteral("0102").repeated(66));
    EXPECT_EQ(RunLengthDecode(QChar(127) + QString(QChar(127)) + QStringLiteral("!!")).size(), 4095 * 4);
}

TEST(RunLengthDecode, BadSecondNibbleOrCutTextIsAnError) {
    // The pair always takes the very next character, a control character included.
    // A text that ends inside a nibble pair or on a repeat count is cut short.
    for (const QString& text : {QStringLiteral("$%1A"), QStringLiteral("1\n2"), QStringLiteral("1!"),
                                QStringLiteral("$%1"), QStringLiteral("$%C"), QStringLiteral("1"), QStringLiteral("@")})
        EXPECT_EQ(ErrorOf([&] { RunLengthDecode(text); }), ErrInvalidArgument) << text.toStdString();
}

TEST(RunLengthShortcut, TableAndOthers) {
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("!"), QStringLiteral("00")}, {QStringLiteral("\""), QStringLiteral("FF")},
        {QStringLiteral("#"), QStringLiteral("D1")}, {QStringLiteral("$"), QStringLiteral("01")},
        {QStringLiteral("%"), QStringLiteral("02")}, {QStringLiteral("&"), QStringLiteral("03")},
        {QStringLiteral("'"), QStringLiteral("FE")}, {QStringLiteral("("), QString()},
        {QStringLiteral("A"), QString()},            {QString(), QString()},
        {QStringLiteral("!!"), QString()},
    };
    for (const auto& [ch, hex] : cases)
        EXPECT_EQ(RunLengthShortcut(ch), hex) << ch.toStdString();
}

TEST(HexSingles, RoundTripMostSignificantByteFirst) {
    const std::vector<std::pair<Single, const char*>> cases{
        {1.0f, "3F800000"}, {-101.0f, "C2CA0000"}, {0.0f, "00000000"}, {100.0f, "42C80000"},
        {0.1f, "3DCCCCCD"}, {-0.0f, "80000000"},
    };
    for (auto [value, hex] : cases) {
        EXPECT_EQ(SingleToHex(value), QString::fromLatin1(hex)) << value;
        EXPECT_EQ(SingleToHex(HexToSingle(QString::fromLatin1(hex))), QString::fromLatin1(hex));
    }
    EXPECT_EQ(HexToSingle(QStringLiteral("3f800000")), 1.0f);
    EXPECT_EQ(HexToSingle(QStringLiteral("42C80000,rest")), 100.0f);
    for (const char* bad : {"3F8000", "", "3G800000", " 3F80000", "3F80000-"})
        EXPECT_EQ(ErrorOf([&] { HexToSingle(QString::fromLatin1(bad)); }), ErrTypeMismatch) << bad;
}

TEST(HexSingles, PadHex2AndBytes) {
    EXPECT_EQ(PadHex2(QStringLiteral("A")), "0A");
    EXPECT_EQ(PadHex2(QStringLiteral("FF")), "FF");
    EXPECT_EQ(PadHex2(QString()), "");
    EXPECT_EQ(PadHex2(QStringLiteral("ABC")), "ABC");

    const QByteArray bytes = QByteArray::fromHex("0042c80000");
    EXPECT_EQ(BytesToSingle(1, bytes), 100.0f);
    EXPECT_EQ(BytesToSingle(0, QByteArray::fromHex("42c80000")), 100.0f);
    EXPECT_EQ(ErrorOf([&] { BytesToSingle(2, bytes); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { BytesToSingle(-1, bytes); }), ErrSubscript);
}

}  // namespace
}  // namespace mt52
