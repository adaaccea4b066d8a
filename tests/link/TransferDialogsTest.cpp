// The transfer progress window and the port choice window, driven offscreen.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/gui/FileMoveAnimation.h"
#include "link/gui/TransferProgress.h"
#include "link/gui/frmIrCommSelect.h"
#include "link/gui/frmUpload.h"
#include "platform/Twips.h"
#include "support/ProgramState.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace mt52 {
namespace {

class TransferDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        test::ResetProgramState();
    }
};

struct BusyCase {
    Long busy;
    const char* text;
    bool cancelButton;
};

TEST_F(TransferDialogs, CaptionLabelAndButtonFollowTheBusyState) {
    const BusyCase cases[] = {
        {0, "Now Downloading", false},        {1, "Now Uploading", true},
        {3, "Adjusting Zero", false},         {4, "Adjusting Span Settings.", false},
        {5, "Now Downloading", true},         {6, "Now Downloading", true},
        {8, "Now Writing", false},            {7, "Now Uploading.", true},  // unknown: design texts
    };
    for (const BusyCase& c : cases) {
        SCOPED_TRACE(c.busy);
        State().BusyState = c.busy;
        frmUpload dialog;
        EXPECT_EQ(dialog.lblUpload->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(dialog.windowTitle(), c.busy == 7 ? QStringLiteral("Now Upload") : QString::fromLatin1(c.text));
        EXPECT_EQ(!dialog.cmdUpload->isHidden(), c.cancelButton);
        if (c.cancelButton && c.busy != 7) {
            EXPECT_EQ(dialog.cmdUpload->text(), QStringLiteral("Cancel"));
        }
        EXPECT_FALSE(dialog.Canceled());
        EXPECT_TRUE(dialog.amnUpload->IsPlaying());
    }
}

TEST_F(TransferDialogs, HeightCountsTheLabelTwiceWithoutButtonAndMoreWithIt) {
    State().BusyState = 3;
    frmUpload zero;
    const int labelTwips = PixelsToTwips(zero.lblUpload->height());
    // Loaded with the button's design visibility, then laid out without it.
    zero.show();
    QApplication::processEvents();
    EXPECT_EQ(zero.height(), TwipsToPixels(64 * TwipsPerPixel + 2 * labelTwips));
    EXPECT_EQ(zero.width(), TwipsToPixels(288 * TwipsPerPixel + 240));

    State().BusyState = 5;
    frmUpload download;
    download.show();
    QApplication::processEvents();
    EXPECT_EQ(download.height(), TwipsToPixels(64 * TwipsPerPixel + std::lround(2.6 * labelTwips)));
    // The controls stack below one another inside the window.
    EXPECT_EQ(download.amnUpload->height(), 64);
    EXPECT_GT(download.lblUpload->y(), download.amnUpload->geometry().bottom());
    EXPECT_GT(download.cmdUpload->y(), download.lblUpload->geometry().bottom());
    EXPECT_LE(download.cmdUpload->geometry().bottom(), download.height());
    EXPECT_GT(download.cmdUpload->height(), 0);
}

TEST_F(TransferDialogs, CancelAsksTheLinkOnceAndLogsIt) {
    State().BusyState = 1;
    QStringList calls;
    UploadCancelHooks hooks{[&](bool v) { calls << QStringLiteral("cancel=%1").arg(v); },
                            [&](const QString& t) { calls << QStringLiteral("log:") + t; }};
    frmUpload dialog(hooks);
    dialog.show();
    QApplication::processEvents();

    QTest::mouseClick(dialog.cmdUpload, Qt::LeftButton);
    EXPECT_EQ(calls, QStringList({"cancel=1", "log:= User Cancel ="}));
    EXPECT_TRUE(dialog.Canceled());
    EXPECT_EQ(dialog.lblUpload->text(), QStringLiteral("Now Cancel Processing"));
    EXPECT_FALSE(dialog.cmdUpload->isEnabled());

    // A second press, by mouse or by code, reaches nothing.
    QTest::mouseClick(dialog.cmdUpload, Qt::LeftButton);
    dialog.cmdUpload_Click();
    EXPECT_EQ(calls.size(), 2);
}

TEST_F(TransferDialogs, EscapeKeepsTheWindowAndUnloadStopsIt) {
    State().BusyState = 5;
    frmUpload dialog;
    dialog.show();
    QApplication::processEvents();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.tmrInter->isActive());

    dialog.Unload();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.tmrInter->isActive());
    EXPECT_FALSE(dialog.amnUpload->IsPlaying());
}

TEST_F(TransferDialogs, AnimationWrapsRoundItsFrames) {
    FileMoveAnimation animation;
    animation.resize(200, 64);
    animation.Play();
    for (int i = 0; i < FileMoveAnimation::FrameCount - 1; ++i)
        animation.Step();
    EXPECT_EQ(animation.Frame(), FileMoveAnimation::FrameCount - 1);
    animation.Step();
    EXPECT_EQ(animation.Frame(), 0);
    EXPECT_FALSE(animation.grab().isNull());  // paints without a display
}

TEST_F(TransferDialogs, ProgressScopeClosesTheWindowAndResetsTheBusyStateOnEveryEnd) {
    QPointer<frmUpload> seen;
    try {
        TransferProgress progress(6, {});
        seen = &progress.Dialog();
        EXPECT_EQ(State().BusyState, 6);
        EXPECT_TRUE(progress.Dialog().isVisible());
        progress.SetText(QStringLiteral("Get Dump 000000-0000FF"));
        EXPECT_EQ(progress.Dialog().lblUpload->text(), QStringLiteral("Get Dump 000000-0000FF"));
        throw std::runtime_error("the operation failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(seen.isNull());
    EXPECT_EQ(State().BusyState, 0);
}

// Runs `action` on the port choice window once it is shown blocking.
void WhenPortChoiceShows(std::function<void(frmIrCommSelect&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = dynamic_cast<frmIrCommSelect*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

TEST_F(TransferDialogs, PortChoiceGivesThePlaceOfTheChosenEntry) {
    QApplication::setOverrideCursor(Qt::WaitCursor);  // the start-up busy pointer
    WhenPortChoiceShows([](frmIrCommSelect& d) {
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("IrCOMM"));
        EXPECT_EQ(d.cmbIrComm->count(), 3);
        EXPECT_EQ(d.cmbIrComm->currentIndex(), 0);
        d.cmbIrComm->setCurrentIndex(2);
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    frmIrCommSelect::Choose({"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/pts/4"});
    EXPECT_EQ(State().CommPortChoice, 3);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

TEST_F(TransferDialogs, PortChoiceWithoutSelectionOrWithoutOk) {
    frmIrCommSelect empty;
    State().CommPortChoice = 5;
    empty.cmdOK_Click();
    EXPECT_EQ(State().CommPortChoice, 0);

    State().CommPortChoice = 0;
    WhenPortChoiceShows([](frmIrCommSelect& d) { d.reject(); });
    frmIrCommSelect::Choose({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    EXPECT_EQ(State().CommPortChoice, 0);
}

}  // namespace
}  // namespace mt52
