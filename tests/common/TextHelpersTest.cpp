#include "common/ModuleState.h"
#include "common/TextHelpers.h"
#include "common/gui/WindowMetrics.h"
#include "support/ProgramState.h"

#include <QLocale>
#include <QWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(BlankToDashes, TrimsOrReplacesByKind) {
    struct Case { const char* in; Integer kind; QString out; };
    for (const Case& c : std::vector<Case>{{" AB ", BlankUserId, "AB"},
                                           {"   ", BlankUserId, QString(16, u'-')},
                                           {"", BlankStationId, QString(16, u'-')},
                                           {"   ", BlankSerialNo, QString(20, u'-')},
                                           {"", BlankDummySerialNo, QString(20, u'-')},
                                           {"   ", BlankMonthFolder, "*"},
                                           {"", -1, "*"},
                                           {" 0123 4 ", BlankSerialNo, "0123 4"}}) {
        EXPECT_EQ(BlankToDashes(QString::fromLatin1(c.in), c.kind), c.out) << c.in << " kind " << c.kind;
    }
}

TEST(KeyFilters, FreeTextAndIdentificationKeys) {
    // key, IsTextKey, IsIdKey
    struct Case { char16_t key; bool text; bool id; };
    for (const Case& c : std::vector<Case>{{u'a', true, true}, {u'Z', true, true}, {u'7', true, true},
                                           {u' ', true, true}, {u'-', true, true}, {8, true, true},
                                           {u'*', true, false}, {u'_', false, true}, {u'/', false, true},
                                           {u'.', false, false}, {u'\'', false, false}, {13, false, false},
                                           {0x3042, false, false}}) {
        EXPECT_EQ(IsTextKey(static_cast<Integer>(c.key)), c.text) << int(c.key);
        EXPECT_EQ(IsIdKey(static_cast<Integer>(c.key)), c.id) << int(c.key);
    }
    EXPECT_FALSE(IsTextKey(-1));
    EXPECT_FALSE(IsIdKey(-1));
}

TEST(TextFilters, IdTextAndDigits) {
    EXPECT_TRUE(IsIdText(QString()));
    EXPECT_TRUE(IsIdText(QStringLiteral(" Station-1_A/B")));
    EXPECT_FALSE(IsIdText(QStringLiteral("ST*1")));
    EXPECT_FALSE(IsIdText(QStringLiteral("ST\t1")));
    EXPECT_FALSE(IsIdText(QString::fromUtf8("ステーション")));
    EXPECT_FALSE(IsIdText(QString::fromUtf8("\xC3\xA9")));  // a Latin-1 letter is not ASCII

    EXPECT_TRUE(IsAllDigits(QString()));
    EXPECT_TRUE(IsAllDigits(QStringLiteral("0123456789")));
    for (const char* no : {"12a", " 12", "-1", "1.5"})
        EXPECT_FALSE(IsAllDigits(QString::fromLatin1(no))) << no;
}

TEST(CountDecimals, CharactersAfterTheFirstPoint) {
    struct Case { const char* in; Integer out; };
    for (const Case& c : std::vector<Case>{{"100", 0}, {"0.50", 2}, {"1.", 0}, {"", 0}, {".5", 1},
                                           {"1.2.3", 3}, {"0.001", 3}}) {
        EXPECT_EQ(CountDecimals(QString::fromLatin1(c.in)), c.out) << c.in;
    }
}

TEST(NodeKeys, NumberLetterAndPath) {
    struct Case { const char* key; Long number; const char* path; const char* letter; };
    for (const Case& c : std::vector<Case>{{"123 H", 123, "123", "H"},
                                           {"0 #", 0, "0", "#"},
                                           {"37 G", 37, "37", "G"},
                                           {"ST 1 T", 0, "ST 1", "T"},
                                           {"2.5 x", 2, "2.5", "x"},  // rounded, halves to even
                                           {"-4 a", -4, "-4", "a"},
                                           {"", 0, "", ""},
                                           {"AB", 0, "", "AB"},
                                           {"12345", 0, "123", "12345"},
                                           {" 5 S", 0, " 5", "S"},
                                           {"99999999999 H", 0, "99999999999", "H"}}) {
        const QString key = QString::fromLatin1(c.key);
        EXPECT_EQ(LeadingNumber(key), c.number) << c.key;
        EXPECT_EQ(DropLastTwo(key), QString::fromLatin1(c.path)) << c.key;
        EXPECT_EQ(LastWord(key), QString::fromLatin1(c.letter)) << c.key;
    }
    EXPECT_EQ(DropLastTwo(QStringLiteral("abc")), QStringLiteral("a"));
    EXPECT_EQ(DropLastTwo(QStringLiteral("ab")), QString());
}

TEST(FormatEventDate, MarksAndPattern) {
    const Date when = *Date::FromParts(2009, 4, 30, 8, 5, 3);
    for (auto format : {FormatEventDate, FormatEventDate2}) {
        EXPECT_EQ(format(12.5f, when), QStringLiteral("04/30 08:05:03"));
        EXPECT_EQ(format(-118.0f, when), QStringLiteral("-----"));
        EXPECT_EQ(format(-118.0f, InvalidDateMark), QStringLiteral("-----"));
        EXPECT_EQ(format(-101.0f, InvalidDateMark), QStringLiteral("*****"));
    }
}

TEST(Locale, IdentifiersAndItems) {
    EXPECT_EQ(MakeLangId(0, 1), 1024);
    EXPECT_EQ(MakeLcid(MakeLangId(0, 1)), 1024);
    EXPECT_EQ(MakeLcid(MakeLangId(0x11, 1)), 0x0411);

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(GetLocaleString(LocaleCalendarType), QStringLiteral("1"));
    EXPECT_EQ(GetLocaleString(LocaleShortDate), QStringLiteral("yyyy/MM/dd"));
    EXPECT_EQ(GetLocaleString(0), QString());
    EXPECT_EQ(GetLocaleString(-5), QString());
    QLocale::setDefault(saved);
}

TEST(OsVersionClass, RecordsOtherPlatform) {
    test::ResetProgramState();
    State().OsPlatformId = 9;
    State().OsVersionClass = 9;
    GetOsVersionClass();
    EXPECT_EQ(State().OsPlatformId, 0);
    EXPECT_EQ(State().OsVersionClass, 0);
    test::ResetProgramState();
}

TEST(WindowMetrics, ClientSizeInTwips) {
    QWidget window;
    window.resize(200, 133);
    Long width = -1;
    Long height = -1;
    GetClientSizeTwips(window, width, height);
    EXPECT_EQ(width, 3000);
    EXPECT_EQ(height, 1995);
}

TEST(WindowMetrics, CommonFontOntoAControlFont) {
    FontSpec source;
    source.name = QStringLiteral("Liberation Serif");
    source.size = 11.5;
    source.italic = true;
    source.underline = true;
    source.strikethrough = true;
    source.bold = true;  // the settings file sets the flag and leaves the weight at 400

    QFont target(QStringLiteral("Liberation Mono"), 20);
    ApplyCommonFont(target, source);
    EXPECT_EQ(target.family(), source.name);
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 11.5);
    EXPECT_TRUE(target.italic());
    EXPECT_TRUE(target.underline());
    EXPECT_TRUE(target.strikeOut());
    EXPECT_TRUE(target.bold());

    // Plain source onto a bold target: every property follows the source.
    ApplyCommonFont(target, FontSpec{});
    EXPECT_FALSE(target.bold());
    EXPECT_EQ(target.weight(), QFont::Normal);
    EXPECT_FALSE(target.italic());
    EXPECT_FALSE(target.underline());
    EXPECT_FALSE(target.strikeOut());
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 9.0);

    // A consistent weight is copied as it stands.
    FontSpec heavy;
    heavy.bold = true;
    heavy.weight = 900;
    ApplyCommonFont(target, heavy);
    EXPECT_EQ(target.weight(), QFont::Black);
}

}  // namespace
}  // namespace mt52
