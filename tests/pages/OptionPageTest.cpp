// The option page: its display of each layout, the identity boxes, the settings grid's editing
// and checks, its commands against the simulated instrument, and the settings log.
#include "main_window/LogBox.h"
#include "main_window/pages/OptionGridChecks.h"
#include "main_window/pages/OptionSettings.h"
#include "main_window/pages/SettingLog.h"
#include "pages/PageFixture.h"
#include "platform/GridModel.h"
#include "support/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>

namespace mt52 {
namespace {

using sim::SimFault;
using test::LogLine;

QStringList Row(const GridModel& grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid.Cols(); ++col)
        texts << grid.TextMatrix(row, col);
    return texts;
}

LogLine Line(int id, Long color) { return {GetResText(id), color}; }

// A read instrument whose first gas is methane in %LEL with one decimal and a step of 0.5.
void FillGas(clsInstrument& instrument) {
    instrument.CommFlags(true);
    instrument.SerialNo(QStringLiteral("SN1"));
    instrument.StationID(QStringLiteral("ST1"));
    instrument.UserID(QStringLiteral("U1"));
    instrument.GasEnabled(0, true);
    instrument.GasName(0, QStringLiteral("CH4"));
    instrument.GasUnit(0, QStringLiteral("%LEL"));
    instrument.GasFullScale(0, 100);
    instrument.GasPoint(0, 1);
    instrument.GasDesit(0, 0.5f);
    instrument.Warning(0, 10);
    instrument.Alarm(0, 50);
    instrument.Stel(0, -101);
    instrument.Twa(0, -101);
    instrument.AutoCalib(0, 50);
    instrument.Intervals(180);
    instrument.ClearChangeFlags();
}

class OptionDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        SetInterfaceLanguage(Language::English);
        SampleInstrument().GasName(0, QStringLiteral("CH4"));
        SampleInstrument().GasUnit(0, QStringLiteral("%LEL"));
        SampleInstrument().GasFullScale(0, 100);
        FillGas(instrument);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        test::ResetProgramState();
    }
    clsInstrument instrument;
    GridModel grid;
    bool busy = false;
};

TEST_F(OptionDisplayTest, WithoutInstrumentDataTheSampleGasShowsWithDashes) {
    struct Case {
        const char* what;
        bool connected;
        Long status;
        bool read;
    };
    const Case cases[] = {{"no instrument", false, 0, true}, {"connected, not read", true, 6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        instrument.CommFlags(c.read);
        const OptionDisplay d = ShowInstrumentSettings(instrument, {c.connected, c.status}, grid);
        EXPECT_FALSE(d.dataPresent);
        EXPECT_EQ(d.commandsEnabled, c.connected);
        EXPECT_FALSE(d.factoryButtonsVisible);
        EXPECT_EQ(d.identity, (std::array<QString, 3>{}));
        EXPECT_EQ(d.intervalEntry, 5);
        EXPECT_EQ(d.intermittenceEntry, 5);
        ASSERT_EQ(grid.Rows(), 7);
        ASSERT_EQ(grid.Cols(), 6);
        EXPECT_EQ(Row(grid, 0), QStringList({"", "Warning and Alarm point", "Warning and Alarm point",
                                             "Warning and Alarm point", "Warning and Alarm point", ""}));
        EXPECT_EQ(Row(grid, 1), QStringList({"Gas", "Warning", "Alarm", "STEL", "TWA", "Auto Cal."}));
        EXPECT_EQ(Row(grid, 2).mid(1), QStringList(5, "-----"));
        EXPECT_EQ(grid.CellBackColor(2, 1), 0);
        EXPECT_EQ(grid.CellBackColor(3, 4), grid.BackColorFixed());
        EXPECT_EQ(grid.CellBackColor(6, 1), grid.BackColorFixed());
        // Nothing to edit without an instrument.
        OptionGridEditor editor(grid, instrument, busy);
        editor.SetDataPresent(d.dataPresent);
        bool cancel = false;
        editor.BeforeEdit(2, 1, cancel);
        EXPECT_TRUE(cancel);
    }
}

TEST_F(OptionDisplayTest, ReadInstrumentShowsItsSettingsAndMarksWithoutWritingTheModel) {
    instrument.Warning(0, 10);
    instrument.Alarm(0, 5);  // out of order
    instrument.ClearChangeFlags();
    const OptionDisplay d = ShowInstrumentSettings(instrument, {true, 6}, grid);
    EXPECT_TRUE(d.dataPresent);
    EXPECT_TRUE(d.framDumpEnabled);
    EXPECT_EQ(d.identity, (std::array<QString, 3>{"SN1", "ST1", "U1"}));
    EXPECT_EQ(d.intervalEntry, 4);
    EXPECT_FALSE(d.intermittenceEntry.has_value());
    ASSERT_EQ(grid.Rows(), 3);
    EXPECT_EQ(Row(grid, 0).mid(1), QStringList(5, "Sensor"));
    EXPECT_EQ(Row(grid, 2).mid(1), QStringList({"10.0", "5.0", "-----", "-----", "50.0"}));
    EXPECT_EQ(grid.CellBackColor(2, 1), ProblemColor);
    EXPECT_EQ(grid.CellBackColor(2, 2), ProblemColor);
    EXPECT_EQ(grid.CellBackColor(2, 3), grid.BackColorFixed());
    EXPECT_EQ(grid.CellBackColor(2, 5), 0);
    EXPECT_FALSE(instrument.Change_Interval()) << "showing settings changes nothing";

    for (auto [seconds, entry] : {std::pair<Integer, int>{120, 5}, {300, 5}, {10, 0}, {600, 6}}) {
        instrument.Intervals(seconds);
        EXPECT_EQ(ShowInstrumentSettings(instrument, {true, 6}, grid).intervalEntry, entry) << seconds;
    }

    // A missing level never marks the order.
    instrument.Alarm(0, -101);
    ShowInstrumentSettings(instrument, {true, 6}, grid);
    EXPECT_EQ(grid.CellBackColor(2, 1), 0);

    // The factory layout: the sensor box column, four gas rows.
    State().FactoryMode = true;
    State().GasLockedFlags[0] = true;
    const OptionDisplay wide = ShowInstrumentSettings(instrument, {true, 6}, grid);
    EXPECT_TRUE(wide.factoryButtonsVisible);
    ASSERT_EQ(grid.Rows(), 6);
    ASSERT_EQ(grid.Cols(), 7);
    EXPECT_EQ(Row(grid, 1), QStringList({"Gas", "Enable", "Warning", "Alarm", "STEL", "TWA", "Auto Cal."}));
    EXPECT_EQ(grid.CellChecked(2, 1), Checked);
    EXPECT_EQ(grid.CellBackColor(2, 1), grid.BackColorFixed());
    EXPECT_EQ(grid.CellBackColor(3, 5), grid.BackColorFixed());
}

TEST_F(OptionDisplayTest, IdentityBoxesKeepTheSameTextTypedOrPasted) {
    struct Case {
        int box;
        QString text;
        QString kept;
    };
    const Case cases[] = {
        {0, "abc-12*", "ABC-12*"},
        {1, "st/01_x y", "ST01X Y"},
        {0, QString(25, u'a'), QString(20, u'A')},
        {2, QString(17, u'9'), QString(16, u'9')},
        {2, QStringLiteral("ü1"), "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterIdentityText(c.box, c.text), c.kept) << c.text.toStdString();

    StoreIdentity(instrument, 0, QString());
    EXPECT_EQ(instrument.SerialNo(), QString(20, u'-'));
    StoreIdentity(instrument, 2, QStringLiteral("NEW"));
    EXPECT_EQ(instrument.UserID(), "NEW");
    EXPECT_TRUE(instrument.Change_UserID());

    ChooseInterval(instrument, 4);  // already 180
    EXPECT_FALSE(instrument.Change_Interval());
    ChooseInterval(instrument, 6);
    EXPECT_EQ(instrument.Intervals(), 600);
    EXPECT_TRUE(instrument.Change_Interval());
    ChooseInterval(instrument, 7);
    EXPECT_EQ(instrument.Intervals(), 600);
}

TEST_F(OptionDisplayTest, GridEditsAreCheckedSnappedAndStored) {
    test::FakeDialogs dialogs;
    struct Case {
        const char* what;
        int col;
        QString text;
        bool accepted;
        QString shown;  // the editor's text afterwards
        Single stored;  // the column's value in the model afterwards
    };
    const Case cases[] = {
        {"negative warning snaps to 0", 1, "-5", true, "0.0", 0},
        {"half steps go to the even step", 1, "12.25", true, "12.0", 12},
        {"and up", 1, "12.75", true, "13.0", 13},
        {"to the nearest step", 1, "12.3", true, "12.5", 12.5f},
        {"alarm at 0.6 of full scale", 2, "60", true, "60.0", 60},
        {"alarm a step above", 2, "60.5", false, "60.5", 50},
        {"STEL of the first gas", 3, "1", false, "1", -101},
        {"empty warning", 1, "", false, "-----", 10},
        {"dashes in the warning are refused", 1, "-----", false, "-----", 10},
        {"and in the alarm", 2, "--", false, "--", 50},
        {"and in the STEL", 3, "-----", false, "-----", -101},
        {"and in the TWA", 4, " ----- ", false, " ----- ", -101},
        {"dashes clear the span concentration", 5, "-----", true, "-----", -101},
        {"letters", 1, "abc", false, "abc", 10},
        {"empty span concentration", 5, " ", true, "-----", -101},
        {"span above full scale", 5, "150", false, "150", 50},
        {"negative span", 5, "-1", false, "-1", 50},
        {"span below the warning point", 5, "5", false, "5", 50},
        {"span", 5, "40.3", true, "40.5", 40.5f},
    };
    const auto valueOf = [this](int col) {
        switch (col) {
        case 1: return instrument.Warning(0);
        case 2: return instrument.Alarm(0);
        case 3: return instrument.Stel(0);
        case 4: return instrument.Twa(0);
        default: return instrument.AutoCalib(0);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillGas(instrument);
        ShowInstrumentSettings(instrument, {true, 6}, grid);
        OptionGridEditor editor(grid, instrument, busy);
        editor.SetDataPresent(true);
        QString text = c.text;
        bool cancel = false;
        editor.ValidateEdit(2, c.col, text, cancel);
        EXPECT_EQ(!cancel, c.accepted);
        EXPECT_EQ(text, c.shown);
        EXPECT_EQ(valueOf(c.col), c.stored);
        EXPECT_FALSE(busy);
    }
    EXPECT_TRUE(dialogs.shown.empty());

    // A number the display step cannot count is refused with a message.
    FillGas(instrument);
    instrument.GasDesit(0, 0.001f);
    OptionGridEditor editor(grid, instrument, busy);
    editor.SetDataPresent(true);
    QString text = QStringLiteral("90000");
    bool cancel = false;
    editor.ValidateEdit(2, 1, text, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(instrument.Warning(0), 10);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("90000 cannot be stored"));

    // A check after an edit paints out-of-order points and clears the lock of the STEL cell's row.
    text = QStringLiteral("60");
    instrument.GasDesit(0, 0.5f);
    editor.ValidateEdit(2, 1, text, cancel);
    EXPECT_EQ(grid.CellBackColor(2, 1), ProblemColor);
    EXPECT_EQ(grid.CellBackColor(2, 2), ProblemColor);

    // Headings, locked cells and a nested edit are left alone.
    for (auto [row, col] : {std::pair<int, int>{1, 1}, {2, 3}}) {
        cancel = false;
        editor.BeforeEdit(row, col, cancel);
        EXPECT_TRUE(cancel) << row << "," << col;
    }
    cancel = false;
    editor.BeforeEdit(2, 2, cancel);
    EXPECT_FALSE(cancel);
    busy = true;
    text = QStringLiteral("abc");
    cancel = false;
    editor.ValidateEdit(2, 1, text, cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(instrument.Warning(0), 60);
}

TEST(OptionGridChecksTest, SetPointRangesAndOrder) {
    clsInstrument i;
    i.GasFullScale(0, 100);
    struct Case {
        Integer slot;
        Integer alarmO2;
        Single value;
        Integer level;
        bool allowed;
    };
    const Case cases[] = {
        {0, 0, 0, 1, true},     {0, 0, -0.1f, 1, false}, {0, 0, 60, 2, true},     {0, 0, 60.1f, 2, false},
        {0, 0, 1, 3, false},    {0, 0, 1, 4, false},     {1, 1, 18, 1, true},     {1, 1, 20.9f, 1, true},
        {1, 1, 17.9f, 1, false}, {1, 1, 21, 1, false},   {1, 0, 25, 2, true},     {1, 0, 25.1f, 2, false},
        {1, 2, 19, 1, true},    {1, 2, 19.6f, 1, false}, {1, 3, 19, 1, false},    {2, 0, 30, 3, true},
        {3, 0, 200, 4, true},   {3, 0, 201, 4, false},   {4, 0, 1, 1, false},     {0, 0, 1, 5, false},
    };
    i.Alarm(1, 19.5f);
    for (const Case& c : cases) {
        i.AlarmO2(c.alarmO2);
        EXPECT_EQ(CheckAlarmRange(i, c.slot, c.value, c.level), c.allowed)
            << "slot " << c.slot << " type " << c.alarmO2 << " value " << c.value << " level " << c.level;
    }

    i.Warning(1, 19.5f);
    i.Alarm(1, 18);
    i.AlarmO2(1);
    EXPECT_TRUE(CheckAlarmOrder(i, 1));
    i.AlarmO2(0);
    EXPECT_FALSE(CheckAlarmOrder(i, 1));
    i.Warning(0, 10);
    i.Alarm(0, -101);
    EXPECT_TRUE(CheckAlarmOrder(i, 0));
}

class OptionCommandsTest : public test::PageFixture {
protected:
    // The option page as its commands see it.
    struct Host final : OptionPageHost {
        test::WindowStandIn& window;
        int transferLocks = 0;
        bool transfersEnabled = true;
        int calibrationEntries = 0;
        explicit Host(test::WindowStandIn& w) : window(w) {}
        clsInstrument& CurrentInstrument() override { return window.instrument; }
        void AddLogText(const QString& t, Long c) override { window.AddLogText(t, c); }
        void SetBusyPointer(bool) override {}
        void ShowProgress(const QString& caption) override { window.ShowProgress(caption); }
        void SetProgressLabel(const QString& text) override { window.SetProgressLabel(text); }
        void CloseProgress() override { window.CloseProgress(); }
        bool ProgressCanceled() const override { return window.ProgressCanceled(); }
        bool ClosePending() const override { return window.ClosePending(); }
        void SetTransferCommandsEnabled(bool on) override {
            transfersEnabled = on;
            transferLocks += on ? 0 : 1;
        }
        void EnterCalibrationMode() override { ++calibrationEntries; }
    };

    void SetUp() override {
        PageFixture::SetUp();
        ASSERT_TRUE(sim_.Connect());
        ASSERT_TRUE(settings_.GetInstrument(&window_.instrument));
        window_.instrument.CommFlags(true);
        sentBefore_ = sim_.Sent().size();
    }
    QList<QByteArray> Sent() const { return SentFrom(sentBefore_); }

    Host host_{window_};
    OptionCommands commands_{link_, host_};
    qsizetype sentBefore_ = 0;
};

TEST_F(OptionCommandsTest, UploadSendsTheChangedIdentityAndSaysWhenNothingChanged) {
    dialogs_.answers = {vbNo};
    window_.instrument.UserID(QStringLiteral("USER2"));
    commands_.cmdOption_Click(0);
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_TRUE(window_.logBox.empty());

    dialogs_.answers = {vbYes};
    sim_.protocol.InjectFault(SimFault::Delay, 1, "XZ,W", 3);
    bool lockedDuring = false;
    onTick = [&] { lockedDuring = lockedDuring || !host_.transfersEnabled; };
    commands_.cmdOption_Click(0);
    // The CS value read from the instrument stays flagged and goes back with every upload.
    EXPECT_EQ(Sent(), QList<QByteArray>({"XZ,W," + QByteArray("USER2").leftJustified(16, ' '), "CS,W,20", "DW,W,"}));
    EXPECT_FALSE(window_.instrument.Change_UserID());
    EXPECT_TRUE(lockedDuring);
    EXPECT_TRUE(host_.transfersEnabled);
    EXPECT_EQ(window_.logBox, std::vector<LogLine>({Line(5428, LogColor::Success), Line(5429, LogColor::Success)}));
    EXPECT_EQ(window_.progressCaption, GetResText(6057));
    EXPECT_FALSE(window_.progressShown);
    ASSERT_EQ(dialogs_.shown.size(), 3u);
    EXPECT_EQ(dialogs_.shown[2].text, GetResText(5311));

    // Nothing changed since: nothing is sent and the page says so, without the completion box.
    window_.logBox.clear();
    const qsizetype sent = sim_.Sent().size();
    dialogs_.answers = {vbYes};
    commands_.cmdOption_Click(0);
    EXPECT_EQ(sim_.Sent().size(), sent);
    EXPECT_EQ(window_.logBox.back(), Line(20500, LogColor::Instrument));
    EXPECT_EQ(dialogs_.shown.size(), 4u);
}

TEST_F(OptionCommandsTest, FailedUploadOrClockIsRedAndKeepsWhatItDidNotSend) {
    window_.instrument.SysDateOffset(Date(2.0));
    sim_.protocol.InjectFault(SimFault::Nak, 20, "HC,W");
    dialogs_.answers = {vbYes};
    commands_.cmdOption_Click(1);
    EXPECT_EQ(window_.logBox.back(), Line(20502, LogColor::Failure));
    EXPECT_EQ(window_.instrument.SysDateOffset().value(), 2.0) << "the offset stays until the clock is set";
    EXPECT_EQ(dialogs_.shown.size(), 1u) << "no completion box";

    sim_.protocol.ClearFaults();
    dialogs_.answers = {vbYes};
    commands_.cmdOption_Click(1);
    EXPECT_EQ(window_.logBox.back(), Line(5429, LogColor::Success));
    EXPECT_EQ(window_.instrument.SysDateOffset().value(), 0.0);
    EXPECT_EQ(Sent().last().left(5), "HC,W,");

    window_.instrument.UserID(QStringLiteral("U2"));
    window_.instrument.SerialNo(QStringLiteral("S2"));
    sim_.protocol.InjectFault(SimFault::Garble, 20, "IN,W");
    dialogs_.answers = {vbYes};
    commands_.cmdOption_Click(0);
    EXPECT_EQ(window_.logBox.back(), Line(20501, LogColor::Failure));
    EXPECT_FALSE(window_.instrument.Change_UserID()) << "the user ID went before the failure";
    EXPECT_TRUE(window_.instrument.Change_SerialNo()) << "kept for the next upload";
    EXPECT_FALSE(Sent().contains("DW,W,"));
}

TEST(SettingLogTest, HeaderOnceThenOneRowPerAppend) {
    test::ResetProgramState();
    SetInterfaceLanguage(Language::English);
    QTemporaryDir dir;
    State().StartDir = dir.path();
    State().RecordSuffix = QStringLiteral("_A");
    ManualClock clock(QDateTime(QDate(2026, 4, 1), QTime(10, 0, 0)));
    ScopedClock useClock(clock);

    clsInstrument i;
    i.SerialNo(QStringLiteral("SN0042"));
    i.SpecNo(QStringLiteral("SPEC01"));
    i.RomNumber(123);
    i.SUM(QStringLiteral("1A2B"));
    i.StationID(QStringLiteral("ST,01"));
    i.UserID(QStringLiteral("USER01"));
    i.LcdBackLight(30);
    i.Buzzerfrequency(2000.5f);
    i.PumpDutyRatio(100);
    i.LEDDutyRatio(500);
    i.SpanVal(16);
    i.ColorChartVal(255);
    i.CSData(32);
    i.KeyState(1);
    i.MT(12);
    i.EJ(3);
    i.C_White(12.5f);
    i.C_grey(3);
    i.C_ratio(0.25f);
    i.C_factor(1.5f);
    i.LSstr(QStringLiteral("0101"));
    for (Integer n = 0; n <= 30; ++n) {
        i.LI_tabNo(n, n);
        i.LI_Name(n, QStringLiteral("GAS%1").arg(n));
        i.LI_FullScale(n, 100);
        i.LI_Digit(n, 0.5f);
        i.LI_Unit(n, QStringLiteral("ppm"));
    }
    i.SysDateOffset(Date(1.5));  // the instrument runs a day and a half behind
    ASSERT_TRUE(AppendSettingLog(i, SettingLogKind::Read));
    ASSERT_TRUE(AppendSettingLog(i, SettingLogKind::Write));

    const QString path = dir.filePath(QStringLiteral("MT50mk2_Setting_A.csv"));
    EXPECT_EQ(SettingLogPath(), path);
    const QStringList lines = QString::fromUtf8(test::ReadFile(path)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);  // header, two rows, nothing after the last line end
    QString header = "Kind,PC Date/Time,MT-52 Date/Time,Serial No.,Spec No.,ROM,SUM,Station ID,User ID,"
                     "LCD Backlight Time(0-60sec),Buzzer Frequency,Pump Duty Ratio,LED Duty Ratio,Span/Color Chart,"
                     "CS Data,Key State,MT,EJ,White/Grey/Ratio/Factor,LS";
    for (int n = 1; n <= 30; ++n)
        header += QStringLiteral(",Library%1").arg(n);
    EXPECT_EQ(lines[0], header);
    // The station ID holds a comma: quoted, so the row keeps its fields.
    QString row = "Read,2026/04/01 10:00:00,2026/03/30 22:00:00,SN0042,SPEC01,00123,1A2B,\"ST,01\",USER01,"
                  "30,2000.5,100,500,16 255,32,1,12,3,12.5 3 0.25 1.5,0101";
    for (int n = 1; n <= 30; ++n)
        row += QStringLiteral(",%1 GAS%1 100 0.5 ppm").arg(n);
    EXPECT_EQ(lines[1], row);
    EXPECT_EQ(lines[2], QString(row).replace(0, 4, QStringLiteral("Write")));
    EXPECT_TRUE(lines[3].isEmpty());

    i.RomNumber(1234567);
    EXPECT_EQ(SettingLogRow(i, SettingLogKind::Read)[5], "34567");
    ResetInterfaceLanguage();
    test::ResetProgramState();
}

}  // namespace
}  // namespace mt52
