#include "common/clsToken.h"
#include "platform/RuntimeError.h"

#include "support/ErrorOf.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// The counted tokens of the last line.
QStringList Counted(const clsToken& tok) {
    QStringList out;
    for (Integer i = 0; i < tok.TokenCount(); ++i)
        out << tok.Tokens(i);
    return out;
}

clsToken CommaSplitter() {
    clsToken tok;
    tok.AddDelimiters(QStringLiteral(","));
    return tok;
}

// The settings file's choice: tab delimiter, "'" string range, ";" comment.
clsToken SettingsSplitter() {
    clsToken tok;
    tok.AddDelimiters(QStringLiteral("\t"));
    tok.AddStrings(QStringLiteral("'"));
    tok.AddComments(QStringLiteral(";"));
    return tok;
}

QString Fields(int count) {
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields << QStringLiteral("f%1").arg(i);
    return fields.join(u',');
}

struct LineCase {
    const char* line;
    QStringList tokens;
};

TEST(Token, EmptyFieldsGiveNoToken) {
    for (const LineCase& c : std::vector<LineCase>{{"a,,b", {"a", "b"}},
                                                   {",a,", {"a"}},
                                                   {"a b, c", {"a b", " c"}},
                                                   {"", {}},
                                                   {",,,", {}}}) {
        clsToken tok = CommaSplitter();
        tok.Source(QString::fromLatin1(c.line));
        EXPECT_EQ(Counted(tok), c.tokens) << c.line;
        EXPECT_EQ(tok.Source(), QString::fromLatin1(c.line));
    }
}

TEST(Token, SlotsKeepEarlierLinesBeyondTheCount) {
    clsToken tok = CommaSplitter();
    tok.Source(QStringLiteral("a,b,c"));
    tok.Source(QStringLiteral("x"));
    EXPECT_EQ(tok.TokenCount(), 1);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("x"));
    EXPECT_EQ(tok.Tokens(1), QStringLiteral("b"));
    EXPECT_EQ(tok.Tokens(2), QStringLiteral("c"));

    for (const char* empty : {"", ",,"}) {
        tok.Source(QString::fromLatin1(empty));
        EXPECT_EQ(tok.TokenCount(), 0) << empty;
        EXPECT_EQ(tok.Tokens(0), QStringLiteral("x")) << empty;
        EXPECT_EQ(tok.Tokens(2), QStringLiteral("c")) << empty;
    }
}

TEST(Token, QuotesAndCommentsOfTheSettingsFile) {
    for (const LineCase& c : std::vector<LineCase>{
             {"key\t'a b'", {"key", "a b"}},
             {"''", {""}},                         // a closing quote always gives a token
             {"ab'c'", {"c"}},                     // text before an opening quote is dropped
             {"x'y'z", {"y", "z"}},
             {"'a;b", {"a;b"}},                    // a range open at the end is a token
             {"'a\tb'\tc", {"a\tb", "c"}},         // delimiters inside a range are text
             {"Font\t'Sans'\t9\t;size", {"Font", "Sans", "9"}},
         }) {
        clsToken tok = SettingsSplitter();
        tok.Source(QString::fromLatin1(c.line));
        EXPECT_EQ(Counted(tok), c.tokens) << c.line;
    }
}

TEST(Token, CommentRestIsStoredBeyondTheCount) {
    clsToken tok = SettingsSplitter();
    tok.Source(QStringLiteral("a\tb;c"));
    EXPECT_EQ(tok.TokenCount(), 1);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("a"));
    EXPECT_EQ(tok.Tokens(1), QStringLiteral("c"));

    tok.Source(QStringLiteral(";comment line"));
    EXPECT_EQ(tok.TokenCount(), 0);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("comment line"));

    tok.Source(QStringLiteral("k\tm;"));  // the pending "m" is dropped, an empty rest stored
    EXPECT_EQ(tok.TokenCount(), 1);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("k"));
    EXPECT_EQ(tok.Tokens(1), QString());
}

TEST(Token, AnyQuoteClosesTheRange) {
    clsToken tok;
    tok.AddDelimiters(QStringLiteral(","));
    tok.AddStrings(QStringLiteral("'"));
    tok.AddStrings(QStringLiteral("\""));
    tok.Source(QStringLiteral("'a\"b,\"c'"));
    EXPECT_EQ(Counted(tok), QStringList({"a", "b", "c"}));
}

TEST(Token, ReplyLineWithCarriageReturn) {
    clsToken tok = CommaSplitter();
    tok.AddDelimiters(QStringLiteral("\r"));
    tok.Source(QStringLiteral("ID,R,MT-52,0123\r"));
    EXPECT_EQ(Counted(tok), QStringList({"ID", "R", "MT-52", "0123"}));
}

TEST(Token, AtMost51Tokens) {
    clsToken tok = CommaSplitter();
    tok.Source(Fields(51));
    EXPECT_EQ(tok.TokenCount(), 51);
    EXPECT_EQ(tok.Tokens(49), QStringLiteral("f49"));
    EXPECT_EQ(tok.Tokens(50), QString());  // slot 50 is stored but never read back

    EXPECT_EQ(ErrorOf([&] { tok.Source(Fields(52)); }), ErrSubscript);
    EXPECT_EQ(tok.TokenCount(), 51);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("f0"));

    tok.AddComments(QStringLiteral(";"));
    EXPECT_EQ(ErrorOf([&] { tok.Source(Fields(51) + QStringLiteral(",;rest")); }), ErrSubscript);
    EXPECT_EQ(tok.TokenCount(), 51);
}

TEST(Token, SlotAccessOutsideTheSlots) {
    clsToken tok;
    for (Integer bad : {Integer(-1), Integer(51), Integer(1000)})
        EXPECT_EQ(ErrorOf([&] { tok.Tokens(bad, QStringLiteral("x")); }), ErrSubscript) << bad;
    EXPECT_EQ(ErrorOf([&] { tok.Tokens(50, QStringLiteral("x")); }), 0);
    EXPECT_EQ(tok.Tokens(50), QString());
    EXPECT_EQ(tok.Tokens(-1), QString());
    tok.Tokens(3, QStringLiteral("kept"));
    EXPECT_EQ(tok.Tokens(3), QStringLiteral("kept"));
    tok.TokenCount(7);
    EXPECT_EQ(tok.TokenCount(), 7);
}

TEST(Token, CharacterLists) {
    clsToken tok;
    const QString letters = QStringLiteral("abcdefghijk");
    for (QChar c : letters)
        tok.AddDelimiters(QString(c));
    EXPECT_EQ(tok.Delimiters(9), QStringLiteral("j"));
    EXPECT_EQ(tok.Delimiters(10), QString());
    tok.Source(QStringLiteral("1j2k3"));  // the eleventh entry "k" was ignored
    EXPECT_EQ(Counted(tok), QStringList({"1", "2k3"}));

    tok.ClearDelimiters();
    EXPECT_EQ(tok.Delimiters(0), QString());
    tok.Source(QStringLiteral("1j2k3"));
    EXPECT_EQ(Counted(tok), QStringList({"1j2k3"}));

    // A set beyond the count takes no part until an add reaches that index, and the add overwrites it.
    tok.Delimiters(1, QStringLiteral("+"));
    tok.AddDelimiters(QStringLiteral(","));
    EXPECT_EQ(tok.Delimiters(1), QString());
    tok.Source(QStringLiteral("a+b,c"));
    EXPECT_EQ(Counted(tok), QStringList({"a+b", "c"}));
    tok.AddDelimiters(QStringLiteral("-"));
    EXPECT_EQ(tok.Delimiters(1), QStringLiteral("-"));
    tok.Delimiters(10, QStringLiteral("x"));  // ignored, no failure

    // Entries match one character exactly: empty and longer entries never match.
    clsToken odd;
    odd.AddDelimiters(QString());
    odd.AddDelimiters(QStringLiteral(",,"));
    odd.Source(QStringLiteral("a,,b"));
    EXPECT_EQ(Counted(odd), QStringList({"a,,b"}));
}

TEST(Token, LaterListWinsForACharacterInSeveral) {
    clsToken tok;
    tok.AddDelimiters(QStringLiteral(";"));
    tok.AddDelimiters(QStringLiteral(","));
    tok.AddStrings(QStringLiteral(","));
    tok.AddComments(QStringLiteral(";"));
    tok.Source(QStringLiteral("a,b,c;d"));  // "," quotes, ";" comments
    EXPECT_EQ(Counted(tok), QStringList({"b"}));
    EXPECT_EQ(tok.Tokens(1), QStringLiteral("d"));
    EXPECT_EQ(tok.StringRanges(0), QStringLiteral(","));
    EXPECT_EQ(tok.Comments(0), QStringLiteral(";"));
    EXPECT_EQ(tok.Comments(1), QString());
}

TEST(Token, LinesOf32767CharactersOrMoreOverflow) {
    clsToken tok = CommaSplitter();
    tok.AddComments(QStringLiteral(";"));
    const QString head = QStringLiteral("a,b,");

    tok.Source(head + QString(32766 - head.size(), u'x'));
    EXPECT_EQ(tok.TokenCount(), 3);

    // Exactly 32,767: every character is taken, the final token is not.
    EXPECT_EQ(ErrorOf([&] { tok.Source(head + QString(32767 - head.size(), u'y')); }), ErrOverflow);
    EXPECT_EQ(tok.TokenCount(), 2);
    EXPECT_EQ(tok.Tokens(2), QStringLiteral("x").repeated(32766 - head.size()));

    // A comment ends the line before the position counter runs out.
    tok.Source(head + QStringLiteral(";") + QString(32767 - head.size() - 1, u'z'));
    EXPECT_EQ(tok.TokenCount(), 2);

    // 32,768 and more: nothing is taken.
    EXPECT_EQ(ErrorOf([&] { tok.Source(head + QString(32768 - head.size(), u'w')); }), ErrOverflow);
    EXPECT_EQ(tok.TokenCount(), 0);
    EXPECT_EQ(tok.Tokens(0), QStringLiteral("a"));
}

}  // namespace
}  // namespace mt52
