#include "main_window/DefaultSettings.h"
#include "main_window/IniSettings.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"

#include "support/ErrorOf.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

class IniSettingsTest : public test::ProgramFolderTest {
protected:
    // The start-up before the file is read: the main window's own defaults, then the default settings.
    static void StartUpDefaults() {
        ModuleState& s = State();
        s.LinkSettings = QStringLiteral("921600,n,8,1");
        s.LinkRetry = 3;
        s.LinkTimeout = 3;
        s.TrendSearchBefore = -30;
        s.TrendSearchAfter = 45;
        s.FactAutoCals[0] = -101;
        s.GasTable[0][0] = GasDefinition{true, "CH4", false, "%LEL", 100, 1, 0, 10, 50, -101, -101, 0, 50, 0};
        s.GasTable[0][1] = GasDefinition{true, "HC ", false, "%LEL", 100, 1, 0, 10, 50, -101, -101, 0, 50, 0};
        s.CommonFont.name = QStringLiteral("Liberation Sans");
        SetDefaultSettings();
    }

    void writeIni(const QStringList& lines, const QByteArray& encoded = {}) {
        QFile f(IniFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(encoded.isEmpty() ? lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n" : encoded);
    }
    QByteArray iniBytes() const {
        QFile f(IniFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList iniLines() const {
        QStringList lines = QString::fromUtf8(iniBytes()).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.last(), QString());  // the last line ends in CR LF too
        lines.removeLast();
        return lines;
    }

    ManualClock clock_{QDateTime(QDate(2026, 3, 1), QTime(10, 20, 30))};
    ScopedClock useClock_{clock_};
};

TEST_F(IniSettingsTest, FileWrittenFromTheDefaultsHasEveryLineInOrder) {
    StartUpDefaults();
    State().CommPortNumber = 4;
    WindowSettings window;
    window.graphColors = std::array<Long, 3>{0, 16777215, 255};
    window.dataSelect = std::array<bool, 3>{true, false, false};
    window.placement = WindowPlacement{0, 11640, 8250};
    SaveIniSettings(window);

    const clsInstrument& sample = SampleInstrument();
    ASSERT_EQ(sample.GasFullScale(0), -101.0f);  // a fresh sample gas keeps its cleared values
    const QStringList expected{
        ";",
        ";            MT-52 Data logger program",
        ";      Last update = 2026/03/01 10:20:30",
        ";         Delimiter is tab,comma(,) character",
        ";           This file is changed set menu",
        ";",
        iniLines().value(6),  // the notice: checked below
        ";",
        "",
        "Execute Count\t1",
        "Serial Log File\tOFF",
        "Factory Record Suffix\t",
        "IrCOMM Num\t4",
        "COMM Settings\t921600,n,8,1",
        "Timeout\t3",
        "Delay\t300",
        "Retry\t3",
        "",
        ";",
        "; Formats = Autoload enable, Auto remove data enable",
        ";",
        "Auto Load Mode\tFalse\tFalse\tFalse",
        "",
        ";",
        "; Formats = Name , Size , Bold , Italic , Underline (Font setting)",
        ";",
        "Font\t'Liberation Sans'\t9\tFalse\tFalse\tFalse",
        "",
        ";",
        "; Formats = Scale , Back , Cursor (RGB) (Color datas), Gas1, Gas2, Gas3, Gas4",
        ";",
        "Graph Color\t0\t16777215\t255\t65280",
        "",
        ";",
        "; Formats = Gas1...Gas4 (Calibration Range ... Serial Value Format)",
        ";",
        "Calib. Range\t50",
        "",
        ";",
        "; Gas Instrument Information.",
        ";",
        "; CalibLimit, BackLightTime, AlarmPattern, IntervalCycle, Cal Disp,  Cal Proc",
        QStringLiteral("DefaultValue1\t%1\t%2\t%3\t%4\t%5\t%6")
            .arg(sample.CalLimit()).arg(sample.LcdBackLight()).arg(sample.AlarmMode()).arg(sample.Intervals())
            .arg(sample.DispCalLimit()).arg(sample.CalCheck()),
        "; Overwrite, FlowDA, Oxy alarm type, Auto Zero, Demand Zero, Enabled UserPassword",
        QStringLiteral("DefaultValue2\t%1\t%2\t%3\t%4\t%5")
            .arg(sample.LogOverWrite()).arg(sample.FlowValue()).arg(sample.AlarmO2()).arg(sample.AutoZero())
            .arg(sample.DemandZero()),
        ";",
        "; Gas Instrument Information.",
        "; Format = No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , TWA , Digit , FullSacle , "
        "AutoCal ,  Fact AutoCal. , GraphColor",
        ";",
        QStringLiteral("Gas Inst\t1\t'%1'\tFALSE\tFalse\t%2\t'%3'\t-101\t-101\t-101\t-101\t%4\t-101\t-101\t-101\t65280")
            .arg(sample.GasName(0)).arg(sample.GasPoint(0)).arg(sample.GasUnit(0)).arg(sample.GasDesit(0)),
        "",
        ";",
        ";Changed Gas Lists",
        "; Format = GasNo , No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , TWA , Digit , "
        "FullSacle , AutoCal",
        ";",
        "; GasNo 1",
        "ChgGas\t1\t1\t'CH4'\tTRUE\tFalse\t0\t'%LEL'\t10\t50\t-101\t-101\t1\t100\t50",
        "ChgGas\t1\t2\t'HC '\tTRUE\tFalse\t0\t'%LEL'\t10\t50\t-101\t-101\t1\t100\t50",
        "ChgGas\t1\t3\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        "ChgGas\t1\t4\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        "ChgGas\t1\t5\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        "ChgGas\t1\t6\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        "ChgGas\t1\t7\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        "ChgGas\t1\t8\t''\tFALSE\tFalse\t0\t''\t0\t0\t0\t0\t0\t0\t0",
        ";",
        "; Calibration Timer 1 : Cal.Unit On After Zero Calib, Bitween wait time.",
        "CalUnitOnWait\t45",
        "; Calibration Timer 2 : Span Gas valve On To Span Calib, Bitween wait time.",
        "CalSpanOnWait\t90",
        "; Calibration Timer 3 : Span valve Off After Cal.Unit Off, Bitween wait time.",
        "CalSpanOffWait\t45",
        "",
        "; ",
        "; Format = SerialNo,StationID,UserID",
        "Data Select\tTrue\tFalse\tFalse",
        "",
        ";",
        "; Formats = Form status , Form width , Form height (Twips value)",
        ";",
        "Size Values\t0\t11640\t8250",
        "",
        ";",
        "; Formats = Printing Data Line Width, Printing Scale Line Width",
        ";",
        "Prt Width\t1\t1",
        "",
        ";",
        "; Format = True or False",
        ";",
        "Completely View\tTrue",
        "",
        ";",
        "; ; Format = Before Event , After Event",
        ";",
        "Trend Search\t-30\t45",
        "",
        ";",
        "Completely Read\tFalse",
        ";",
        "MT-52\t" + PassEncode(PassEncode("jlx")),
        ";",
        "DataLocation\t" + dir.path(),
    };
    const QStringList lines = iniLines();
    ASSERT_EQ(lines.size(), 102);
    for (int i = 0; i < 102; ++i)
        EXPECT_EQ(lines[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    EXPECT_TRUE(lines[6].startsWith(';'));
    EXPECT_EQ(State().ExecuteCount, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"MT52.ini"});

    // The Japanese interface writes its own notice; everything else stays.
    SetInterfaceLanguage(Language::Japanese);
    SaveIniSettings(window);
    const QStringList japanese = iniLines();
    EXPECT_NE(japanese[6], lines[6]);
    EXPECT_TRUE(japanese[6].startsWith(';'));
    EXPECT_EQ(japanese[9], "Execute Count\t2");
}

TEST_F(IniSettingsTest, EveryKeyRoundTrips) {
    StartUpDefaults();
    ModuleState& s = State();
    s.ExecuteCount = 41;
    s.SerialLogOn = true;
    s.RecordSuffix = QStringLiteral("lot 7; batch 'B' 100% %27");
    s.LinkTimeout = 7;
    s.LinkDelay = 250;
    s.LinkRetry = 5;
    s.AutoLoadOn = true;
    s.AutoRemoveOn = false;
    s.AutoTerminateOn = true;
    s.CommonFont = FontSpec{QStringLiteral("IPAGothic"), 10.5, true, false, true};
    s.GraphColors[0] = 255;
    s.CalibRanges[0] = 12;
    s.GasLockedFlags[0] = true;
    s.FactAutoCals[0] = 25.5f;
    s.CalUnitOnWaitTime = 11;
    s.CalSpanOnWaitTime = 22;
    s.CalSpanOffWaitTime = 33;
    s.PrintLineWidths = {2.5f, 3, 0};
    s.CompletelyViewOn = false;
    s.CompletelyReadOn = true;
    s.TrendSearchBefore = -60;
    s.TrendSearchAfter = 90;
    s.LockPassword = QStringLiteral("n3w;pa'ss 日本");
    s.DataRoot = QStringLiteral("/data/it's;here\twith tab");
    s.GasTable[0][7] = GasDefinition{true, "H2S", true, "ppm", 30, 0.1f, 1, 5, 10, -101, 7.5f, 0, 12.5f, 0};
    clsInstrument& sample = SampleInstrument();
    sample.CalLimit(180);
    sample.LcdBackLight(20);
    sample.AlarmMode(0);
    sample.Intervals(60);
    sample.DispCalLimit(1);
    sample.CalCheck(2);
    sample.LogOverWrite(0);
    sample.FlowValue(200);
    sample.AlarmO2(0);
    sample.AutoZero(1);
    sample.DemandZero(0);
    sample.GasName(0, QStringLiteral("O2"));
    sample.GasEnabled(0, true);
    sample.GasPoint(0, 1);
    sample.GasUnit(0, QStringLiteral("vol%"));
    sample.Warning(0, 19.5f);
    sample.Alarm(0, 18);
    sample.Stel(0, -101);
    sample.Twa(0, 0.1f);
    sample.GasDesit(0, 0.1f);
    sample.GasFullScale(0, 25);
    sample.AutoCalib(0, 20.9f);
    WindowSettings window;
    window.graphColors = std::array<Long, 3>{1, 2, 3};
    window.dataSelect = std::array<bool, 3>{false, true, true};
    window.placement = WindowPlacement{2, 12000.5f, 9000};
    SaveIniSettings(window);
    const ModuleState saved = State();
    const clsInstrument written = SampleInstrument();

    test::ResetProgramState();
    State().StartDir = dir.path();
    WindowSettings read;
    LoadIniSettings(read);
    EXPECT_EQ(read, window);
    const ModuleState& r = State();
    EXPECT_EQ(r.ExecuteCount, 42);
    EXPECT_EQ(r.SerialLogOn, saved.SerialLogOn);
    EXPECT_EQ(r.RecordSuffix, saved.RecordSuffix);
    EXPECT_EQ(r.LinkTimeout, 7);
    EXPECT_EQ(r.LinkDelay, 250);
    EXPECT_EQ(r.LinkRetry, 5);
    EXPECT_EQ(r.LinkSettings, QString());  // written for information only
    EXPECT_EQ(r.CommPortNumber, 0);
    EXPECT_EQ((std::array{r.AutoLoadOn, r.AutoRemoveOn, r.AutoTerminateOn}), (std::array{true, false, true}));
    EXPECT_EQ(r.CommonFont, saved.CommonFont);
    EXPECT_EQ(r.GraphColors[0], saved.GraphColors[0]) << "only the first series' colour is kept in the file";
    EXPECT_EQ(r.CalibRanges, saved.CalibRanges);
    EXPECT_EQ(r.GasLockedFlags, saved.GasLockedFlags);
    EXPECT_EQ(r.FactAutoCals, saved.FactAutoCals);
    EXPECT_EQ(r.GasTable, saved.GasTable);
    EXPECT_EQ((std::array{r.CalUnitOnWaitTime, r.CalSpanOnWaitTime, r.CalSpanOffWaitTime}),
              (std::array<Integer, 3>{11, 22, 33}));
    EXPECT_EQ(r.PrintLineWidths[0], 2.5f);
    EXPECT_EQ(r.PrintLineWidths[1], 3.0f);
    EXPECT_FALSE(r.CompletelyViewOn);
    EXPECT_TRUE(r.CompletelyReadOn);
    EXPECT_EQ(r.TrendSearchBefore, -60);
    EXPECT_EQ(r.TrendSearchAfter, 90);
    EXPECT_EQ(r.LockPassword, saved.LockPassword);
    EXPECT_EQ(r.DataRoot, saved.DataRoot);

    const clsInstrument& back = SampleInstrument();
    EXPECT_EQ((std::array{back.CalLimit(), back.LcdBackLight(), back.AlarmMode(), back.Intervals(),
                          back.DispCalLimit(), back.CalCheck(), back.LogOverWrite(), back.FlowValue(), back.AlarmO2(),
                          back.AutoZero(), back.DemandZero()}),
              (std::array<Integer, 11>{180, 20, 0, 60, 1, 2, 0, 200, 0, 1, 0}));
    EXPECT_EQ(back.GasName(0), written.GasName(0));
    EXPECT_EQ(back.GasEnabled(0), true);
    EXPECT_EQ(back.GasPoint(0), 1);
    EXPECT_EQ(back.GasUnit(0), "vol%");
    EXPECT_EQ((std::array{back.Warning(0), back.Alarm(0), back.Stel(0), back.Twa(0), back.GasDesit(0),
                          back.GasFullScale(0), back.AutoCalib(0)}),
              (std::array<Single, 7>{19.5f, 18, -101, 0.1f, 0.1f, 25, 20.9f}));

    // Plain texts are written as they stand; only the characters the format would swallow are escaped.
    const QString file = QString::fromUtf8(iniBytes());
    EXPECT_TRUE(file.contains("Font\t'IPAGothic'\t10.5\tTrue\tFalse\tTrue\r\n"));
    EXPECT_TRUE(file.contains("Factory Record Suffix\tlot 7%3B batch %27B%27 100% %2527\r\n"));
    EXPECT_TRUE(file.contains("\t'vol%'\t"));
}

TEST_F(IniSettingsTest, ReaderPassesOverLinesItCannotUse) {
    StartUpDefaults();
    State().LinkRetry = 7;
    writeIni({
        "; a comment",
        "",
        "timeout\t5",                    // keys in any letter case
        " Retry\t1",                     // a blank before the key: passed over
        "Delay\tslow",                   // not numeric: the key's fallback
        "CalUnitOnWait\t2.5",            // halves to even
        "CalSpanOnWait\t3.5",
        "CalSpanOffWait\t99999",         // out of range: keeps its value
        "Trend Search\t-10\t\t20",       // two tabs count as one
        "Calib. Range\t12.5",            // read as a whole number
        "LIMITDAYS\t14",
        "Completely View\tFalse ; note", // a comment after the value leaves only the key
        "Font\t'Big'\t12\tTrue\tTrue\tTrue",
        "Auto Load Mode\tTrue\tTrue",    // too few values: the key keeps its values
        "Size Values\t2\t1e4\t50000",
        "Prt Width\t1e999\t2.5",       // too large for a double: a bad number, the fallback
        "Gas Inst\t3\t'NH3'\tTRUE\tTrue\t0\t'ppm'\t25\t50\t-1\t-1\t1\t100\t50\t30\t255",
        "Gas Inst\t1\t'CO'\tTRUE\tTrue\t0\t'ppm'\t25\t50\t99999999999999999999999999999999999999999\t-1\t1\t100\t50\t30\t255",
        "ChgGas\t2\t1\t'X'\tTRUE\tTrue\t0\t'ppm'\t1\t2\t3\t4\t5\t6\t7",
        "ChgGas\t1\t10\t'X'\tTRUE\tTrue\t0\t'ppm'\t1\t2\t3\t4\t5\t6\t7",
        "ChgGas\t1\t9\t'Ninth'\tTRUE\tTrue\t2\t'ppm'\t1\t2\t-1\t4\t5\t6\t7",
        "DefaultValue1\t90\t30\t1\t5\tTRUE\t0",
        "MT-52\t!",                      // decodes to nothing: the password stays
        "Unknown Key\t1",
        "Data Select\tTRUE\ttrue\tyes",
    });
    WindowSettings window;
    LoadIniSettings(window);
    const ModuleState& s = State();
    EXPECT_EQ(s.LinkTimeout, 5);
    EXPECT_EQ(s.LinkRetry, 7);
    EXPECT_EQ(s.LinkDelay, 100);
    EXPECT_EQ(s.CalUnitOnWaitTime, 2);
    EXPECT_EQ(s.CalSpanOnWaitTime, 4);
    EXPECT_EQ(s.CalSpanOffWaitTime, 45);
    EXPECT_EQ(s.TrendSearchBefore, -10);
    EXPECT_EQ(s.TrendSearchAfter, 20);
    EXPECT_EQ(s.CalibRanges[0], 12.0f);
    EXPECT_EQ(s.CalDueWarnDays, 14);
    EXPECT_TRUE(s.CompletelyViewOn);
    EXPECT_FALSE(s.AutoLoadOn);
    EXPECT_FALSE(s.AutoRemoveOn);
    EXPECT_EQ(window.placement, (WindowPlacement{2, 10000, 50000}));
    EXPECT_EQ(s.PrintLineWidths[0], 1.0f);
    EXPECT_EQ(s.PrintLineWidths[1], 2.5f);
    EXPECT_FALSE(window.graphColors.has_value());
    EXPECT_EQ(window.dataSelect, (std::array<bool, 3>{true, true, false}));

    // Gas number 3 sets slot 3 of the sample instrument; the gas-1-only arrays ignore it.
    const clsInstrument& sample = SampleInstrument();
    EXPECT_EQ(sample.GasName(2), "NH3");
    EXPECT_EQ(sample.Stel(2), -101.0f);
    EXPECT_EQ(sample.GasFullScale(2), 100.0f);
    EXPECT_FALSE(s.GasLockedFlags[0]);
    EXPECT_EQ(s.FactAutoCals[0], -101.0f);
    EXPECT_EQ(s.GraphColors[0], 65280);
    EXPECT_NE(sample.GasName(0), "CO");  // its out-of-range STEL drops the whole line

    EXPECT_EQ(s.GasTable[0][0].Name, "CH4");
    EXPECT_EQ(s.GasTable[0][8].Name, "Ninth");
    EXPECT_EQ(s.GasTable[0][8].Point, 2);
    EXPECT_EQ(s.GasTable[0][8].STEL, -101.0f);
    EXPECT_EQ(sample.DispCalLimit(), 1);  // "TRUE" of an older file reads as 1
    EXPECT_EQ(s.LockPassword, "jlx");

    // LIMITDAYS is read but never written.
    SaveIniSettings(window);
    EXPECT_FALSE(QString::fromUtf8(iniBytes()).toUpper().contains("LIMITDAYS"));
}

TEST_F(IniSettingsTest, MissingOrOlderFiles) {
    StartUpDefaults();
    const ModuleState before = State();
    WindowSettings window;
    LoadIniSettings(window);  // no file: nothing changes
    EXPECT_EQ(State().LinkTimeout, before.LinkTimeout);
    EXPECT_EQ(State().DataRoot, dir.path());
    EXPECT_EQ(window, WindowSettings{});

    // A file of an older program: Latin-1 text, a password line written by hand.
    writeIni({}, QByteArray("Factory Record Suffix\tCaf\xe9\r\nMT-52\t") + PassEncode(PassEncode("secret")).toLatin1() +
                     "\r\nDataLocation\t/srv/mt52\r\n");
    LoadIniSettings(window);
    EXPECT_EQ(State().RecordSuffix, QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(State().LockPassword, "secret");
    EXPECT_EQ(State().DataRoot, "/srv/mt52");
}

TEST_F(IniSettingsTest, AWindowsFileIsReadInTheCodePageOfTheInterfaceLanguage) {
    StartUpDefaults();
    struct Case {
        Language language;
        const char* codePage;
        QString path;
        QString suffix;
    } cases[] = {
        {Language::Japanese, "Shift_JIS", QStringLiteral("D:\\計測データ\\東工場"), QStringLiteral("ｶﾞｽ検知")},
        {Language::English, "windows-1252", QStringLiteral("D:\\Données\\Zürich"), QStringLiteral("\u20ac5 Caf\u00e9")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        SetInterfaceLanguage(c.language);
        QStringEncoder encode(c.codePage);
        ASSERT_TRUE(encode.isValid());
        const QByteArray bytes = encode(QStringLiteral("Factory Record Suffix\t") + c.suffix +
                                        QStringLiteral("\r\nDataLocation\t") + c.path + QStringLiteral("\r\n"));
        ASSERT_FALSE(encode.hasError());
        writeIni({}, bytes);
        WindowSettings window;
        LoadIniSettings(window);
        EXPECT_EQ(State().DataRoot, c.path);
        EXPECT_EQ(State().RecordSuffix, c.suffix);

        // Written back in UTF-8.
        SaveIniSettings(window);
        EXPECT_TRUE(iniLines().contains(QStringLiteral("DataLocation\t") + c.path));
    }
}

TEST_F(IniSettingsTest, FailedWriteIsReportedAndKeepsTheOldFile) {
    StartUpDefaults();
    State().StartDir = dir.filePath(QStringLiteral("missing"));
    EXPECT_EQ(ErrorOf([] { SaveIniSettings({}); }), ErrPathFileAccess);
    EXPECT_EQ(State().ExecuteCount, 0);

    State().StartDir = dir.path();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("MT52.ini")));  // something in the way
    try {
        SaveIniSettings({});
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrPathFileAccess);
        EXPECT_TRUE(e.description().contains("MT52.ini"));
    }
    EXPECT_TRUE(QFileInfo(IniFilePath()).isDir());
}

TEST(PassDecode, UnscramblesPairsAndItsInverseKeepsPasswords) {
    struct Case { QString in; QString out; };
    for (const Case& c : std::vector<Case>{
             {"", ""},
             {"P", ""},
             {"PLSLPM", "jlx"},
             {"PLSLPMQ", "jlx"},                  // a last character without a partner is ignored
             {"AJ", QString(QChar(4 * 16 + 11))},  // 'A' - 70 is negative: its low four bits are 11
         })
        EXPECT_EQ(PassDecode(c.in), c.out) << c.in.toStdString();
    EXPECT_EQ(ErrorOf([] { PassDecode(QStringLiteral("FA")); }), ErrInvalidArgument);  // no character below 0
    for (const QString& password : {QString(), QStringLiteral("jlx"), QStringLiteral("Marvo"), QStringLiteral("a;b'c\t日本")})
        EXPECT_EQ(PassDecode(PassDecode(PassEncode(PassEncode(password)))), password);
    EXPECT_EQ(PassEncode(QStringLiteral("jlx")), QStringLiteral("PLSLPM"));
}

TEST_F(IniSettingsTest, DefaultSettings) {
    ModuleState& s = State();
    s.DebugMode = true;
    s.PrintLineWidths = {0.5f, 150, 0};
    s.CommonFont.name = QStringLiteral("Liberation Sans");
    s.FactAutoCals[0] = -101;
    MainWindowDefaults window = SetDefaultSettings();
    EXPECT_EQ(s.DataRoot, dir.path());
    EXPECT_EQ(s.PrintLineWidths[0], 1.0f);
    EXPECT_EQ(s.PrintLineWidths[1], 1.0f);
    EXPECT_EQ(s.LockPassword, "jlx");
    EXPECT_EQ(s.CalibRanges[0], 50.0f);
    EXPECT_EQ(s.GraphColors[0], 65280);
    // Series 1 to 4 get distinct colours of their own, none black, white or series 0's green.
    for (std::size_t i = 1; i < s.GraphColors.size(); ++i) {
        EXPECT_NE(s.GraphColors[i], 0) << i;
        EXPECT_NE(s.GraphColors[i], 0xFFFFFF) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(s.GraphColors[i], s.GraphColors[j]) << i << " " << j;
    }
    EXPECT_EQ(s.DateTimeFormat, "mm/dd/yyyy hh:nn:ss");
    EXPECT_EQ(SampleInstrument().GasFullScale(0), -101.0f);  // a cleared sample gas is left alone
    EXPECT_EQ(s.FactAutoCals[0], -101.0f);
    EXPECT_EQ(window.fontButtonCaption, "Liberation Sans(9)");
    EXPECT_TRUE(window.importButtonVisible);
    EXPECT_FALSE(window.autoTerminateBoxVisible);
    EXPECT_EQ(window.lampError.fill, 254);

    // A second run keeps what the file supplied for the conditional items and resets the others.
    s.PrintLineWidths = {1, 100, 0};
    s.CalibRanges[0] = 12;
    s.CompletelyViewOn = false;
    s.CompletelyReadOn = true;
    s.CalUnitOnWaitTime = 5;
    s.GraphColors[0] = 255;
    s.DataRoot = QStringLiteral("/elsewhere");
    SampleInstrument().GasFullScale(0, 0);
    SampleInstrument().GasFullScale(4, 0);
    s.ExtendedMode = true;
    window = SetDefaultSettings();
    EXPECT_EQ(s.PrintLineWidths[0], 1.0f);
    EXPECT_EQ(s.PrintLineWidths[1], 100.0f);
    EXPECT_EQ(s.CalibRanges[0], 12.0f);
    EXPECT_TRUE(s.CompletelyViewOn);
    EXPECT_FALSE(s.CompletelyReadOn);
    EXPECT_EQ(s.CalUnitOnWaitTime, 5);
    EXPECT_EQ(s.GraphColors[0], 65280);
    EXPECT_EQ(s.DataRoot, dir.path());
    EXPECT_TRUE(window.autoTerminateBoxVisible);
    const clsInstrument& sample = SampleInstrument();
    EXPECT_EQ(sample.GasName(0), "CH4");
    EXPECT_EQ(sample.GasFullScale(0), 100.0f);
    EXPECT_EQ(sample.Stel(0), -1.0f);
    EXPECT_EQ(s.FactAutoCals[0], 50.0f);
    EXPECT_EQ(sample.GasDesit(4), 1.0f);

    // The Japanese interface's password; a stored one is kept.
    test::ResetProgramState();
    SetInterfaceLanguage(Language::Japanese);
    SetDefaultSettings();
    EXPECT_EQ(State().LockPassword, "Marvo");
    State().LockPassword = QStringLiteral("mine");
    SetDefaultSettings();
    EXPECT_EQ(State().LockPassword, "mine");
}

}  // namespace
}  // namespace mt52
