// The main window's life cycle: load with its database lock and port, texts, the close rules.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "main_window/DatabaseLockFile.h"
#include "main_window/IniSettings.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/CaptionFit.h"
#include "main_window/gui/frmMain.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"
#include "platform/gui/ShapeControl.h"
#include "support/ColumnTexts.h"
#include "support/FakeDialogs.h"
#include "support/Files.h"
#include "support/ProgramFolder.h"
#include "support/StubWindowLink.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// The link control as the window sees it, recording what the window does with it.
class FakeLink final : public test::StubWindowLink {
public:
    QStringList calls;
    QStringList log;
    bool portOpens = true;  // whether a port opened by PortOpen(true) really opens
    bool open = false;
    bool waiting = false;
    bool timerEnabled = true;
    int aborts = 0;

    void Retry(Integer v) override { calls << QStringLiteral("Retry=%1").arg(v); }
    void Timeout(Integer v) override { calls << QStringLiteral("Timeout=%1").arg(v); }
    void SerialComm(bool v) override { calls << QStringLiteral("SerialComm=%1").arg(v); }
    void CommPort(Integer v) override { calls << QStringLiteral("CommPort=%1").arg(v); }
    void RTSEnable(bool v) override { calls << QStringLiteral("RTSEnable=%1").arg(v); }
    void DTREnable(bool v) override { calls << QStringLiteral("DTREnable=%1").arg(v); }
    void Handshaking(Integer v) override { calls << QStringLiteral("Handshaking=%1").arg(v); }
    void Settings(const QString& v) override { calls << QStringLiteral("Settings=%1").arg(v); }
    void PortOpen(bool v) override {
        calls << QStringLiteral("PortOpen=%1").arg(v);
        open = v && portOpens;
    }
    bool PortOpen() const override { return open; }
    void TimerEnabled(bool v) override { timerEnabled = v; }
    void AddLog(const QString& text) override { log << text; }
    void AddDatedLog(int textId) override { log << GetResText(textId, {GeneralDate(Now())}); }
    Long Status() const override { return waiting ? 4 : 0; }
    bool Waiting() const override { return waiting; }
    void AbortWait() override {
        ++aborts;
        waiting = false;
    }
};

class RecordingPages final : public InstrumentPages, public StoredDataPages {
public:
    QStringList* clicks;
    explicit RecordingPages(QStringList* c) : clicks(c) {}
    void cmdInst_Click(Integer i) override { *clicks << QStringLiteral("cmdInst %1").arg(i); }
    void chkAutoLoad_Click(Integer i) override { *clicks << QStringLiteral("chkAutoLoad %1").arg(i); }
    void ShowInstrumentSettings() override {}
    void optHistory_Click(Integer i) override { *clicks << QStringLiteral("optHistory %1").arg(i); }
};

class MainWindowTest : public test::ProgramFolderTest {
protected:

    // Services as the program has them, with the link, the port search, the settings file and
    // the names of this computer replaced.
    frmMainServices Services() {
        frmMainServices s = frmMainServices::Defaults();
        s.LoadIniSettings = [this](WindowSettings& window) {
            ++iniReads;
            LoadIniSettings(window);
            if (settingsFile)
                settingsFile();
        };
        s.SaveIniSettings = [this](const WindowSettings& window) {
            ++iniWrites;
            SaveIniSettings(window);
        };
        s.SelectCommPort = [this] { State().CommPortNumber = port; };
        s.CreateLink = [this](frmMain&) {
            auto fake = std::make_unique<FakeLink>();
            link = fake.get();
            return fake;
        };
        s.LockHolderNames = [] { return LockHolder{"PC-LAB", "suzuki"}; };
        return s;
    }

    std::unique_ptr<frmMain> Loaded(bool* loaded = nullptr) {
        auto window = std::make_unique<frmMain>(Services());
        const bool ok = window->Form_Load();
        if (loaded != nullptr)
            *loaded = ok;
        return window;
    }

    QString LockPath() const { return dir.filePath("MT52.LCK"); }
    QByteArray LockContent() const {
        QFile f(LockPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    test::FakeDialogs dialogs;
    FakeLink* link = nullptr;
    Integer port = 0;
    int iniReads = 0;
    int iniWrites = 0;
    // What the settings file supplies, applied after it has been read.
    std::function<void()> settingsFile;
};

TEST_F(MainWindowTest, LoadsOnAFreshDataFolderAndIdlesOnTheDownloadPage) {
    bool loaded = false;
    auto window = Loaded(&loaded);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.mdb")));
    EXPECT_TRUE(QDir(dir.filePath("Data")).exists());
    EXPECT_EQ(LockContent(), QByteArray("PC-LAB\r\nsuzuki\r\n"));
    EXPECT_EQ(iniReads, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    // The load's constants, the link's settings and the gas-type table.
    EXPECT_EQ(State().LinkSettings, "921600,n,8,1");
    EXPECT_EQ(State().TrendSearchBefore, -30);
    EXPECT_EQ(State().TrendSearchAfter, 45);
    EXPECT_EQ(State().FactAutoCals[0], -101.0f);
    EXPECT_EQ(State().GasTable[0][1].Name, "HC ");
    EXPECT_EQ(State().GasTable[0][0].Unit, "%LEL");
    EXPECT_TRUE(link->calls.contains("Retry=3"));
    EXPECT_TRUE(link->calls.contains("Timeout=3"));
    // The window's part of the default settings.
    EXPECT_TRUE(window->tmrInter->isActive());
    EXPECT_EQ(window->Download().shpStatus[0]->FillColor(), 0x00FF00);
    EXPECT_EQ(window->Download().shpStatus[1]->FillColor(), 0xA0A0A0);
    EXPECT_TRUE(window->Download().shpStatus[2]->isHidden());
    EXPECT_TRUE(window->Download().cmdInportDat->isHidden()) << "debug mode only";
    EXPECT_TRUE(window->Download().chkAutoLoad[2]->isHidden()) << "extended mode only";
    EXPECT_FALSE(window->Option().cmdOption[0]->isEnabled());
    EXPECT_TRUE(window->History().optHistory[0]->isChecked());
    EXPECT_EQ(window->Option().cmdOptionDisp[0]->text(), State().CommonFont.name + "(9)");

    window->Form_Activate();
    EXPECT_FALSE(window->FirstActivation);
    EXPECT_FALSE(window->fraMenu[0]->isHidden());
    for (int i = 1; i < 6; ++i)
        EXPECT_TRUE(window->fraMenu[i]->isHidden()) << i;
    ASSERT_EQ(link->log.size(), 1);
    EXPECT_TRUE(link->log[0].startsWith("Serial Port Standby. Date = "));
    EXPECT_TRUE(window->cmdInst[1]->isHidden());
    EXPECT_TRUE(window->cmdInst[3]->isHidden());
}

TEST_F(MainWindowTest, TheMenuShowsOnePageAtATime) {
    auto window = Loaded();
    window->show();
    struct Case { int button; int page; };
    for (const Case c : {Case{4, 5}, Case{2, 2}, Case{3, 4}, Case{0, 0}}) {
        window->cmdInst[c.button]->click();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(window->fraMenu[i]->isHidden(), i != c.page) << "button " << c.button << " page " << i;
    }
}

TEST_F(MainWindowTest, ASecondCopyIsRefusedWhileTheFirstHoldsTheLockAndStartsOnceItHasGone) {
    QFile stale(LockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("OLD-PC\r\nghost\r\n");
    stale.close();

    // A lock file left behind by a copy that died refuses nothing.
    bool loaded = false;
    auto first = Loaded(&loaded);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(LockContent(), QByteArray("PC-LAB\r\nsuzuki\r\n"));

    // The second copy gets its own open file of the lock, as another program would.
    auto second = std::make_unique<frmMain>([&] {
        frmMainServices s = Services();
        s.LockHolderNames = [] { return LockHolder{"PC-OTHER", "tanaka"}; };
        return s;
    }());
    EXPECT_FALSE(second->Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "A data base is being used for suzuki on PC-LAB.");
    EXPECT_EQ(LockContent(), QByteArray("PC-LAB\r\nsuzuki\r\n"));
    second.reset();

    // The first copy closes; now the next one starts.
    dialogs.answers = {vbYes};
    first->close();
    EXPECT_FALSE(QFile::exists(LockPath()));
    auto third = Loaded(&loaded);
    EXPECT_TRUE(loaded);
    EXPECT_NE(third->DatabaseLock(), nullptr);
}

TEST_F(MainWindowTest, AFolderWithoutRoomForTheLockIsReportedAndTheWindowStillLoads) {
    settingsFile = [this] { State().DataRoot = dir.filePath("missing"); };
    frmMain window(Services());
    EXPECT_TRUE(window.Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(dialogs.shown[0].text.contains("is being used"));
    EXPECT_EQ(window.DatabaseLock(), nullptr);
}

TEST_F(MainWindowTest, OpensTheAdapterPortOrTheInfraredLine) {
    struct Case {
        Integer port;
        bool opens;
        bool result;
        QStringList calls;
        bool redLine;
    };
    const QStringList serial = {"SerialComm=1", "CommPort=7", "RTSEnable=1", "DTREnable=1", "Handshaking=2",
                                "Settings=921600,n,8,1", "PortOpen=1"};
    const Case cases[] = {
        {0, true, false, {"SerialComm=0", "PortOpen=1"}, false},
        {7, true, true, serial, false},
        {7, false, true, serial, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        port = c.port;
        auto window = Loaded();
        link->calls.clear();
        link->portOpens = c.opens;
        link->open = false;
        window->Download().rtbLog->clear();
        EXPECT_EQ(window->OpenInstrumentPort(), c.result);
        EXPECT_EQ(link->calls, c.calls);
        EXPECT_EQ(window->Download().rtbLog->toPlainText().contains("Communication Ports Error. Restart this program."),
                  c.redLine);
        window->Form_Unload();
    }
}

TEST_F(MainWindowTest, TheAutomaticModeBoxesFollowTheSettingsWithoutActing) {
    QStringList clicks;
    settingsFile = [] {
        State().AutoLoadOn = false;
        State().AutoRemoveOn = true;
    };
    frmMain window(Services());
    window.SetInstrumentPages(std::make_unique<RecordingPages>(&clicks));
    window.SetStoredDataPages(std::make_unique<RecordingPages>(&clicks));
    ASSERT_TRUE(window.Form_Load());
    EXPECT_FALSE(window.Download().chkAutoLoad[0]->isChecked());
    EXPECT_TRUE(window.Download().chkAutoLoad[1]->isChecked());
    EXPECT_FALSE(window.Download().chkAutoLoad[1]->isEnabled());
    EXPECT_FALSE(window.Download().chkAutoLoad[2]->isEnabled());
    EXPECT_TRUE(window.Flags().AutoLoadClicksEnabled);

    // The history choice reaches its handler before the first activation too (which fills
    // nothing then, but sets the Print button).
    window.History().optHistory[1]->setChecked(true);
    EXPECT_EQ(clicks, (QStringList{"optHistory 0", "optHistory 1"}));  // the load's choice, then this one
    window.Form_Activate();
    window.Download().chkAutoLoad[0]->click();
    window.History().optHistory[2]->setChecked(true);
    window.cmdInst[2]->click();
    EXPECT_EQ(clicks, (QStringList{"optHistory 0", "optHistory 1", "chkAutoLoad 0", "optHistory 2", "cmdInst 2"}));
}

TEST_F(MainWindowTest, ClosingAsksAndRefusesWhileExitIsDisabled) {
    auto window = Loaded();
    window->show();
    window->tmrInter->start();

    for (int answer : {vbYes, vbNo}) {
        window->cmdInst[5]->setEnabled(false);
        dialogs.answers = {answer};
        EXPECT_FALSE(window->close());
        EXPECT_EQ(dialogs.lastText(), "End ?");
        EXPECT_EQ(dialogs.shown.back().style, vbYesNo | vbQuestion);
        EXPECT_TRUE(window->tmrInter->isActive());
        EXPECT_TRUE(QFile::exists(LockPath()));
    }

    window->cmdInst[5]->setEnabled(true);
    dialogs.answers = {vbNo};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(iniWrites, 0);

    dialogs.answers = {vbYes};
    window->cmdInst[5]->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->tmrInter->isActive());
    EXPECT_FALSE(link->timerEnabled);
    EXPECT_EQ(iniWrites, 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.ini")));
    EXPECT_FALSE(QFile::exists(LockPath()));
    EXPECT_EQ(State().LockFileNumber, 0);
}

TEST_F(MainWindowTest, TheSavedWindowSizeComesBackUnchangedRunAfterRun) {
    // The second run sizes itself to the screen; from then on the size is the one saved (one
    // that fits the screen: a larger one is brought onto it).
    const QSize chosen(780, 640);
    for (int run = 0; run < 4; ++run) {
        auto window = Loaded();
        window->show();
        if (run == 1) {
            window->resize(chosen);
        } else if (run > 1) {
            EXPECT_EQ(window->size(), chosen) << "run " << run;
        }
        dialogs.answers = {vbYes};
        window->cmdInst[5]->click();
        ASSERT_FALSE(window->isVisible());
    }
}

TEST_F(MainWindowTest, UnloadSavesTheDisplaySettingsAndAFailedWriteStillFreesTheLock) {
    auto window = Loaded();
    QFont font = window->Option().cmdOptionDisp[0]->font();
    font.setFamily("Liberation Serif");
    font.setPointSizeF(12);
    font.setBold(true);
    window->Option().cmdOptionDisp[0]->setFont(font);
    QPalette palette = window->Option().cmdOptionDisp[1]->palette();
    palette.setColor(QPalette::Button, QColor(0, 0, 255));
    window->Option().cmdOptionDisp[1]->setPalette(palette);
    // A folder where the settings file should be: the file cannot be written.
    ASSERT_TRUE(QDir(dir.path()).mkdir("MT52.ini"));

    window->Form_Unload();
    EXPECT_EQ(State().CommonFont.name, "Liberation Serif");
    EXPECT_EQ(State().CommonFont.size, 12.0);
    EXPECT_TRUE(State().CommonFont.bold);
    EXPECT_EQ(State().GraphColors[0], 0xFF0000);
    EXPECT_EQ(iniWrites, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.lastText().contains("MT52.ini"));
    EXPECT_FALSE(QFile::exists(LockPath()));
}

TEST_F(MainWindowTest, ACloseDuringAWaitEndsTheWaitAndClosesOnceItHasUnwound) {
    auto window = Loaded();
    window->show();
    link->waiting = true;
    dialogs.answers = {vbYes};
    QTimer::singleShot(0, window.get(), [&] { window->close(); });
    // A page's transfer: wait while the link waits, yielding to the message loop.
    for (int spins = 0; link->waiting && spins < 1000; ++spins)
        DoEvents(0);
    EXPECT_FALSE(link->waiting);
    EXPECT_EQ(link->aborts, 1);
    // The handler that waited comes back to an open window; the close follows afterwards.
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->ClosePending());

    // The close follows on a timer once nothing waits below it: give it up to two seconds.
    for (int spins = 0; window->isVisible() && spins < 200; ++spins)
        QTest::qWait(10);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(iniWrites, 1);
    EXPECT_FALSE(QFile::exists(LockPath()));
    EXPECT_EQ(dialogs.shown.size(), 1u) << "asked once";
}

TEST_F(MainWindowTest, AutomaticTerminationEndsWithoutSaving) {
    auto window = Loaded();
    window->show();
    window->Terminate();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(iniWrites, 0);
    EXPECT_FALSE(link->timerEnabled);
    window.reset();
    EXPECT_FALSE(QFile::exists(LockPath())) << "the lock goes with the window";
}

TEST_F(MainWindowTest, CaptionsComeFromTheTableOfTheInterfaceLanguage) {
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        SampleInstrument().GasName(0, "CO");
        auto window = Loaded();
        if (language == Language::Japanese) {
            EXPECT_EQ(window->windowTitle(), "MT-52  - データロガー管理プログラム [P.No.07312]");
            EXPECT_NE(window->cmdInst[5]->text(), "Exit");
        } else {
            EXPECT_EQ(window->windowTitle(), "MT-52  - Data Logger Management Program [P.No.07313]");
        }
        EXPECT_EQ(window->cmdInst[5]->text(), GetResText(5007));
        EXPECT_EQ(window->fraMenu[5]->title(), GetResText(5201));
        EXPECT_EQ(window->DataView().chkBrowse[0]->text(), "CO");
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(window->Option().cmdOptionDisp[i]->text(), GetResText(5204));
        EXPECT_EQ(window->Option().vfgCal->Model().Cols(), 3);
        EXPECT_EQ(window->Option().vfgCal->Model().TextMatrix(0, 0) + "|" + window->Option().vfgCal->Model().TextMatrix(0, 1) + "|" +
                      window->Option().vfgCal->Model().TextMatrix(0, 2),
                  GetResText(5217));
        EXPECT_EQ(window->Option().cmdOptionDisp[6]->text(), "FRAM DUMP");
        window->Form_Unload();
    }
    SetInterfaceLanguage(Language::English);
    EXPECT_EQ(GetResText(5007), "Exit");
    EXPECT_EQ(GetResText(5204), "Graph Color");
}

TEST_F(MainWindowTest, FirstRunSizesTheWindowToTheScreenAndEveryRunCentresIt) {
    settingsFile = [] { State().ExecuteCount = 1; };
    frmMain window(Services());
    ASSERT_TRUE(window.Form_Load());
    const QRect screen = window.screen()->geometry();
    const int expectedWidth = std::max(qRound(0.8 * screen.width()), 776);
    const int expectedHeight = std::max(qRound(0.6 * screen.height()), 550);
    EXPECT_NEAR(window.width(), expectedWidth, 1);
    EXPECT_NEAR(window.height(), expectedHeight, 1);
    EXPECT_NEAR(window.x(), (screen.width() - window.width()) / 2, 1);
    EXPECT_NEAR(window.y(), (screen.height() - window.height()) / 2, 1);
    window.Form_Unload();
}

TEST_F(MainWindowTest, ASmallOrBadSavedSizeIsRaisedToTheMinimumBeforeTheWindowIsCentred) {
    for (const char* sizeLine : {"Size Values\t0\tabc\tdef", "Size Values\t0\t3000\t2000"}) {
        SCOPED_TRACE(sizeLine);
        QFile ini(dir.filePath("MT52.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QByteArray("Execute Count\t5\r\n") + sizeLine + "\r\n");
        ini.close();
        frmMain window(Services());
        ASSERT_TRUE(window.Form_Load());
        const QRect screen = window.screen()->geometry();
        EXPECT_GE(window.width(), TwipsToPixels(11640) - 1);
        EXPECT_GE(window.height(), TwipsToPixels(8250) - 1);
        EXPECT_NEAR(window.x(), (screen.width() - window.width()) / 2, 1);
        EXPECT_NEAR(window.y(), (screen.height() - window.height()) / 2, 1);
        window.show();
        EXPECT_GE(window.frameGeometry().left(), screen.left());
        EXPECT_GE(window.frameGeometry().top(), screen.top());
        window.Form_Unload();
    }
}

TEST_F(MainWindowTest, SettingsLinesThatWouldHideTheWindowOrItsTextsAreMadeSoundAndWrittenBackSound) {
    struct Case {
        const char* line;
        bool maximised;
    };
    for (const Case& c : {Case{"Size Values\t0\t99999999\t99999999", false},
                          Case{"Size Values\t2\t99999999\t-100", true},
                          Case{"Size Values\t0\t-5\t1e30", false},
                          Case{"Font\t'Sans'\t99999\tFalse\tFalse\tFalse", false},
                          Case{"Font\t'Sans'\t0.5\tFalse\tFalse\tFalse", false},
                          Case{"Font\t'Sans'\t-12\tFalse\tFalse\tFalse", false}}) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(test::WriteFile(dir.filePath("MT52.ini"), QByteArray("Execute Count\t5\r\n") + c.line + "\r\n"));
        {
            frmMain window(Services());
            ASSERT_TRUE(window.Form_Load());
            window.show();
            const QRect area = window.screen()->availableGeometry();
            const QRect normal = window.isMaximized() ? window.normalGeometry() : window.frameGeometry();
            if (window.isMaximized() != c.maximised) {
                EXPECT_FALSE(window.isMaximized()) << "a window manager may refuse the maximised state, never add it";
            }
            EXPECT_GE(normal.width(), TwipsToPixels(11640) - 1);
            EXPECT_GE(normal.height(), TwipsToPixels(8250) - 1);
            if (!window.isMaximized()) {
                EXPECT_TRUE(area.contains(window.frameGeometry()))
                    << window.frameGeometry().x() << "," << window.frameGeometry().y() << " " << window.frameGeometry().width()
                    << "x" << window.frameGeometry().height() << " in " << area.width() << "x" << area.height();
            }
            EXPECT_GE(State().CommonFont.size, 6.0f);
            EXPECT_LE(State().CommonFont.size, 72.0f);
            window.Form_Unload();
        }
        // What the exit wrote reads back as a window on the screen and the default font size.
        WindowSettings saved;
        LoadIniSettings(saved);
        ASSERT_TRUE(saved.placement.has_value());
        EXPECT_LE(TwipsToPixels(saved.placement->width), QGuiApplication::primaryScreen()->availableGeometry().width());
        EXPECT_LE(TwipsToPixels(saved.placement->height), QGuiApplication::primaryScreen()->availableGeometry().height());
        EXPECT_EQ(State().CommonFont.size, 9.0f);
    }
}

TEST_F(MainWindowTest, ThePreviousSerialLogIsGoneAfterStartUp) {
    for (bool keepGenerations : {true, false}) {
        SCOPED_TRACE(keepGenerations);
        QFile::remove(dir.filePath("SerialLog1.log"));
        QFile log(dir.filePath("SerialLog.log"));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.write("12:00:00 W : x\r\n");
        log.close();
        settingsFile = [keepGenerations] { State().SerialLogOn = keepGenerations; };
        frmMain window(Services());
        ASSERT_TRUE(window.Form_Load());
        EXPECT_FALSE(QFile::exists(dir.filePath("SerialLog.log")));
        EXPECT_EQ(QFile::exists(dir.filePath("SerialLog1.log")), keepGenerations);
        window.Form_Unload();
    }
}

}  // namespace
}  // namespace mt52

namespace mt52 {
namespace {

class RecordingInstrumentPages final : public InstrumentPages {
public:
    int refreshes = 0;
    void cmdInst_Click(Integer) override {}
    void chkAutoLoad_Click(Integer) override {}
    void ShowInstrumentSettings() override { ++refreshes; }
};

TEST_F(MainWindowTest, DisplayButtonsChooseTheFontAndTheGraphColours) {
    auto window = Loaded();
    QPushButton* fontButton = window->Option().cmdOptionDisp[0];
    const QString caption = fontButton->text();
    const FontSpec before = State().CommonFont;

    dialogs.fonts = {std::nullopt};  // cancelled: nothing changes
    window->cmdOptionDisp_Click(0);
    EXPECT_EQ(fontButton->text(), caption);
    EXPECT_EQ(State().CommonFont, before);

    FontSpec chosen = before;
    chosen.name = "Liberation Serif";
    chosen.size = 12;
    chosen.bold = true;
    dialogs.fonts = {chosen};
    window->cmdOptionDisp_Click(0);
    // The caption is fitted to the button in its new font at once, so it may show shortened.
    EXPECT_EQ(FullCaption(fontButton), "Liberation Serif(12)");
    EXPECT_TRUE(fontButton->font().bold());
    EXPECT_EQ(State().CommonFont.name, "Liberation Serif");
    EXPECT_EQ(State().CommonFont.size, 12);
    EXPECT_TRUE(State().CommonFont.bold);
    // The other controls keep their font until the next start.
    EXPECT_FALSE(window->Option().cmdOptionDisp[5]->font().bold());

    // The default settings put the common font back to 9 points while the button keeps its
    // font: a cancelled dialog hands the common font it was given to the button and caption.
    window->SetDefaultSettings();
    dialogs.fonts = {std::nullopt};
    window->cmdOptionDisp_Click(0);
    EXPECT_EQ(fontButton->font().pointSizeF(), 9);
    EXPECT_EQ(FullCaption(fontButton), "Liberation Serif(9)");
    EXPECT_EQ(State().CommonFont.size, 9);
    EXPECT_TRUE(State().CommonFont.bold);

    const Long firstGas = State().GraphColors[0];
    dialogs.colors = {0x123456};
    window->cmdOptionDisp_Click(3);
    EXPECT_EQ(FromQColor(window->Option().cmdOptionDisp[3]->palette().color(QPalette::Button)), 0x123456);
    EXPECT_EQ(window->ValueColor(3), 0x123456);
    EXPECT_EQ(State().GraphColors[0], firstGas) << "only the first gas's colour is kept";

    dialogs.colors = {0x0000FF};
    window->cmdOptionDisp_Click(1);
    EXPECT_EQ(window->ValueColor(1), 0x0000FF);
    EXPECT_EQ(State().GraphColors[0], 0x0000FF);

    dialogs.colors = {std::nullopt};
    window->cmdOptionDisp_Click(1);
    EXPECT_EQ(State().GraphColors[0], 0x0000FF);
    // A cancelled colour dialog keeps the button's colour, and the graph takes it for the series.
    dialogs.colors = {std::nullopt};
    window->cmdOptionDisp_Click(2);
    const Long designColour = FromQColor(window->Option().cmdOptionDisp[2]->palette().color(QPalette::Button));
    EXPECT_NE(designColour, 0);
    EXPECT_EQ(window->ValueColor(2), designColour);
    window->cmdOptionDisp_Click(7);  // no such button
    window->Form_Unload();
}

TEST_F(MainWindowTest, DetailSettingsRunOnTheCurrentInstrumentAndRefreshTheOptionPage) {
    frmMainServices services = Services();
    clsInstrument* shown = nullptr;
    services.ShowDetailSettings = [&](QWidget*, clsInstrument& instrument) { shown = &instrument; };
    frmMain window(services);
    ASSERT_TRUE(window.Form_Load());
    auto pages = std::make_unique<RecordingInstrumentPages>();
    RecordingInstrumentPages* recorded = pages.get();
    window.SetInstrumentPages(std::move(pages));
    window.cmdOptionDisp_Click(5);
    EXPECT_EQ(shown, &window.CurrentInstrument());
    EXPECT_EQ(recorded->refreshes, 1);
    window.Form_Unload();
}

TEST_F(MainWindowTest, ASerialLogThatCannotMoveIsReportedAndThePreviousLogKept) {
    for (int n : {0, 8}) {
        QFile log(dir.filePath(n == 0 ? QString("SerialLog.log") : QString("SerialLog%1.log").arg(n)));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkpath("SerialLog9.log/inside"));
    settingsFile = [] { State().SerialLogOn = true; };
    auto window = Loaded();
    EXPECT_TRUE(QFile::exists(dir.filePath("SerialLog.log")));
    EXPECT_TRUE(QFile::exists(dir.filePath("SerialLog8.log")));
    const QString text = window->Download().rtbLog->toPlainText();
    EXPECT_TRUE(text.contains(dir.filePath("SerialLog9.log"))) << text.toStdString();
    window->Form_Unload();
}

// Every caption of every page, in both languages, at the default font and at a large bold one:
// drawn whole inside its own control and clear of every other control of the page; and every
// column of the pages' grids and lists shows its texts whole where its grid has room.
TEST_F(MainWindowTest, NoCaptionIsCutOrCoveredInEitherLanguageAtTheDefaultOrALargeFont) {
    for (Language language : {Language::English, Language::Japanese}) {
        for (const auto& [size, bold] : {std::pair{9.0f, false}, std::pair{10.5f, true}}) {
            SetInterfaceLanguage(language);
            settingsFile = [size, bold] {
                State().CommonFont.size = size;
                State().CommonFont.bold = bold;
            };
            auto window = Loaded();
            window->show();
            window->Form_Activate();
            for (int page = 0; page < 6; ++page) {
                for (int i = 0; i < 6; ++i)
                    window->fraMenu[i]->setVisible(i == page);
                window->Form_Resize();
                QGroupBox* frame = window->fraMenu[page];
                const auto controls = frame->findChildren<QWidget*>();
                for (QWidget* control : controls) {
                    const QRect caption = CaptionRect(control);
                    if (!control->isVisibleTo(frame) || caption.isEmpty())
                        continue;
                    const std::string name = control->objectName().toStdString() + " (" +
                                             FullCaption(control).toStdString() + ", " +
                                             (language == Language::Japanese ? "ja " : "en ") + std::to_string(size) + ")";
                    EXPECT_TRUE(control->rect().contains(caption)) << name << " is cut";
                    const QRect onPage = caption.translated(control->mapTo(frame, QPoint(0, 0)));
                    for (QWidget* other : controls) {
                        if (other == control || !other->isVisibleTo(frame) || other->isAncestorOf(control) ||
                            control->isAncestorOf(other))
                            continue;
                        const QRect otherOnPage(other->mapTo(frame, QPoint(0, 0)), other->size());
                        EXPECT_FALSE(onPage.intersects(otherOnPage)) << name << " is covered by " << other->objectName().toStdString();
                    }
                }
                for (const std::string& cut : test::CutColumnTexts(frame))
                    ADD_FAILURE() << cut << (language == Language::Japanese ? " (ja " : " (en ") << size << ")";
            }
            window->Form_Unload();
        }
    }
}

// The font button right after a large font is chosen, before any new layout: its caption in the
// new font is drawn whole inside the button, which grows into the room beside it or shortens it.
TEST_F(MainWindowTest, TheFontButtonFitsItsCaptionInTheFontJustChosen) {
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        auto window = Loaded();
        window->show();
        window->Form_Activate();
        for (int i = 0; i < 6; ++i)
            window->fraMenu[i]->setVisible(i == 5);
        window->Form_Resize();
        QPushButton* button = window->Option().cmdOptionDisp[0];
        const int designWidth = button->width();
        FontSpec large = State().CommonFont;
        large.size = 16;
        dialogs.fonts = {large};
        window->cmdOptionDisp_Click(0);
        EXPECT_EQ(FullCaption(button), QStringLiteral("%1(16)").arg(large.name));
        EXPECT_TRUE(button->rect().contains(CaptionRect(button))) << button->text().toStdString();
        EXPECT_GE(button->width(), designWidth);
        if (button->text() != FullCaption(button)) {
            EXPECT_EQ(button->toolTip(), FullCaption(button));
        }
        window->Form_Unload();
    }
}

// Every page at the minimum and at a large size: the visible controls placed on the page lie
// inside it and apart from each other, as drawn (real fonts, labels sized to their text).
TEST_F(MainWindowTest, EveryPageFitsItsFrameAtTheMinimumAndALargeSize) {
    auto window = Loaded();
    window->Form_Activate();
    for (const QSize size : {QSize(1, 1), QSize(1920, 1080)}) {
        window->resize(size);
        for (int page = 0; page < 6; ++page) {
            for (int i = 0; i < 6; ++i)
                window->fraMenu[i]->setVisible(i == page);
            window->Form_Resize();
            QGroupBox* frame = window->fraMenu[page];
            std::vector<QWidget*> placed;
            for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->isHidden())
                    continue;
                const QRect r = child->geometry();
                const std::string name = child->objectName().toStdString() + " at " + std::to_string(size.width());
                EXPECT_TRUE(frame->rect().contains(r)) << name;
                for (QWidget* other : placed)
                    EXPECT_FALSE(r.intersects(other->geometry())) << name << " overlaps " << other->objectName().toStdString();
                placed.push_back(child);
            }
        }
    }
    EXPECT_GE(window->width() * 15, 11640 - 15);
    window->Form_Unload();
}

// A size change while minimised lays nothing out; restoring the window lays it out for the
// size it has then.
TEST_F(MainWindowTest, RestoringFromMinimisedLaysTheWindowOutAgain) {
    auto window = Loaded();
    window->show();
    window->Form_Activate();
    const QRect page = window->fraMenu[0]->geometry();
    window->showMinimized();
    window->resize(1600, 1000);
    EXPECT_EQ(window->fraMenu[0]->geometry(), page);
    window->showNormal();
    EXPECT_EQ(window->fraMenu[0]->width(), TwipsToPixels(PixelsToTwips(1600) * 0.88 - 240));
    EXPECT_EQ(window->cmdInst[5]->geometry().bottom() + 1, TwipsToPixels(PixelsToTwips(1000) - 300));
    window->Form_Unload();
}

}  // namespace
}  // namespace mt52

namespace mt52 {
namespace {

// A page whose menu click fails the way an untrapped error in any handler does.
class FailingPages final : public InstrumentPages {
public:
    std::function<void()> fail;
    void cmdInst_Click(Integer) override { fail(); }
    void chkAutoLoad_Click(Integer) override {}
    void ShowInstrumentSettings() override {}
};

TEST_F(MainWindowTest, AnUntrappedErrorInAClickHandlerIsShownAndTheWindowStaysOpen) {
    struct Case {
        std::function<void()> fail;
        QString text;
    };
    const Case cases[] = {
        {[] { Raise(ErrTypeMismatch); }, "Error 13: Type mismatch"},
        {[] { throw std::runtime_error("disk full"); }, "disk full"},
    };
    auto window = Loaded();
    window->show();
    auto pages = std::make_unique<FailingPages>();
    FailingPages* failing = pages.get();
    window->SetInstrumentPages(std::move(pages));
    for (const Case& c : cases) {
        dialogs.shown.clear();
        failing->fail = c.fail;
        // A real click: the press and release are delivered through the application object.
        QTest::mouseClick(window->cmdInst[2], Qt::LeftButton);
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(dialogs.shown[0].text, c.text);
        EXPECT_EQ(dialogs.shown[0].style, vbOKOnly | vbCritical);
        EXPECT_TRUE(window->isVisible());
    }
    // The window still answers its menu after the failures.
    failing->fail = [&] { window->ShowPage(4); };
    QTest::mouseClick(window->cmdInst[2], Qt::LeftButton);
    EXPECT_FALSE(window->fraMenu[5]->isHidden());
    window->Form_Unload();
}

}  // namespace
}  // namespace mt52
