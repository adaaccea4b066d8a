#include "common/ResText.h"
#include "common/StringTable.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>

namespace mt52 {
namespace {

class ResTextTest : public ::testing::Test {
protected:
    void SetUp() override { TextTables::instance().reset(); }
    void TearDown() override { TextTables::instance().reset(); }
};

StringTable LoadClean(const QString& path) {
    QStringList problems;
    StringTable table = StringTable::Load(path, &problems);
    EXPECT_TRUE(problems.isEmpty()) << path.toStdString() << ": " << problems.join(u'\n').toStdString();
    return table;
}

std::multiset<QString> ArgumentMarkers(const QString& text) {
    std::multiset<QString> markers;
    static const QRegularExpression marker(QStringLiteral("~[0-9]"));
    for (const QRegularExpressionMatch& m : marker.globalMatch(text))
        markers.insert(m.captured());
    return markers;
}

TEST_F(ResTextTest, TablesHoldTheSameIdsAndMarkers) {
    const StringTable en = LoadClean(QStringLiteral(":/strings_en.txt"));
    const StringTable ja = LoadClean(QStringLiteral(":/strings_ja.txt"));
    ASSERT_GT(en.size(), 300);

    EXPECT_FALSE(en.contains(9100));
    EXPECT_EQ(ja.text(9100), QStringLiteral("frmIntermittence"));
    EXPECT_EQ(en.text(101), QStringLiteral("EN"));
    EXPECT_EQ(ja.text(101), QStringLiteral("JP"));

    QList<int> jaIds = ja.ids();
    jaIds.removeOne(9100);
    EXPECT_EQ(en.ids(), jaIds);
    for (int id : en.ids()) {
        const QString e = en.text(id);
        const QString j = ja.text(id);
        EXPECT_FALSE(e.isEmpty()) << id;
        EXPECT_FALSE(j.isEmpty()) << id;
        EXPECT_LE(e.size(), 192) << id;
        EXPECT_EQ(ArgumentMarkers(e), ArgumentMarkers(j)) << id;
        // Grid header formats and file-dialog filters are split at "|" by position.
        EXPECT_EQ(e.count(u'|'), j.count(u'|')) << id;
    }
}

TEST_F(ResTextTest, LockMessageNamesUserAndComputerInEitherLanguage) {
    const QList<Variant> args{"PC-01", "alice"};  // computer, user
    SetInterfaceLanguage(Language::English);
    EXPECT_EQ(GetResText(300, args), QStringLiteral("A data base is being used for alice on PC-01."));

    SetInterfaceLanguage(Language::Japanese);
    const QString ja = GetResText(300, args);
    EXPECT_FALSE(ja.contains(u'~'));
    EXPECT_LT(ja.indexOf(QStringLiteral("PC-01")), ja.indexOf(QStringLiteral("alice")));
    EXPECT_NE(ja.indexOf(QStringLiteral("PC-01")), -1);
}

TEST_F(ResTextTest, ShowsThisModelsName) {
    SetInterfaceLanguage(Language::English);
    EXPECT_EQ(GetResText(5001), QStringLiteral("MT-52  - Data Logger Management Program"));
    EXPECT_EQ(GetResText(5343), QStringLiteral("MT-52 Data clear\r\nReady?"));
    EXPECT_EQ(GetResText(5412, {3}), QStringLiteral("Connect Sequence MT-52 ...(3)"));
    SetInterfaceLanguage(Language::Japanese);
    EXPECT_TRUE(GetResText(5001).startsWith(QStringLiteral("MT-52  - ")));
}

TEST_F(ResTextTest, ExpandsMarkers) {
    struct Case {
        const char* text;
        QList<Variant> args;
        const char* expected;
    };
    const std::vector<Case> cases{
        {"a~cb~Cc", {}, "a\r\nb\r\nc"},
        {"a~tb~Tc", {}, "a\tb\tc"},
        {"x~0y", {"A"}, "xy"},               // ~0 is never an argument
        {"x~qy~Zz", {}, "xyz"},              // an unknown letter goes with its "~"
        {"~~c", {}, "c"},                    // the second "~" is the first one's letter
        {"~12", {"A", "B"}, "A2"},           // only one digit belongs to the marker
        {"[~3]", {"A", "B"}, "[]"},          // a missing argument is empty
        {"~2 ~1", {"A", "B"}, "B A"},
        {"~1|~2", {Variant::Null(), Variant()}, "Null|"},
        {"n=~1 v=~2", {Long(42), Single(1.5f)}, "n=42 v=1.5"},
        {"end~", {}, "end"},                 // a "~" at the very end is dropped
        {"~1", {"L1~cL2~tX"}, "L1\r\nL2\tX"},  // line-break and tab marks inside an argument
        {"~1", {"VR-6000 / vr-6000"}, "MT-52 / vr-6000"},
        {"~1", {"~1~2~x~"}, "~1~2~x~"},      // argument text is not searched for arguments again
        {"~1~2", {"~2", "~1"}, "~2~1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandResText(QString::fromUtf8(c.text), c.args), QString::fromUtf8(c.expected)) << c.text;
}

QStringList* capturedWarnings = nullptr;
void CaptureWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && capturedWarnings)
        capturedWarnings->append(message);
}

TEST_F(ResTextTest, UnknownIdGivesEmptyTextAndWarning) {
    QStringList warnings;
    capturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(CaptureWarning);
    const QString text = GetResText(12345, {"A"});
    qInstallMessageHandler(previous);
    capturedWarnings = nullptr;

    EXPECT_TRUE(text.isEmpty());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("12345"))) << warnings[0].toStdString();
}

TEST_F(ResTextTest, InterfaceLanguageFollowsLocaleUnlessForced) {
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        Language expected;
    };
    for (const Case& c : std::vector<Case>{{"", "", "", Language::English},
                                           {"", "", "ja_JP.UTF-8", Language::Japanese},
                                           {"", "ja_JP", "en_US.UTF-8", Language::Japanese},
                                           {"C", "ja_JP", "ja_JP", Language::English},
                                           {"ja", "", "", Language::Japanese},
                                           {"", "", "de_DE", Language::English}}) {
        EXPECT_EQ(LanguageFromLocale(QString::fromLatin1(c.lcAll), QString::fromLatin1(c.lcMessages),
                                     QString::fromLatin1(c.lang)),
                  c.expected)
            << c.lcAll << "/" << c.lcMessages << "/" << c.lang;
    }

    const QByteArray saved[3] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "ja_JP.UTF-8");
    TextTables::instance().reset();
    EXPECT_EQ(GetResText(101), QStringLiteral("JP"));
    SetInterfaceLanguage(Language::English);
    EXPECT_EQ(GetResText(101), QStringLiteral("EN"));
    ResetInterfaceLanguage();
    EXPECT_EQ(GetResText(101), QStringLiteral("JP"));

    const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 3; ++i) {
        if (saved[i].isNull())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
    }
}

TEST_F(ResTextTest, EveryIdTheSourcesAskForIsInBothTables) {
    const StringTable en = LoadClean(QStringLiteral(":/strings_en.txt"));
    const StringTable ja = LoadClean(QStringLiteral(":/strings_ja.txt"));
    static const QRegularExpression call(QStringLiteral(R"(GetResText\s*\(\s*(\d+))"));
    for (const char* folder : {"/src", "/tools"}) {
        QDirIterator it(QStringLiteral(MT52_SOURCE_DIR) + QLatin1String(folder),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QString source = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch& m : call.globalMatch(source)) {
                const int id = m.captured(1).toInt();
                EXPECT_TRUE(en.contains(id)) << "text " << id << " used in " << path.toStdString();
                EXPECT_TRUE(ja.contains(id)) << "text " << id << " used in " << path.toStdString();
            }
        }
    }
}

TEST(StringTableParse, KeepsGoodLinesAndReportsBadOnes) {
    QStringList problems;
    const StringTable table = StringTable::Parse(
        "1\tone\r\n"
        "\n"
        "2\ttwo with a trailing blank \n"
        "3 no tab\n"
        "x4\tbad id\n"
        "70000\tout of range\n"
        "1\tagain\n"
        "5\ta\ttab inside",
        &problems);
    EXPECT_EQ(table.ids(), (QList<int>{1, 2, 5}));
    EXPECT_EQ(table.text(1), QStringLiteral("one"));
    EXPECT_EQ(table.text(2), QStringLiteral("two with a trailing blank "));
    EXPECT_EQ(table.text(5), QStringLiteral("a\ttab inside"));
    ASSERT_EQ(problems.size(), 4) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("line 4:")));
    EXPECT_TRUE(problems[3].contains(QStringLiteral("text 1 is given twice")));

    QStringList missing;
    EXPECT_EQ(StringTable::Load(QStringLiteral("/nonexistent/strings.txt"), &missing).size(), 0);
    EXPECT_EQ(missing.size(), 1);
}

TEST(InstGlyphToText, ReplacesTheInstrumentGlyphs) {
    const std::vector<std::pair<char16_t, QString>> glyphs{
        {0xFF65, QString(QChar(0x0080))}, {0xFF67, QStringLiteral("α")}, {0xFF71, QStringLiteral("3")},
        {0xFF72, QStringLiteral("in")},   {0xFF73, QStringLiteral("4")}, {0xFF74, QStringLiteral("5")},
        {0xFF75, QStringLiteral("6")},    {0xFF78, QStringLiteral("▅")}, {0xFF7C, QStringLiteral("θ")},
        {0xFF7E, QStringLiteral("█")},    {0xFF83, QStringLiteral("Δ")}, {0xFF87, QStringLiteral("1")},
        {0xFF8C, QStringLiteral("2")},    {0xFF8D, QStringLiteral("β")}, {0xFF8E, QStringLiteral("v")},
        {0xFF94, QStringLiteral("7")},    {0xFF95, QStringLiteral("8")}, {0xFF96, QStringLiteral("9")},
        {0xFF97, QStringLiteral("λ")},    {0xFF99, QStringLiteral("ol")}, {0xFF9B, QStringLiteral("▅")},
        {0xFF9C, QStringLiteral("0")},    {0xFF9F, QStringLiteral("°")}};
    for (const auto& [code, replacement] : glyphs)
        EXPECT_EQ(InstGlyphToText(QStringLiteral("<") + QChar(code) + QStringLiteral(">")),
                  QStringLiteral("<") + replacement + QStringLiteral(">"))
            << std::hex << int(code);

    EXPECT_EQ(InstGlyphToText(QStringLiteral("Cｱ Hﾔ ﾟC / ppm")), QStringLiteral("C3 H7 °C / ppm"));
    // A name holding ﾇ and ﾌ shows the digits 1 and 2 in their places
    EXPECT_EQ(InstGlyphToText(QStringLiteral("Xﾇ-Yﾌ")), QStringLiteral("X1-Y2"));
    // Other half-width katakana, other text and the empty text stay as they are
    EXPECT_EQ(InstGlyphToText(QStringLiteral("ｶﾞｽ CO %LEL")), QStringLiteral("ｶﾞｽ CO %LEL"));
    EXPECT_EQ(InstGlyphToText(QString()), QString());
}

}  // namespace
}  // namespace mt52
