// The Download page's commands, the automatic download and the link's event handlers, run
// against the simulated instrument.
#include "link/LinkStatus.h"
#include "main_window/LogBox.h"
#include "pages/PageFixture.h"

#include <QFileInfo>
#include <algorithm>

namespace mt52 {
namespace {

using sim::SimFault;
using test::LogLine;

constexpr DownloadControl kTransfers[] = {DownloadControl::Down0, DownloadControl::Down1, DownloadControl::Down2,
                                          DownloadControl::Down3, DownloadControl::Down4, DownloadControl::Down5};

LogLine Line(int id, Long color, const QList<Variant>& args = {}) { return {GetResText(id, args), color}; }

class DownloadCommandsTest : public test::PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        sim_.events.onConnect = [this] {
            commands_.OnConnect();
            ++connectsHandled_;
        };
        sim_.events.onLinkLost = [this] { commands_.LinkLost(); };
        window_.enabled[static_cast<int>(DownloadControl::Exit)] = true;
        window_.enabled[static_cast<int>(DownloadControl::OptionPage)] = true;
        window_.enabled[static_cast<int>(DownloadControl::AutoLoad0)] = true;
    }

    // The instrument reports in and the connection event has been handled.
    void Connect() {
        sim_.instrument.placeInCradle();
        ASSERT_TRUE(sim_.StepUntil([this] { return connectsHandled_ > 0; }, 100));
    }
    void PutSnapshot() {
        sim::SimSnapshot snap;
        snap.logNo = 7;
        snap.gasName = "CH4";
        snap.fullScale = "100";
        snap.digit = "1";
        snap.unit = "%LEL";
        snap.gasValue = " 12.5";
        snap.when = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
        sim_.instrument.putSnapshot(0, snap);
    }
    bool Enabled(DownloadControl c) const { return window_.Enabled(c); }
    std::vector<bool> TransferStates() const {
        std::vector<bool> states;
        for (DownloadControl c : kTransfers)
            states.push_back(Enabled(c));
        states.push_back(Enabled(DownloadControl::OptionPage));
        states.push_back(Enabled(DownloadControl::AutoLoad0));
        return states;
    }
    QString ListingPath() const { return dir_.filePath(QStringLiteral("DumpEF.dat")); }

    DownloadCommands commands_{link_, window_};
    int connectsHandled_ = 0;
};

TEST_F(DownloadCommandsTest, ConnectionLightsTheLampsAndEnablesTheFirstCommands) {
    window_.calibrationLamps = false;
    Connect();
    EXPECT_EQ(window_.logBox.at(0), Line(5432, PageColor::Connection, {QStringLiteral("MT-52")}));
    EXPECT_EQ(window_.lamps[0], LampState::On);
    EXPECT_EQ(window_.lamps[1], LampState::On);
    for (DownloadControl c : {DownloadControl::Down0, DownloadControl::Down1, DownloadControl::Down4,
                              DownloadControl::Update, DownloadControl::DateTimeSet, DownloadControl::Calibration})
        EXPECT_TRUE(Enabled(c)) << static_cast<int>(c);
    EXPECT_FALSE(Enabled(DownloadControl::Down2)) << "the dump listing needs a read first";
    EXPECT_FALSE(Enabled(DownloadControl::Down5)) << "the read-and-log command belongs to the factory mode";

    commands_.ConnectRetry(5);
    EXPECT_EQ(window_.logBox.back(), Line(5412, LogColor::Success, {5}));
    commands_.LinkMessage(QStringLiteral("Reading"));
    EXPECT_EQ(window_.logBox.back(), LogLine(QStringLiteral("Reading"), LogColor::Instrument));
    commands_.DumpMessage(QStringLiteral("Block 3"));
    EXPECT_EQ(window_.progressLabel, QStringLiteral("Block 3"));

    // Only a connection time-out and an address in use are the port's errors.
    const size_t lines = window_.logBox.size();
    commands_.IrDAError(10054);
    EXPECT_EQ(window_.logBox.size(), lines);
    EXPECT_TRUE(dialogs_.shown.empty());
    commands_.IrDAError(10060);
    EXPECT_EQ(window_.logBox.back(), Line(5371, LogColor::Failure));
    EXPECT_EQ(window_.lamps[0], LampState::Error);
    EXPECT_EQ(window_.lamps[1], LampState::Off);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, GetResText(5372));
}

TEST_F(DownloadCommandsTest, CompleteDownloadReadsListsStoresAndWarnsOfTheClock) {
    sim_.instrument.clockOffsetSeconds = -2 * 86400;  // two days behind the computer
    PutSnapshot();
    Connect();
    window_.logBox.clear();
    const qsizetype before = sim_.Sent().size();

    commands_.cmdDown_Click(0);

    const QList<QByteArray> sent = SentFrom(before);
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), "VP,R,");
    EXPECT_TRUE(sent.contains("EF,R,"));
    const std::vector<LogLine> expected = {Line(5414, LogColor::Success), Line(5415, LogColor::Success),
                                           Line(5463, LogColor::DumpList), Line(5464, LogColor::DumpList),
                                           Line(5591, LogColor::Failure)};
    EXPECT_EQ(window_.logBox, expected);
    EXPECT_EQ(window_.identity, QStringList({"SIM0000001", "STATION01", "USER01", ""}));
    EXPECT_EQ(window_.pageRefreshes, 1);
    EXPECT_TRUE(window_.instrument.CommFlags());
    EXPECT_GT(QFileInfo(ListingPath()).size(), 0);
    EXPECT_EQ(SnapshotCount(), 1);
    EXPECT_EQ(window_.logTreeMarks, 1);
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_FALSE(window_.progressShown);
    // A command that succeeded leaves every command usable.
    for (DownloadControl c : kTransfers)
        EXPECT_TRUE(Enabled(c)) << static_cast<int>(c);
    EXPECT_TRUE(Enabled(DownloadControl::OptionPage));
    EXPECT_TRUE(Enabled(DownloadControl::AutoLoad0));
    EXPECT_FALSE(Enabled(DownloadControl::AutoLoad1)) << "follows the unchecked automatic-download box";
    const QString log = CommunicationLog();
    EXPECT_EQ(log.count(QStringLiteral("--- All download sequence start.")), 1);
    EXPECT_EQ(log.count(QStringLiteral("--- All download sequence Finished.")), 1);
    EXPECT_EQ(log.count(QStringLiteral("---Instrument Download Finished---")), 1);

    // The same instrument downloaded again stores no second copy of its records.
    commands_.cmdDown_Click(0);
    EXPECT_EQ(SnapshotCount(), 1);
    EXPECT_EQ(window_.logBox.at(6), Line(5415, LogColor::Success));
}

TEST_F(DownloadCommandsTest, WhileACommandRunsEveryTransferIsDisabledAndASecondStartRefused) {
    Connect();
    sim_.protocol.InjectFault(SimFault::Delay, 1, "HC,R", 3);
    const std::vector<bool> before = TransferStates();
    std::vector<bool> during;
    bool update = true, boxes = true;
    onTick = [&] {
        if (!during.empty() || sim_.Sent().back() != "HC,R,")
            return;
        during = TransferStates();
        update = Enabled(DownloadControl::Update) || Enabled(DownloadControl::DateTimeSet);
        boxes = Enabled(DownloadControl::AutoLoad0) || Enabled(DownloadControl::AutoLoad1);
        commands_.cmdDown_Click(1);
        commands_.cmdDown_Click(3);
    };
    commands_.cmdDown_Click(1);

    ASSERT_FALSE(during.empty());
    EXPECT_EQ(during, std::vector<bool>(during.size(), false));
    EXPECT_FALSE(update);
    EXPECT_FALSE(boxes);
    EXPECT_EQ(sim_.Sent().count("VP,R,"), 1) << "the second read was refused";
    EXPECT_TRUE(dialogs_.shown.empty()) << "the refused data clear asked nothing";
    EXPECT_NE(TransferStates(), before);
    for (DownloadControl c : kTransfers)
        EXPECT_TRUE(Enabled(c));
    EXPECT_TRUE(Enabled(DownloadControl::Update));
}

struct CancelCase {
    const char* what;
    QByteArray at;  // the command being answered when the user acts
    bool close;
    bool dumped;
};
const CancelCase kCancelCases[] = {
    {"cancel during the read", "HA,R,", false, false},
    {"cancel during the listing", "EF,R,", false, true},
    {"window closed during the read", "HA,R,", true, false},
};

class CompleteDownloadCancel : public DownloadCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(CompleteDownloadCancel, EndsTheSequenceOnceAndRestoresTheCommands) {
    const CancelCase& c = kCancelCases[GetParam()];
    SCOPED_TRACE(c.what);
    PutSnapshot();
    Connect();
    std::vector<bool> before = TransferStates();
    const qsizetype sentBefore = sim_.Sent().size();
    sim_.protocol.InjectFault(SimFault::Delay, 1, c.at.left(4), 5);
    bool acted = false;
    onTick = [&] {
        if (acted || sim_.Sent().size() <= sentBefore || !SentFrom(sentBefore).contains(c.at))
            return;
        acted = true;
        if (c.close)
            window_.closePending = true;
        PressCancel();
    };
    commands_.cmdDown_Click(0);
    onTick = nullptr;

    ASSERT_TRUE(acted);
    const QList<QByteArray> sent = SentFrom(sentBefore);
    EXPECT_EQ(sent.contains("EF,R,"), c.dumped);
    // After a cancel the link is brought back in step with a single read; not when closing.
    EXPECT_EQ(sent.last() == "IN,R,", !c.close);
    EXPECT_EQ(window_.logBox.back().second, LogColor::Failure);
    EXPECT_EQ(CommunicationLog().count(QStringLiteral("--- All download sequence Finished.")), 1);
    // The read that succeeded before a cancelled listing leaves the listing available.
    before[2] = c.dumped;
    EXPECT_EQ(TransferStates(), before);
    EXPECT_FALSE(window_.progressShown);
    EXPECT_EQ(State().BusyState, 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, CompleteDownloadCancel, ::testing::Range(0, 3));

struct FailedReadCase {
    const char* what;
    std::function<void(test::SimLink&)> fault;
    std::vector<int> lines;  // 5414 green, then the red ones
};
const FailedReadCase kFailedReads[] = {
    {"instrument silent", [](test::SimLink& s) { s.protocol.InjectFault(SimFault::NoAnswer, 20, "XZ,R"); },
     {5414, 5416}},
    {"garbled replies after the first", [](test::SimLink& s) { s.protocol.InjectFault(SimFault::Garble, 20, "XS,R"); },
     {5414, 5416}},
    {"clock reply unreadable",
     [](test::SimLink& s) {
         s.protocol.Register("HC,R", [](const sim::SimRequest& r, sim::SimInstrumentState&) {
             return sim::SimReply::Answer(r.code, "091331235959");  // month 13
         });
     },
     {5414, 5416, 5590}},
};

class FailedRead : public DownloadCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailedRead, IsReportedInRedAndKeepsTheListingDisabled) {
    const FailedReadCase& c = kFailedReads[GetParam()];
    SCOPED_TRACE(c.what);
    Connect();
    window_.logBox.clear();
    c.fault(sim_);
    EXPECT_FALSE(commands_.DownloadInstrument());
    std::vector<LogLine> expected;
    for (int id : c.lines)
        expected.push_back(Line(id, id == 5414 ? LogColor::Success : LogColor::Failure));
    EXPECT_EQ(window_.logBox, expected);
    EXPECT_FALSE(Enabled(DownloadControl::Down2));
    EXPECT_FALSE(window_.instrument.CommFlags());
    const QString log = CommunicationLog();
    EXPECT_TRUE(log.contains(QStringLiteral("---Instrument Download Fail Line---")));
    EXPECT_TRUE(log.contains(QStringLiteral("---Instrument Download Failed---. Date = 2026")));
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedRead, ::testing::Range(0, 3));

TEST_F(DownloadCommandsTest, WithoutAnInstrumentNothingIsSent) {
    EXPECT_FALSE(commands_.DownloadInstrument());
    EXPECT_TRUE(sim_.Sent().isEmpty());
    EXPECT_EQ(window_.logBox, std::vector<LogLine>({Line(5417, LogColor::Failure)}));
    EXPECT_TRUE(CommunicationLog().contains(GetResText(5522)));

    dialogs_.answers = {vbYes};
    commands_.cmdDown_Click(3);
    EXPECT_EQ(window_.logBox.back(), Line(5436, LogColor::Failure));
    EXPECT_TRUE(CommunicationLog().contains(GetResText(5559)));
    EXPECT_TRUE(sim_.Sent().isEmpty());
}

TEST_F(DownloadCommandsTest, ACompleteDownloadThatCannotStoreShowsTheCauseInRed) {
    {
        Database db(State().DatabasePath);
        db.execute("CREATE TRIGGER refuse BEFORE INSERT ON SnapShot BEGIN "
                   "SELECT RAISE(ABORT, 'attempt to write a readonly database'); END");
    }
    PutSnapshot();
    Connect();
    window_.logBox.clear();
    commands_.cmdDown_Click(0);

    EXPECT_EQ(SnapshotCount(), 0);
    const auto fail = std::find(window_.logBox.begin(), window_.logBox.end(),
                                LogLine(GetResText(5464, {GetResText(20002)}), LogColor::Failure));
    ASSERT_NE(fail, window_.logBox.end());
    ASSERT_NE(fail + 1, window_.logBox.end());
    EXPECT_EQ((fail + 1)->second, LogColor::Failure);
    EXPECT_TRUE((fail + 1)->first.contains("attempt to write a readonly database")) << (fail + 1)->first.toStdString();
}

TEST_F(DownloadCommandsTest, LostLineDuringTheListingFailsAndLeavesTheTransfersOff) {
    PutSnapshot();
    Connect();
    commands_.cmdDown_Click(1);
    window_.logBox.clear();
    onTick = [this] {
        if (sim_.Sent().count("EF,R,") == 1 && sim_.Sent().size() > 2 && sim_.Sent().back() != "EF,R,")
            sim_.instrument.takeOutOfCradle();
    };
    commands_.cmdDown_Click(2);
    onTick = nullptr;

    EXPECT_EQ(window_.lamps[0], LampState::On);
    EXPECT_EQ(window_.lamps[1], LampState::Off);
    EXPECT_FALSE(window_.calibrationLamps);
    EXPECT_EQ(window_.logBox.back(), LogLine(GetResText(5464, {GetResText(20002)}), LogColor::Failure));
    for (DownloadControl c : kTransfers)
        EXPECT_FALSE(Enabled(c)) << static_cast<int>(c);
    EXPECT_FALSE(Enabled(DownloadControl::Update));
    EXPECT_TRUE(Enabled(DownloadControl::AutoLoad0)) << "the automatic-mode boxes keep working";
    EXPECT_EQ(State().BusyState, 0);

    // The boxes still change the flags after the loss.
    window_.checked[0] = true;
    dialogs_.answers = {vbYes};
    commands_.chkAutoLoad_Click(0);
    EXPECT_TRUE(State().AutoLoadOn);
}

// A lost line leaves the link's status failed also when no transfer was waiting on it.
TEST_F(DownloadCommandsTest, ALostLineLeavesTheLinkFailedAlsoWhenIdle) {
    Connect();
    ASSERT_FALSE(IsWaitingStatus(link_.core.Status()));
    sim_.instrument.takeOutOfCradle();
    ASSERT_TRUE(sim_.StepUntil([this] { return window_.lamps[1] == LampState::Off; }, 100));
    EXPECT_EQ(link_.core.Status(), StatusFailed);
    EXPECT_FALSE(Enabled(DownloadControl::Down0));
}

TEST_F(DownloadCommandsTest, DataClearAndPowerOffAskFirst) {
    sim_.instrument.clockOffsetSeconds = 3 * 86400;
    Connect();
    commands_.cmdDown_Click(1);
    window_.logBox.clear();
    const std::vector<bool> before = TransferStates();

    // Declined: nothing sent, commands as before, no clock warning.
    for (int index : {3, 4}) {
        dialogs_.answers = {vbNo};
        const qsizetype sent = sim_.Sent().size();
        commands_.cmdDown_Click(index);
        EXPECT_EQ(sim_.Sent().size(), sent);
        EXPECT_EQ(TransferStates(), before);
    }
    EXPECT_TRUE(window_.logBox.empty());
    EXPECT_EQ(dialogs_.shown.at(0).text, GetResText(5343));
    EXPECT_EQ(dialogs_.shown.at(1).title, GetResText(5348));

    dialogs_.answers = {vbYes};
    commands_.cmdDown_Click(3);
    EXPECT_EQ(sim_.instrument.dataClears, 1);
    EXPECT_EQ(window_.logBox, std::vector<LogLine>({Line(5433, LogColor::Success), Line(5434, LogColor::Success),
                                                   Line(5591, LogColor::Failure)}));
    EXPECT_EQ(TransferStates(), before);

    window_.logBox.clear();
    window_.enabled[static_cast<int>(DownloadControl::OptionPage)] = false;
    dialogs_.answers = {vbYes};
    bool exitDuring = true;
    onTick = [&] {
        if (sim_.Sent().back() == "RO,W,")
            exitDuring = exitDuring && Enabled(DownloadControl::Exit);
    };
    commands_.cmdDown_Click(4);
    EXPECT_FALSE(exitDuring) << "the window may not close while the instrument is switched off";
    EXPECT_FALSE(sim_.instrument.poweredOn);
    EXPECT_EQ(window_.logBox, std::vector<LogLine>({Line(5406, LogColor::Success), Line(5407, LogColor::Success),
                                                   Line(5591, LogColor::Failure)}));
    EXPECT_EQ(window_.windowResets, 1);
    EXPECT_FALSE(window_.instrument.CommFlags());
    EXPECT_EQ(window_.identity.mid(0, 3), QStringList({"", "", ""}));
    for (DownloadControl c : kTransfers)
        EXPECT_FALSE(Enabled(c));
    EXPECT_FALSE(Enabled(DownloadControl::OptionPage)) << "back to its state before the command";
    EXPECT_TRUE(Enabled(DownloadControl::Exit));
}

struct AutoCase {
    const char* what;
    // Arranges the fault; may press cancel through the test's hook.
    std::function<void(test::SimLink&, std::function<void()>& onTick, std::function<void()> cancel,
                       const test::WindowStandIn&)>
        arrange;
    bool removes;
    bool ends;
    std::vector<std::pair<int, Long>> tail;  // the last lines of the log box
};
const AutoCase kAutoCases[] = {
    {"everything succeeds", [](auto&, auto&, auto, const auto&) {}, true, true,
     {{5434, LogColor::Success}, {5407, LogColor::Success}, {5410, PageColor::AutoFinished}}},
    {"removal refused",
     [](test::SimLink& s, auto&, auto, const auto&) { s.protocol.InjectFault(SimFault::Nak, 20, "XC,W"); }, false,
     false, {{5435, LogColor::Failure}, {5407, LogColor::Success}, {5411, LogColor::Failure}}},
    {"cancel during the read",
     [](test::SimLink& s, std::function<void()>& onTick, std::function<void()> cancel, const test::WindowStandIn& w) {
         s.protocol.InjectFault(SimFault::Delay, 1, "HA,R", 5);
         onTick = [&s, cancel, &w] {
             if (w.progressShown && !w.progressCanceled && !s.Sent().isEmpty() && s.Sent().back() == "HA,R,")
                 cancel();
         };
     },
     false, false, {{5462, LogColor::Failure}, {5407, LogColor::Success}, {5411, LogColor::Failure}}},
};

class AutomaticDownload : public DownloadCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(AutomaticDownload, RunsOnConnectionAndAlwaysSwitchesOff) {
    const AutoCase& c = kAutoCases[GetParam()];
    SCOPED_TRACE(c.what);
    PutSnapshot();
    State().AutoLoadOn = State().AutoRemoveOn = State().AutoTerminateOn = true;
    window_.checked = {true, true, true};
    c.arrange(sim_, onTick, [this] { PressCancel(); }, window_);
    Connect();
    onTick = nullptr;

    const std::vector<LogLine>& lines = window_.logBox;
    ASSERT_GE(lines.size(), 2u + c.tail.size());
    EXPECT_EQ(lines[0], Line(5432, PageColor::Connection, {QStringLiteral("MT-52")}));
    EXPECT_EQ(lines[1], Line(5401, LogColor::DumpList));
    std::vector<LogLine> tail;
    for (auto [id, color] : c.tail)
        tail.push_back(Line(id, color));
    EXPECT_EQ(std::vector<LogLine>(lines.end() - static_cast<long>(tail.size()), lines.end()), tail);
    EXPECT_EQ(sim_.instrument.dataClears, c.removes ? 1 : 0);
    EXPECT_FALSE(sim_.instrument.poweredOn) << "switched off in every case";
    EXPECT_EQ(window_.programEnds, c.ends ? 1 : 0);
    EXPECT_TRUE(CommunicationLog().contains(c.ends ? QStringLiteral("---Automatic Mode Camplate Finished---")
                                                   : QStringLiteral("---Automatic Mode Failed Finished---")));
    for (DownloadControl t : kTransfers)
        EXPECT_FALSE(Enabled(t));
    EXPECT_FALSE(Enabled(DownloadControl::Update));
    EXPECT_TRUE(Enabled(DownloadControl::AutoLoad0));
    EXPECT_TRUE(Enabled(DownloadControl::AutoLoad1));
    EXPECT_FALSE(Enabled(DownloadControl::AutoLoad2)) << "the termination box waits for a click on box 0";
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_FALSE(window_.progressShown);
}

INSTANTIATE_TEST_SUITE_P(Paths, AutomaticDownload, ::testing::Range(0, 3));

TEST_F(DownloadCommandsTest, AutomaticDownloadPausesTwoSecondsBeforeTheSwitchOff) {
    State().AutoLoadOn = State().AutoRemoveOn = true;
    // When each command was first seen on the line.
    std::vector<std::pair<QByteArray, QDateTime>> seen;
    onTick = [&] {
        for (qsizetype i = static_cast<qsizetype>(seen.size()); i < sim_.Sent().size(); ++i)
            seen.emplace_back(sim_.Sent()[i], clock_.now());
    };
    Connect();
    QDateTime lastRemovalPoll, switchOff;
    for (const auto& [command, when] : seen) {
        if (command == "XC,C,")
            lastRemovalPoll = when;
        if (command == "RO,W,")
            switchOff = when;
    }
    ASSERT_TRUE(lastRemovalPoll.isValid() && switchOff.isValid());
    const qint64 pause = lastRemovalPoll.msecsTo(switchOff);
    EXPECT_GE(pause, 2000);
    EXPECT_LE(pause, 2500);
}

TEST_F(DownloadCommandsTest, AutomaticModeBoxesAskAndKeepTheFlagsInStep) {
    struct Case {
        const char* what;
        int box;
        bool check;  // the box's new check mark
        int answer;
        bool load, remove, terminate;                 // flags before
        bool loadAfter, removeAfter, terminateAfter;  // flags after
        std::array<bool, 3> checksAfter;
        int question;  // text id asked, 0 for none
    };
    const Case cases[] = {
        {"download on, yes", 0, true, vbYes, false, false, false, true, false, false, {true, false, false}, 5303},
        {"download on, no", 0, true, vbNo, false, false, false, false, false, false, {false, false, false}, 5303},
        {"download off, yes", 0, false, vbYes, true, true, true, false, false, false, {false, false, false}, 5305},
        {"download off, no", 0, false, vbNo, true, true, false, true, true, false, {true, true, false}, 5305},
        {"removal on, no", 1, true, vbNo, true, false, false, true, false, false, {true, false, false}, 5333},
        {"removal off", 1, false, vbYes, true, true, false, true, false, false, {true, false, false}, 0},
        {"termination on, yes", 2, true, vbYes, true, false, false, true, false, true, {true, false, true}, 5062},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        State().AutoLoadOn = c.load;
        State().AutoRemoveOn = c.remove;
        State().AutoTerminateOn = c.terminate;
        window_.checked = {c.load, c.remove, c.terminate};
        window_.checked[c.box] = c.check;
        dialogs_.shown.clear();
        dialogs_.answers = {c.answer};
        commands_.chkAutoLoad_Click(c.box);
        EXPECT_EQ(State().AutoLoadOn, c.loadAfter);
        EXPECT_EQ(State().AutoRemoveOn, c.removeAfter);
        EXPECT_EQ(State().AutoTerminateOn, c.terminateAfter);
        EXPECT_EQ(window_.checked, c.checksAfter);
        EXPECT_EQ(dialogs_.shown.size(), c.question ? 1u : 0u);
        if (c.question) {
            EXPECT_EQ(dialogs_.shown[0].text, GetResText(c.question));
        }
        dialogs_.answers.clear();
    }
}

}  // namespace
}  // namespace mt52
