#pragma once
// What the page tests share: a program folder with an empty database, English texts, a clock
// that moves 100 ms with every tick of the simulated line, the link core with the operation
// objects over the simulated instrument, and a window stand-in that keeps the controls'
// states, the log box and the progress dialog as the pages leave them.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/InstrumentOperations.h"
#include "link/RomDump.h"
#include "link/SerialLog.h"
#include "link/SettingsTransfer.h"
#include "main_window/pages/DownloadCommands.h"
#include "main_window/pages/PageLink.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "support/FakeDialogs.h"
#include "support/Files.h"
#include "support/SimLink.h"
#include "support/ProgramState.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

namespace mt52::test {

using LogLine = std::pair<QString, Long>;

// The main window as the Download page's commands see it.
struct WindowStandIn final : DownloadPageHost {
    clsInstrument instrument;
    bool showingStored = false;
    std::array<bool, DownloadControlCount> enabled{};
    std::array<bool, 3> checked{};
    std::array<LampState, 4> lamps{LampState::On, LampState::Off, LampState::Off, LampState::Off};
    bool calibrationLamps = true;
    QStringList identity;
    int pageRefreshes = 0;
    std::vector<LogLine> logBox;
    bool progressShown = false;
    bool progressCanceled = false;
    QString progressCaption;
    QString progressLabel;
    int logTreeMarks = 0;
    int windowResets = 0;
    bool closePending = false;
    int programEnds = 0;

    clsInstrument& CurrentInstrument() override { return instrument; }
    bool ShowingStoredInstrument() const override { return showingStored; }
    bool ControlEnabled(DownloadControl c) const override { return enabled[static_cast<int>(c)]; }
    void SetControlEnabled(DownloadControl c, bool on) override { enabled[static_cast<int>(c)] = on; }
    bool AutoLoadChecked(int box) const override { return checked[box]; }
    void SetAutoLoadChecked(int box, bool on) override { checked[box] = on; }
    void SetLamp(int lamp, LampState state) override { lamps[lamp] = state; }
    void SetCalibrationLampsVisible(bool visible) override { calibrationLamps = visible; }
    void ShowIdentity(const QString& s, const QString& st, const QString& u, const QString& suffix) override {
        identity = {s, st, u, suffix};
    }
    void RefreshInstrumentPages() override { ++pageRefreshes; }
    void ShowAnalogValues() override {}
    void AddLogText(const QString& text, Long color) override { logBox.emplace_back(text, color); }
    void SetBusyPointer(bool) override {}
    void ShowProgress(const QString& caption) override {
        if (!progressShown)
            progressCanceled = false;  // loading the dialog clears its cancel mark
        progressShown = true;
        progressCaption = caption;
    }
    void SetProgressLabel(const QString& text) override { progressLabel = text; }
    void CloseProgress() override { progressShown = false; }
    bool ProgressCanceled() const override { return progressCanceled; }
    void MarkLogTreeDirty() override { ++logTreeMarks; }
    void ResetWindowAfterPowerOff() override { ++windowResets; }
    bool ClosePending() const override { return closePending; }
    void EndProgram() override { ++programEnds; }

    bool Enabled(DownloadControl c) const { return ControlEnabled(c); }
    QStringList LogTexts() const {
        QStringList texts;
        for (const LogLine& line : logBox)
            texts << line.first;
        return texts;
    }
};

class PageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        SetInterfaceLanguage(Language::English);
        ASSERT_TRUE(dir_.isValid());
        State().StartDir = dir_.path();
        State().DatabasePath = dir_.filePath(QStringLiteral("MT52.mdb"));
        State().InstrumentModelName = QStringLiteral("MT-52");
        CreateDataBase(State().DatabasePath);
        sim_.onStep = [this] {
            clock_.advanceMilliseconds(100);
            if (onTick)
                onTick();
        };
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        test::ResetProgramState();
    }

    // The progress dialog's cancel button, as the user presses it.
    void PressCancel() {
        window_.progressCanceled = true;
        sim_.link.SetCancel(true);
    }
    // The commands sent to the instrument from `from` on.
    QList<QByteArray> SentFrom(qsizetype from) const { return sim_.Sent().mid(from); }
    QString CommunicationLog() const { return QString::fromUtf8(ReadFile(SerialLog::Path())); }
    Long SnapshotCount() const {
        Database db(State().DatabasePath);
        return db.query(QStringLiteral("SELECT COUNT(*) AS n FROM Log_Head WHERE Types = 11"))
            .field(QStringLiteral("n"))
            .toLong();
    }

    QTemporaryDir dir_;
    ManualClock clock_{QDateTime(QDate(2026, 4, 1), QTime(10, 0, 0))};
    ScopedClock useClock_{clock_};
    FakeDialogs dialogs_;
    SimLink sim_;
    SettingsTransfer settings_{sim_.link};
    RomDump dump_{sim_.link};
    InstrumentOperations operations_{sim_.link};
    PageLink link_{sim_.link, settings_, dump_, operations_};
    WindowStandIn window_;
    // Runs at every tick, after the clock moved (a user acting while a transfer waits).
    std::function<void()> onTick;
};

}  // namespace mt52::test
