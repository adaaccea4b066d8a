// The program end to end against the simulator program mt52-sim on a pseudo-terminal: the
// port is found through MT52_SERIAL_PORTS, the real link control connects over the serial
// control, the instrument is read and its memory dumped with the FRAM DUMP button, and the
// window closes; then the communication log, the listing "DumpEF.dat" and the database rows
// are what a real session leaves.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/uclLqif.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "platform/ComPortLister.h"
#include "platform/Database.h"
#include "platform/EventLoop.h"
#include "platform/UserDialogs.h"
#include "support/FakeDialogs.h"
#include "support/ScopedEnv.h"
#include "support/SimProcess.h"
#include "support/ProgramState.h"
#include "ProgramAssembly.h"
#include "browser/gui/frmPassword.h"
#include "common/QtTranslations.h"
#include "main_window/DatabaseLocation.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/gui/StoredDataPage.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"
#include "platform/gui/ShapeControl.h"
#include "printing/gui/frmSetPrinter.h"
#include "views/StoredRecords.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// Three snapshot records: two in memory block 15, one in block 16; 18 blocks in all.
constexpr const char* Description =
    "serial = E2E-0001\n"
    "user = OPERATOR\n"
    "station = PLANT-7\n"
    "memory-blocks = 18\n"
    "snapshot = 1, CH4, 100, 1, %LEL, 12, 2024/04/30 09:15:00\n"
    "snapshot = 2, CH4, 100, 1, %LEL, 35, 2024/04/30 11:42:10\n"
    "snapshot = 3, CH4, 100, 1, %LEL, 7, 2024/05/01 08:03:55\n";

// Runs the event loop until `done` holds, at most `ms` milliseconds.
bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        DoEvents(5);
    return done();
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString LastLogBoxLine(const QTextEdit& box) {
    QString last;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty())
            last = block.text();
    return last;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        test::ResetProgramState();
        ResetPortTable();
        SetInterfaceLanguage(Language::English);
        State().StartDir = dir.path();
        QFile file(dir.filePath("instrument.sim"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Description);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        ResetPortTable();
        test::ResetProgramState();
    }

    void StartSimulator(QStringList faults = {}) {
        QStringList arguments{dir.filePath("instrument.sim")};
        for (const QString& fault : faults)
            arguments << "--fault" << fault;
        ASSERT_TRUE(sim.Start(arguments)) << sim.Error().toStdString();
    }

    // The window as the program opens it, with the simulator's device offered as the adapter's
    // port; returns once the link has connected.
    std::unique_ptr<frmMain> OpenWindow(bool withPages = false) {
        const test::ScopedEnv ports("MT52_SERIAL_PORTS", QFile::encodeName(sim.Device()));
        auto window = std::make_unique<frmMain>();
        if (withPages)
            InstallPages(*window);
        EXPECT_TRUE(window->Form_Load());
        window->Form_Activate();
        uclLqif* link = window->uclLQ4005().Control();
        EXPECT_TRUE(link != nullptr && link->PortOpen()) << "the port offered by MT52_SERIAL_PORTS opens";
        EXPECT_TRUE(WaitFor([&] { return link != nullptr && link->Connected(); })) << "the instrument reports in";
        return window;
    }

    // Reads the instrument into the window's model, then presses FRAM DUMP and confirms it.
    bool ReadAndDump(frmMain& window) {
        uclLqif* link = window.uclLQ4005().Control();
        if (!link->GetInstrument(&window.CurrentInstrument()))
            return false;
        dialogs.answers = {vbYes};
        window.Option().cmdOptionDisp[6]->click();
        return true;
    }

    // Closes the window as the user does: the close box, "End ?" answered yes.
    void Close(std::unique_ptr<frmMain>& window) {
        dialogs.answers = {vbYes};
        window->close();
        EXPECT_TRUE(window->isHidden());
        window.reset();
    }

    struct Rows {
        long long heads;      // Log_Head rows of snapshots
        long long snapshots;  // SnapShot rows
        long long unpaired;   // snapshot heads without their row, rows without their head
    };
    Rows StoredRows() const {
        Database db(dir.filePath("MT52.mdb"));
        const auto count = [&db](const char* sql) { return db.query(QString::fromLatin1(sql)).field(0).toLong(); };
        return {count("SELECT COUNT(*) FROM Log_Head WHERE Types = 11"), count("SELECT COUNT(*) FROM SnapShot"),
                count("SELECT (SELECT COUNT(*) FROM Log_Head h WHERE Types = 11 AND NOT EXISTS "
                      "(SELECT 1 FROM SnapShot s WHERE s.RelNo = h.SeqNo)) + (SELECT COUNT(*) FROM SnapShot s "
                      "WHERE NOT EXISTS (SELECT 1 FROM Log_Head h WHERE h.SeqNo = s.RelNo AND h.Types = 11))")};
    }

    QTemporaryDir dir;
    test::FakeDialogs dialogs;
    test::SimProcess sim;
};

TEST_F(EndToEnd, ASessionLeavesTheLogTheListingAndTheSnapshotsAndASecondAddsNoDuplicates) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    auto window = OpenWindow();
    ASSERT_TRUE(ReadAndDump(*window));
    EXPECT_EQ(LastLogBoxLine(*window->Download().rtbLog), "Dump List Download () Finished.");
    EXPECT_EQ(window->CurrentInstrument().SerialNo(), "E2E-0001");
    Close(window);
    EXPECT_FALSE(QFile::exists(dir.filePath("MT52.LCK"))) << "the lock is given back at the close";
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.ini"))) << "the settings file is written at the close";

    // The communication log: the connection, the read and every dump block, both ways.
    const QString log = ReadText(dir.filePath("SerialLog.log"));
    EXPECT_TRUE(log.contains("W : [STX]0001RC,R,[ETX]FB[EOT]"));
    EXPECT_TRUE(log.contains("---StartUp Connect Sequence Finished---"));
    EXPECT_TRUE(log.contains("R : [STX]0001IN,R,[ACK]E2E-0001"));
    EXPECT_TRUE(log.contains("R : [STX]0001EF,R,[ACK]"));
    EXPECT_TRUE(log.contains("--- Dump List Download Finished. ---"));

    // The listing: 18 blocks of 8 lines are 9 groups; the first record of block 15 at 000700.
    const QString listing = ReadText(dir.filePath("DumpEF.dat"));
    EXPECT_TRUE(listing.startsWith(";\tMT-52 Data Logger Program\r\n"));
    EXPECT_EQ(listing.count("Adrs   +0"), 9);
    EXPECT_TRUE(listing.contains("\r\n000700 EE EE 00 01 "));
    EXPECT_TRUE(listing.contains("\r\n0008F0 "));
    EXPECT_FALSE(listing.contains("\r\n000900 "));

    // The database: each snapshot once, with its header, under the instrument's identity.
    Rows rows = StoredRows();
    EXPECT_EQ(rows.heads, 3);
    EXPECT_EQ(rows.snapshots, 3);
    EXPECT_EQ(rows.unpaired, 0);
    {
        Database db(dir.filePath("MT52.mdb"));
        Recordset heads = db.query(
            "SELECT SerialNo, UserID, StationID FROM Log_Head WHERE Types = 11 GROUP BY SerialNo, UserID, StationID");
        ASSERT_EQ(heads.recordCount(), 1);
        EXPECT_EQ(heads.field("SerialNo").toString(), "E2E-0001");
        EXPECT_EQ(heads.field("UserID").toString(), "OPERATOR");
        EXPECT_EQ(heads.field("StationID").toString(), "PLANT-7");
    }

    // A second session on the same folder finds every snapshot stored already.
    window = OpenWindow();
    ASSERT_TRUE(ReadAndDump(*window));
    EXPECT_EQ(LastLogBoxLine(*window->Download().rtbLog), "Dump List Download () Finished.");
    Close(window);
    rows = StoredRows();
    EXPECT_EQ(rows.heads, 3);
    EXPECT_EQ(rows.snapshots, 3);
}

TEST_F(EndToEnd, ALineDroppedMidDumpEndsAsFailedWithNothingHalfStored) {
    // The line drops when block 16 is due: block 15 with two snapshots came, block 16 never does.
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"drop-line:EF,R:1:15"}));
    auto window = OpenWindow();
    ASSERT_TRUE(ReadAndDump(*window));
    EXPECT_EQ(LastLogBoxLine(*window->Download().rtbLog), "Dump List Download (Fail) Finished.");
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_TRUE(window->Option().cmdOptionDisp[6]->isEnabled());
    EXPECT_EQ(sim.NextLine(), "Line dropped.");

    const Rows rows = StoredRows();
    EXPECT_EQ(rows.heads, rows.snapshots);
    EXPECT_EQ(rows.unpaired, 0);
    EXPECT_EQ(rows.heads, 2) << "the two records of block 15 are kept, that of block 16 never came";
    Close(window);
}

// The built program itself, started as a person starts it: it finds the simulated instrument
// through MT52_SERIAL_PORTS, opens it and connects.
TEST_F(EndToEnd, TheProgramConnectsToTheSimulatorOnItsOwn) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    QProcess program;
    program.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MT52_SERIAL_PORTS", sim.Device());
    env.insert("MT52_INSTANCE_LOCK", dir.filePath("instance.lock"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MT52_BINARY_DIR "/mt52"), {});
    ASSERT_TRUE(program.waitForStarted(5000)) << program.errorString().toStdString();
    const bool connected = WaitFor(
        [&] { return ReadText(dir.filePath("SerialLog.log")).contains("---StartUp Connect Sequence Finished---"); },
        15000);
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.LCK")));
    // SIGTERM ends it the way the automatic termination does: the database lock goes with it.
    program.terminate();
    const bool ended = program.waitForFinished(10000);
    if (!ended) {
        program.kill();
        program.waitForFinished(5000);
    }
    EXPECT_TRUE(connected) << ReadText(dir.filePath("SerialLog.log")).toStdString()
                           << program.readAllStandardError().toStdString();
    EXPECT_TRUE(ended) << "SIGTERM ends the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFile::exists(dir.filePath("MT52.LCK")));
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.mdb")));
}

}  // namespace
}  // namespace mt52

namespace mt52 {
namespace {

QStringList LogBoxLines(const QTextEdit& box) {
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty())
            lines << block.text();
    return lines;
}

TEST_F(EndToEnd, CompleteDownloadFromTheDownloadPageStoresOnceAndShowsTheSettings) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    auto window = OpenWindow(true);
    DownloadPage& page = window->Download();
    EXPECT_EQ(page.shpStatus[1]->FillColor(), 0x00FF00) << "the Connect lamp is lit";
    EXPECT_TRUE(page.cmdDown[0]->isEnabled());
    EXPECT_FALSE(page.cmdDown[2]->isEnabled());

    page.cmdDown[0]->click();
    const QStringList lines = LogBoxLines(*page.rtbLog);
    EXPECT_TRUE(lines.contains("MT-52 ...Connection Successful."));
    EXPECT_TRUE(lines.contains("MT-52 Instrument Information Download Complete."));
    EXPECT_EQ(lines.last(), "Dump List Download () Finished.");
    EXPECT_EQ(page.lblStatus[5]->text(), "E2E-0001");
    EXPECT_EQ(window->Option().txtOption[0]->text(), "E2E-0001");
    EXPECT_EQ(window->Option().txtOption[2]->text(), "OPERATOR");
    EXPECT_TRUE(page.cmdDown[2]->isEnabled());
    EXPECT_TRUE(window->Flags().LogTreeDirty);
    EXPECT_TRUE(ReadText(dir.filePath("DumpEF.dat")).startsWith(";\tMT-52 Data Logger Program\r\n"));
    EXPECT_EQ(StoredRows().heads, 3);

    // A second press stores nothing twice.
    page.cmdDown[0]->click();
    EXPECT_EQ(LogBoxLines(*page.rtbLog).last(), "Dump List Download () Finished.");
    EXPECT_EQ(StoredRows().heads, 3);
    EXPECT_EQ(StoredRows().snapshots, 3);

    // Each menu button shows its page alone; the Set page offers only what it should.
    window->show();
    const std::pair<int, int> pageOfMenu[] = {{4, 5}, {2, 2}, {0, 0}};
    for (auto [menu, shown] : pageOfMenu) {
        window->cmdInst[static_cast<std::size_t>(menu)]->click();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(window->fraMenu[static_cast<std::size_t>(i)]->isVisible(), i == shown) << menu << " " << i;
    }
    const OptionPage& option = window->Option();
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(option.cmdOptionDisp[static_cast<std::size_t>(i)]->isHidden()) << i;
    EXPECT_TRUE(option.cmdOption[2]->isHidden());
    EXPECT_TRUE(option.cmdOption[3]->isHidden());
    EXPECT_TRUE(option.cmdOption[0]->isEnabled());

    Close(window);
}

// The Set page shows the interval as a choice of the list: a changed entry is taken into the
// model as the user's choice would be. The Data page is worked from its record list, which
// takes the keyboard focus.
TEST_F(EndToEnd, TheSetPageTakesItsIntervalEntryAndTheDataPageFocusesItsList) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    auto window = OpenWindow(true);
    window->show();
    window->Option().cmbInterval->setCurrentIndex(0);
    clsInstrument& instrument = window->CurrentInstrument();
    instrument.Intervals(10);
    instrument.ClearChangeFlags();
    window->cmdInst[4]->click();  // connected, nothing read: the entry "300"
    EXPECT_EQ(window->Option().cmbInterval->currentText(), "300");
    EXPECT_EQ(instrument.Intervals(), 300);
    EXPECT_TRUE(instrument.Change_Interval());
    instrument.ClearChangeFlags();
    window->cmdInst[4]->click();  // the entry shown already: nothing changes
    EXPECT_FALSE(instrument.Change_Interval());

    window->cmdInst[2]->click();
    EXPECT_EQ(window->focusWidget(), window->StoredData().lvwLog);
    Close(window);
}

TEST_F(EndToEnd, AutomaticDownloadOnConnectionRemovesSwitchesOffAndEnds) {
    QFile ini(dir.filePath("MT52.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("Auto Load Mode\tTrue\tTrue\tTrue\r\n");
    ini.close();
    State().ExtendedMode = true;
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    const test::ScopedEnv ports("MT52_SERIAL_PORTS", QFile::encodeName(sim.Device()));
    auto window = std::make_unique<frmMain>();
    InstallPages(*window);
    ASSERT_TRUE(window->Form_Load());
    window->Form_Activate();
    const QTextEdit& box = *window->Download().rtbLog;
    EXPECT_TRUE(WaitFor([&] { return LogBoxLines(box).contains("MT-52 Automatic Download Complete."); }, 60000))
        << LogBoxLines(box).join("\n").toStdString();
    // The switch-off puts the window back to its start, log box emptied; the file keeps the steps.
    const QString log = ReadText(dir.filePath("SerialLog.log"));
    EXPECT_TRUE(log.contains("---Start Automatic Download---"));
    EXPECT_TRUE(log.contains("--- Dump List Download Finished. ---"));
    EXPECT_TRUE(log.contains("--- Data Remove Finished---"));
    EXPECT_TRUE(log.contains("W : [STX]0001RO,W,"));
    EXPECT_TRUE(log.contains("---Automatic Mode Camplate Finished---"));
    EXPECT_EQ(StoredRows().heads, 3);
    EXPECT_TRUE(WaitFor([&] { return window->isHidden(); })) << "the program ends after the download";
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.LCK"))) << "ended without the close";
    window.reset();
}

TEST_F(EndToEnd, ClosingTheWindowDuringADownloadEndsTheDownloadFirst) {
    // The instrument keeps quiet once in the middle of the read, so the close comes during a wait.
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"silence:HA,R:1"}));
    auto window = OpenWindow(true);
    QTimer::singleShot(500, window.get(), [&] {
        dialogs.answers = {vbYes};
        window->close();
    });
    window->Download().cmdDown[0]->click();
    // The close completes once the download has unwound (outside every wait, so the events are
    // run here without one): settings saved, lock given back.
    const QDeadlineTimer deadline(10000);
    while (QFile::exists(dir.filePath("MT52.LCK")) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(QFile::exists(dir.filePath("MT52.LCK")));
    EXPECT_TRUE(QFile::exists(dir.filePath("MT52.ini")));
    EXPECT_FALSE(LogBoxLines(*window->Download().rtbLog).contains("Dump List Download () Start."));
    EXPECT_FALSE(QFile::exists(dir.filePath("DumpEF.dat"))) << "no listing after the close";
    window.reset();
}

// Pictures of every page and dialog a user reaches, after a complete download and with an interval
// and an alarm trend stored, in both languages, into the folder MT52_SCREENSHOT_DIR names; skipped
// without it. The window has the size of a first run: run the test on a 1280 x 900 screen
// (xvfb-run -s "-screen 0 1280x900x24" with QT_QPA_PLATFORM=xcb) to see the default size.
TEST_F(EndToEnd, PicturesOfEveryPageAndDialog) {
    const QByteArray shots = qgetenv("MT52_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "MT52_SCREENSHOT_DIR is not set";
    ASSERT_NO_FATAL_FAILURE(StartSimulator());
    bool stored = false;
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        const QtTranslations qtTexts(language);
        auto window = OpenWindow(true);
        window->show();
        DoEvents(5);
        if (!stored) {
            test::AddIntervalTrend(101, "iv0520", 30);
            test::AddAlarmTrend(102, "al0520", 720);
            // Started at midnight: the record list shows its date alone.
            test::AddIntervalTrend(103, "iv0305", 30, *Date::FromParts(2024, 3, 5, 0, 0, 0));
            stored = true;
        }
        const auto save = [&](QWidget& widget, const QString& what) {
            DoEvents(5);
            widget.grab().save(QStringLiteral("%1/%2-%3.png").arg(QString::fromLocal8Bit(shots), GetResText(101), what));
        };
        // A modal window the click opens, pictured and closed.
        const auto saveModal = [&](const std::function<void()>& open, const QString& what) {
            QTimer::singleShot(300, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    save(*modal, what);
                    modal->close();
                }
            });
            open();
        };
        window->Download().cmdDown[0]->click();
        for (int menu : {0, 4, 1, 2}) {
            window->cmdInst[static_cast<std::size_t>(menu)]->click();
            save(*window, QStringLiteral("page%1").arg(menu));
        }
        // The Data page with every grouping box ticked, each kind's folder listed in turn and the
        // data view of its first record.
        StoredDataPage& data = window->StoredData();
        for (QCheckBox* box : data.chkLog)
            box->click();
        data.tvwLog->expandAll();
        save(*window, QStringLiteral("data-tree"));
        QStringList leaves;
        for (QTreeWidgetItemIterator it(data.tvwLog); *it; ++it) {
            if ((*it)->childCount() == 0)
                leaves << (*it)->data(0, Qt::UserRole).toString();
        }
        bool storedInstrumentShown = false;
        for (const QString& key : leaves) {
            window->cmdInst[2]->click();
            data.tvwLog->expandAll();
            QTreeWidgetItem* folder = nullptr;
            for (QTreeWidgetItemIterator it(data.tvwLog); *it && folder == nullptr; ++it) {
                if ((*it)->data(0, Qt::UserRole).toString() == key)
                    folder = *it;
            }
            if (folder == nullptr)
                continue;
            data.tvwLog->scrollToItem(folder);
            QTest::mouseClick(data.tvwLog->viewport(), Qt::LeftButton, {}, data.tvwLog->visualItemRect(folder).center());
            const QString kind = folder->text(0).left(12).replace(QLatin1Char('/'), QLatin1Char('-'));
            save(*window, QStringLiteral("data-%1").arg(kind));
            if (data.lvwLog->topLevelItemCount() == 0)
                continue;
            const QPoint at = data.lvwLog->visualItemRect(data.lvwLog->topLevelItem(0)).center();
            QTest::mouseDClick(data.lvwLog->viewport(), Qt::LeftButton, {}, at);
            DataViewPage& view = window->DataView();
            save(*window, QStringLiteral("dataview-%1").arg(kind));
            view.cmdBrowse[3]->click();  // the summary
            save(*window, QStringLiteral("dataview-%1-summary").arg(kind));
            view.cmdBrowse[3]->click();
            view.cmdBrowse[4]->click();
            if (!storedInstrumentShown) {
                // The Instruments page with the instrument stored with the entry the list shows.
                QTest::mouseClick(data.lvwLog->viewport(), Qt::LeftButton, {}, at);
                data.cmdLogInst->click();
                save(*window, QStringLiteral("instrument-stored"));
                storedInstrumentShown = true;
            }
        }
        // The dialogs of the Set page and the toolkit's own ones, in the program's font.
        window->cmdInst[4]->click();
        saveModal([&] { window->Option().cmdOptionDisp[5]->click(); }, QStringLiteral("dialog-details"));
        {
            frmSetPrinter printers(State().CommonFont, window.get());
            printers.show();
            save(printers, QStringLiteral("dialog-printer"));
        }
        {
            QString password = State().LockPassword;
            frmPassword ask(password, State().CommonFont, window.get());
            ask.show();
            save(ask, QStringLiteral("dialog-password"));
        }
        {
            QMessageBox box(QMessageBox::Question, QStringLiteral("MT-52"), GetResText(5373), QMessageBox::Yes | QMessageBox::No,
                            window.get());
            box.show();
            save(box, QStringLiteral("dialog-message"));
        }
        // The start's notice of a data folder that cannot be made or opened, as the program shows it.
        saveModal(
            [&] {
                QtUserDialogs().MsgBox(GetResText(UnusableFolderText, {dir.filePath(QStringLiteral("MT-52 data/Data"))}),
                                       vbOKOnly | vbExclamation, QStringLiteral("MT-52"));
            },
            QStringLiteral("message-unusable-folder"));
        {
            QFileDialog files(window.get(), GetResText(5373), dir.path(), QStringLiteral("CSV (*.csv);;Text (*.txt)"));
            files.setOption(QFileDialog::DontUseNativeDialog);
            files.show();
            save(files, QStringLiteral("dialog-file"));
        }
        {
            QFontDialog fonts(FontForFontDialog(State().CommonFont), window.get());
            fonts.setOption(QFontDialog::DontUseNativeDialog);
            fonts.show();
            save(fonts, QStringLiteral("dialog-font"));
        }
        // The font button after a 16-point font is chosen.
        FontSpec large = State().CommonFont;
        large.size = 16;
        dialogs.fonts = {large};
        const FontSpec before = State().CommonFont;
        window->Option().cmdOptionDisp[0]->click();
        save(*window, QStringLiteral("page4-font16"));
        dialogs.fonts = {before};  // the next run starts in the usual font again
        window->Option().cmdOptionDisp[0]->click();
        Close(window);
    }
}

}  // namespace
}  // namespace mt52
