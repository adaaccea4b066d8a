#include "common/ModuleState.h"
#include "common/ResText.h"
#include "main_window/FramDumpCommand.h"
#include "main_window/LogBox.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

#include <functional>

namespace mt52 {
namespace {

// The window as the command sees it, recording what happens in order.
struct RecordingHost final : FramDumpHost {
    bool liveReading = false;
    bool canceled = false;
    std::function<bool(const QString&)> download = [](const QString&) { return true; };
    QStringList events;
    QStringList communicationLog;
    std::vector<std::pair<QString, Long>> logBox;

    bool LiveReadingRunning() const override { return liveReading; }
    void SetTransferCommandsEnabled(bool enabled) override {
        events << (enabled ? "commands on" : "commands off");
    }
    void ShowProgress() override { events << "progress shown"; }
    void CloseProgress() override { events << "progress closed"; }
    bool ProgressCanceled() const override { return canceled; }
    void AddLogText(const QString& text, Long color) override { logBox.emplace_back(text, color); }
    void AddLog(const QString& text) override {
        events << "log";
        communicationLog << text;
    }
    bool GetRomDump2(const QString& path) override {
        events << QStringLiteral("dump busy %1").arg(State().BusyState);
        return download(path);
    }
};

class FramDumpCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        State().StartDir = QStringLiteral("/prog");
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        test::ResetProgramState();
    }
    test::FakeDialogs dialogs;
    RecordingHost host;
    // A clock that stands still, so the elapsed time of a download is exactly zero however
    // slowly the test runs.
    ManualClock clock;
    ScopedClock useClock{clock};
};

TEST_F(FramDumpCommandTest, RefusedDuringLiveReadingOrSpanCalibrationWithoutAQuestion) {
    for (int running = 0; running < 2; ++running) {
        host.liveReading = running == 0;
        State().BusyState = running == 0 ? 0 : 4;
        dialogs.shown.clear();
        EXPECT_EQ(RunFramDump(host), FramDumpOutcome::Refused);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("It can not be performed due to operating of other issues."));
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("No communication available to EEP-ROM"));
        EXPECT_EQ(dialogs.shown[0].style, vbInformation);
        EXPECT_TRUE(host.events.isEmpty());
    }
}

TEST_F(FramDumpCommandTest, NoToTheQuestionDoesNothing) {
    dialogs.answers = {vbNo};
    EXPECT_EQ(RunFramDump(host), FramDumpOutcome::Declined);
    EXPECT_EQ(dialogs.shown.at(0).text, QStringLiteral("FRAM Dump List Download\r\nReady?"));
    EXPECT_EQ(dialogs.shown.at(0).title, QStringLiteral("DumpList"));
    EXPECT_EQ(dialogs.shown.at(0).style, vbYesNo | vbQuestion);
    EXPECT_TRUE(host.events.isEmpty());
}

TEST_F(FramDumpCommandTest, ConfirmedDownloadRunsBusyUnderTheDialogWithBrownLines) {
    dialogs.answers = {vbYes};
    QString path;
    host.download = [&](const QString& p) {
        path = p;
        return true;
    };
    EXPECT_EQ(RunFramDump(host), FramDumpOutcome::Done);
    EXPECT_EQ(path, QStringLiteral("/prog/DumpEF.dat"));
    const QStringList expected = {"commands off", "progress shown", "log",        "dump busy 1",
                                  "log",          "progress closed", "commands on"};
    EXPECT_EQ(host.events, expected);
    ASSERT_EQ(host.communicationLog.size(), 2);
    EXPECT_TRUE(host.communicationLog[0].startsWith("--- Dump List Download Started. ---(20"));
    EXPECT_TRUE(host.communicationLog[1].startsWith("--- Dump List Download Finished. ---(20"));
    EXPECT_TRUE(host.communicationLog[1].endsWith("[Time = 00:00:00])\r\n"));
    EXPECT_EQ(State().BusyState, 0);
    const std::vector<std::pair<QString, Long>> lines = {{"Dump List Download () Start.", LogColor::DumpList},
                                                         {"Dump List Download () Finished.", LogColor::DumpList}};
    EXPECT_EQ(host.logBox, lines);
}

TEST_F(FramDumpCommandTest, EveryEndClosesTheDialogResetsBusyAndReportsInRed) {
    struct Case {
        const char* what;
        std::function<bool(const QString&)> download;
        bool canceled;
        FramDumpOutcome outcome;
        QString lastLine;
    };
    const Case cases[] = {
        {"failure", [](const QString&) { return false; }, false, FramDumpOutcome::Failed,
         "Dump List Download (Fail) Finished."},
        {"error inside the link", [](const QString&) -> bool { Raise(ErrPathNotFound); }, false,
         FramDumpOutcome::Failed, "Dump List Download (Fail) Finished."},
        {"cancel", [](const QString&) { return false; }, true, FramDumpOutcome::Cancelled, "Communication Canceled."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingHost failing;
        failing.download = c.download;
        failing.canceled = c.canceled;
        dialogs.answers = {vbYes};
        EXPECT_EQ(RunFramDump(failing), c.outcome);
        EXPECT_EQ(State().BusyState, 0);
        EXPECT_EQ(failing.events.mid(failing.events.size() - 2), (QStringList{"progress closed", "commands on"}));
        EXPECT_TRUE(failing.communicationLog.last().startsWith("--- Dump List Download Finished."));
        EXPECT_EQ(failing.logBox.back(), std::make_pair(c.lastLine, LogColor::Failure));
    }
}

}  // namespace
}  // namespace mt52
