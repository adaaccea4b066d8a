#include "common/CommandLineSwitches.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/SplashLayout.h"
#include "common/gui/frmOpen.h"
#include "platform/EventLoop.h"
#include "platform/SingleInstanceLock.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include <QDir>
#include <QFrame>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(CommandLineSwitches, FoundInAnyCaseAnywhere) {
    struct Case {
        const char* line;
        bool debug;
        bool extended;
    };
    for (const Case& c : std::vector<Case>{{"", false, false},
                                           {"-DEBUG", true, false},
                                           {"/x -Debugging", true, false},
                                           {"file-debug.txt", true, false},
                                           {"-520", false, true},
                                           {"-5 2", false, false},
                                           {"-debug -52", true, true},
                                           {"DEBUG 52", false, false}}) {
        const CommandLineSwitches s = ReadCommandLineSwitches(QString::fromLatin1(c.line));
        EXPECT_EQ(s.debug, c.debug) << c.line;
        EXPECT_EQ(s.extended, c.extended) << c.line;
    }
    // The program's own name is not part of the command line.
    EXPECT_EQ(CommandLineText({QStringLiteral("/opt/mt-52/mt52"), QStringLiteral("a"), QStringLiteral("b")}),
              QStringLiteral("a b"));
}

TEST(SplashLayout, FollowsTheLabelSizes) {
    SplashLayoutInput in;
    in.title = {3000, 420};
    in.tm = {300, 270};
    in.pcs = {1800, 345};
    in.version = {1650, 345};
    in.company = {6000, 345};
    in.notice = {4500, 225};
    in.screen = {19200, 14400};
    const SplashLayout l = LayoutSplash(in);

    // Window: maker's line + picture (120 px) + 360 wide; title + picture (180 px) + 450 high.
    EXPECT_EQ(l.window, (TwipRect{(19200 - 8160) / 2, (14400 - 3570) / 2, 8160, 3570}));
    EXPECT_EQ(l.fraOpen, (TwipRect{60, 0, 8040, 3450}));
    EXPECT_EQ(l.imgSplash, (TwipRect{20, 670, 1800, 2700}));
    EXPECT_EQ(l.lblTitle, (TwipRect{240, 240, 3000, 420}));
    EXPECT_EQ(l.lblTM, (TwipRect{3360, 240, 300, 270}));
    EXPECT_EQ(l.lblBorder[0], (TwipRect{120, 720, 7800, 15}));
    EXPECT_EQ(l.lblBorder[1], (TwipRect{120, 735, 7800, 15}));
    EXPECT_EQ(l.lblPCs, (TwipRect{6120, 720, 1800, 345}));
    EXPECT_EQ(l.lblVersion, (TwipRect{6270, 1185, 1650, 345}));
    EXPECT_EQ(l.lblNotice, (TwipRect{3420, 3105, 4500, 225}));
    EXPECT_EQ(l.lblCompany, (TwipRect{1920, 2640, 6000, 345}));

    // A window frame narrows the inside; other twips per pixel change the picture.
    in.windowFrame = {90, 480};
    in.twipsPerPixelX = 12;
    const SplashLayout framed = LayoutSplash(in);
    EXPECT_EQ(framed.window.width, 6000 + 1440 + 360);
    EXPECT_EQ(framed.fraOpen, (TwipRect{60, 0, 7800 - 90 - 120, 3570 - 480 - 120}));
}

class StartupForm : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        previousDir_ = QDir::currentPath();
    }
    void TearDown() override {
        QDir::setCurrent(previousDir_);
        test::ResetProgramState();
    }

    QString LockPath() const { return dir_.filePath(QStringLiteral("mt52.lock")); }

    QTemporaryDir dir_;
    SingleInstanceLock lock_{LockPath()};
    int mainShown_ = 0;
    frmOpen::ShowMainWindow showMain_ = [this] { ++mainShown_; };

private:
    QString previousDir_;
};

TEST_F(StartupForm, SecondCopyIsToldAndEndsWithoutTouchingAnything) {
    test::FakeDialogs dialogs;
    SingleInstanceLock running(LockPath());
    ASSERT_EQ(running.TryAcquire(), SingleInstanceLock::Result::Acquired);

    frmOpen splash(lock_, showMain_);
    EXPECT_FALSE(splash.Form_Load(QStringLiteral("-DEBUG")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, GetResText(99));
    EXPECT_EQ(dialogs.shown[0].title, GetResText(5001));
    EXPECT_EQ(dialogs.shown[0].style & 0x70, vbCritical);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(State().StartDir.isEmpty());
    EXPECT_FALSE(State().DebugMode);
    EXPECT_TRUE(running.IsHeld());
}

TEST_F(StartupForm, LoadsWaitsFiveTicksAndHandsOverOnce) {
    test::FakeDialogs dialogs;
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    frmOpen splash(lock_, showMain_, 5);
    ASSERT_TRUE(splash.Form_Load(QStringLiteral("x -Debug -520")));
    EXPECT_TRUE(lock_.IsHeld());
    EXPECT_EQ(State().StartDir, QDir::currentPath());
    EXPECT_TRUE(State().DebugMode);
    EXPECT_TRUE(State().ExtendedMode);
    EXPECT_TRUE(splash.isVisible());
    const QString expectedPart = GetResText(101) == QStringLiteral("JP") ? QStringLiteral("07312") : QStringLiteral("07313");
    EXPECT_EQ(splash.lblVersion->text(), QStringLiteral("P.No.") + expectedPart);
    EXPECT_EQ(splash.lblTitle->text(), QStringLiteral("MT-52 Data Logger"));
    // The window is as wide as the maker's line and the picture, plus the margins.
    EXPECT_EQ(splash.width(), TwipsToPixels(PixelsToTwips(splash.lblCompany->width()) + 1800 + 360));

    // Activated again after three ticks: the count starts over, the main window comes once.
    int ticks = 0;
    QObject::connect(&splash.tmrTimer, &QTimer::timeout, &splash, [&] {
        if (++ticks == 3) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&splash, &activate);
        }
    });
    splash.Form_Activate();
    EXPECT_EQ(mainShown_, 1);
    EXPECT_GE(ticks, 8);
    EXPECT_TRUE(splash.HandedOver());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    splash.Form_Activate();
    EXPECT_EQ(mainShown_, 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Message boxes that stay open while the event loop runs, until the splash has ticked five times.
class PausingDialogs final : public UserDialogs {
public:
    explicit PausingDialogs(const frmOpen& splash, const int& mainShown) : splash_(splash), mainShown_(mainShown) {
        SetDialogs(this);
    }
    ~PausingDialogs() override { SetDialogs(nullptr); }

    int MsgBox(const QString& text, int style, const QString& title) override {
        texts << text << title;
        this->style = style;
        for (int i = 0; i < 5000 && splash_.TickCount() < 5; ++i)
            DoEvents();
        ticksWhileOpen = splash_.TickCount();
        mainShownWhileOpen = mainShown_;
        return vbOK;
    }
    std::optional<QString> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FontSpec> ChooseFont(const FontSpec&) override { return std::nullopt; }
    std::optional<long> ChooseColor(long) override { return std::nullopt; }

    QStringList texts;
    int style = 0;
    int ticksWhileOpen = 0;
    int mainShownWhileOpen = -1;

private:
    const frmOpen& splash_;
    const int& mainShown_;
};

TEST_F(StartupForm, DoubleClickOnTheFramePausesTheStartUp) {
    frmOpen splash(lock_, showMain_, 5);
    PausingDialogs dialogs(splash, mainShown_);
    ASSERT_TRUE(splash.Form_Load(QString()));
    QTimer::singleShot(7, &splash, [&] { QTest::mouseDClick(splash.fraOpen, Qt::LeftButton, {}, QPoint(5, 5)); });
    splash.Form_Activate();
    EXPECT_EQ(dialogs.texts, QStringList({QStringLiteral("Pause!!"), QStringLiteral("Pause")}));
    EXPECT_EQ(dialogs.style & 0x70, vbInformation);
    EXPECT_GE(dialogs.ticksWhileOpen, 5);
    EXPECT_EQ(dialogs.mainShownWhileOpen, 0);
    EXPECT_EQ(mainShown_, 1);
}

}  // namespace
}  // namespace mt52
