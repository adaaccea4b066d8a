// The Instruments page's displays, the calibration-due states, the span-concentration check and
// the gas-type table's application.
#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/LinkStatus.h"
#include "main_window/pages/GasTypes.h"
#include "main_window/pages/InstrumentInfo.h"
#include "main_window/pages/PageNavigation.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

QStringList Row(const GridModel& grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid.Cols(); ++col)
        texts << grid.TextMatrix(row, col);
    return texts;
}

std::vector<Long> RowColors(const GridModel& grid, int row) {
    std::vector<Long> colors;
    for (int col = 0; col < grid.Cols(); ++col)
        colors.push_back(grid.CellBackColor(row, col));
    return colors;
}

class InstrumentInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        SetInterfaceLanguage(Language::English);
        SampleInstrument().GasName(0, QStringLiteral("CH4"));
        SampleInstrument().GasUnit(0, QStringLiteral("%LEL"));
        SampleInstrument().GasFullScale(0, 100);
        instrument.CommFlags(true);
        instrument.SerialNo(QStringLiteral("SN1"));
        instrument.StationID(QStringLiteral("ST1"));
        instrument.UserID(QStringLiteral("U1"));
        instrument.RomNumber(123);
        instrument.GasEnabled(0, true);
        instrument.GasName(0, QStringLiteral("CH4"));
        instrument.GasUnit(0, QStringLiteral("%LEL"));
        instrument.GasFullScale(0, 100);
        instrument.GasPoint(0, 1);
        instrument.CalibBefore(0, 0.5f);
        instrument.CalibAfter(0, 50);
        instrument.AutoCalib(0, 50);
        instrument.Warning(0, 10);
        instrument.Alarm(0, 50);
        instrument.Stel(0, -101);
        instrument.Twa(0, -101);
        inputs.linkStatus = StatusDone;
        inputs.calLimit = 30;
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        test::ResetProgramState();
    }
    Date DaysAgo(double days) const { return Date::FromDateTime(clock_.now().addMSecs(-qint64(days * 86400000))); }
    InstrumentInfoLabels Show() { return ShowInstrumentInfo(instrument, inputs, vfgInst, vfgInstSensor); }

    ManualClock clock_{QDateTime(QDate(2026, 4, 1), QTime(12, 0, 0))};
    ScopedClock useClock_{clock_};
    clsInstrument instrument;
    InstrumentInfoInputs inputs;
    GridModel vfgInst;
    GridModel vfgInstSensor;
};

TEST_F(InstrumentInfoTest, NothingReadShowsTheSampleGasWithDashes) {
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "never connected" : "not read");
        inputs.linkStatus = variant == 0 ? StatusInitial : StatusDone;
        instrument.CommFlags(variant == 0);
        const InstrumentInfoLabels labels = Show();
        EXPECT_EQ(labels.caption, GetResText(5057));
        EXPECT_EQ(labels.values, (std::array<QString, 5>{}));
        EXPECT_FALSE(labels.factoryFieldsVisible);
        ASSERT_EQ(vfgInst.Rows(), 7);
        ASSERT_EQ(vfgInst.Cols(), 6);
        EXPECT_EQ(Row(vfgInst, 0), QStringList({"", "Calibration History", "Calibration History", "Calibration History",
                                                "Calibration History", "Calibration History"}));
        EXPECT_EQ(Row(vfgInst, 1), QStringList({"Gas", "Calib.Date", "Before", "After", "A.Cal.", "Cal.Due(Days)"}));
        const QString sample = GasCaption("CH4", "%LEL", 100, 0);
        EXPECT_EQ(Row(vfgInst, 2), QStringList({sample, "", "-----", "-----", "-----", ""}));
        EXPECT_EQ(RowColors(vfgInst, 2), std::vector<Long>(6, 0));
        EXPECT_TRUE(vfgInst.MergeRow(0));
        EXPECT_FALSE(vfgInst.MergeRow(1));
        EXPECT_EQ(vfgInstSensor.Rows(), 7);
        EXPECT_EQ(Row(vfgInstSensor, 2), QStringList({sample, "-----", "-----", "-----", "-----"}));
    }
}

TEST_F(InstrumentInfoTest, StoredInstrumentHasNoDueColumn) {
    inputs.showingStoredInstrument = true;
    inputs.linkStatus = StatusInitial;
    instrument.CalibDate(0, DaysAgo(100));
    const InstrumentInfoLabels labels = Show();
    EXPECT_EQ(labels.caption, GetResText(5058));
    EXPECT_EQ(labels.values, (std::array<QString, 5>{"SN1", "ST1", "U1", "00123", ""}));
    ASSERT_EQ(vfgInst.Rows(), 6);
    ASSERT_EQ(vfgInst.Cols(), 5);
    EXPECT_EQ(Row(vfgInst, 1), QStringList({"Gas", "Calib.Date", "Before", "After", "A.Cal."}));
    EXPECT_EQ(Row(vfgInst, 2),
              QStringList({GasCaptionOf(instrument, 0), "2025/12/22 12:00:00", "0.5", "50.0", "50.0"}));
    EXPECT_EQ(RowColors(vfgInst, 2), std::vector<Long>(5, 0));
    EXPECT_EQ(vfgInstSensor.Rows(), 3);
    EXPECT_EQ(Row(vfgInstSensor, 2), QStringList({GasCaptionOf(instrument, 0), "10.0", "50.0", "-----", "-----"}));
    EXPECT_EQ(vfgInstSensor.CellAlignment(1, 0), AlignCenterCenter);
    EXPECT_TRUE(vfgInstSensor.MergeCol(3));
}

TEST_F(InstrumentInfoTest, ConnectedInstrumentShowsItsCalibrationDueState) {
    struct Case {
        const char* what;
        double daysAgo;  // the last calibration; negative: in the future
        Integer warnDays;
        QString due;
        Long color;
    };
    const Case cases[] = {
        {"overdue", 31, 5, "Now", CalColor::Overdue},
        {"due within the warning days", 27, 5, "Remaining 3 Day", CalColor::DueSoon},
        {"in time", 10, 5, "20", 0},
        {"due exactly now", 30, 0, "0", 0},
        {"due now with warning days", 30, 1, "Remaining 0 Day", CalColor::DueSoon},
        {"two and a half days rounds down to even", 27.5, 0, "2", 0},
        {"three and a half days rounds up to even", 26.5, 0, "4", 0},
        {"calibrated in the future", -5, 0, "35", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        State().CalDueWarnDays = c.warnDays;
        instrument.CalibDate(0, DaysAgo(c.daysAgo));
        const InstrumentInfoLabels labels = Show();
        EXPECT_EQ(labels.caption, GetResText(5059));
        ASSERT_EQ(vfgInst.Rows(), 3);
        const QStringList row = Row(vfgInst, 2);
        EXPECT_EQ(row.mid(2), QStringList({"0.5", "50.0", "50.0", c.due}));
        EXPECT_EQ(vfgInst.CellBackColor(2, 5), c.color);
        EXPECT_EQ(vfgInst.CellBackColor(2, 1), 0);
    }
}

TEST_F(InstrumentInfoTest, ConnectedRowsWithoutDateDisabledGasOrFailedSpan) {
    instrument.CalibDate(0, Date(0));
    Show();
    EXPECT_EQ(Row(vfgInst, 2).mid(1), QStringList({"", "0.5", "50.0", "50.0", ""}));
    EXPECT_EQ(RowColors(vfgInst, 2), std::vector<Long>(6, 0));

    instrument.GasEnabled(0, false);
    Show();
    EXPECT_EQ(Row(vfgInst, 2).mid(1), QStringList(5, "-----"));
    EXPECT_EQ(RowColors(vfgInst, 2), std::vector<Long>(6, 0));

    // A span of the gas running while its last calibration is older than two hours has failed.
    instrument.GasEnabled(0, true);
    instrument.CalibDate(0, DaysAgo(3.0 / 24));
    State().BusyState = 4;
    inputs.spanSelected = true;
    Show();
    EXPECT_EQ(Row(vfgInst, 2).mid(2), QStringList({"0.0", "FAIL", "50.0", "30"}));
    EXPECT_EQ(RowColors(vfgInst, 2), std::vector<Long>({0, 255, 255, 255, 255, 0}));
    // One calibrated an hour ago is the span that just succeeded.
    instrument.CalibDate(0, DaysAgo(1.0 / 24));
    Show();
    EXPECT_EQ(vfgInst.TextMatrix(2, 3), "50.0");
}

TEST(GasTypesTest, SpanConcentrationMustReachARisingGasWarningAndNotExceedOxygens) {
    struct Case {
        const char* gas;
        Integer slot;
        Integer alarmO2;
        Single warning;
        Single value;
        bool accepted;
    };
    const Case cases[] = {
        {"CH4", 0, 0, 10, -101, true},   {"CH4", 0, 0, -101, 9.9f, false}, {"CH4", 0, 0, -101, 10, true},
        {"CH4", 0, 0, 25, 24.9f, false}, {"O2", 1, 2, 18, 19.5f, true},    {"O2", 1, 2, 18, 20.9f, false},
        {"O2", 1, 0, 18, 18, true},      {"O2", 1, 0, 18, 18.5f, false},   {"OXY", 1, 0, -101, 19.5f, true},
        {"o2", 1, 0, 18, 18.5f, true},   {"O2 ", 1, 0, 18, 18.5f, true},   {"H2S", 4, 0, -101, 0, true},
        {"O2", 4, 0, -101, 0, true},     {"O2", 4, 0, -101, 0.1f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 slot %2 value %3").arg(c.gas).arg(c.slot).arg(c.value).toStdString());
        clsInstrument instrument;
        instrument.GasName(c.slot, QString::fromLatin1(c.gas));
        instrument.AlarmO2(c.alarmO2);
        instrument.Warning(c.slot, c.warning);
        EXPECT_EQ(CheckAutoCalRange(instrument, c.slot, c.value), c.accepted);
    }
}

TEST(GasTypesTest, ApplyGasTypeCopiesAnEntryAndRefusesIndexesOutsideTheTable) {
    test::ResetProgramState();
    GasDefinition h2s;
    h2s.Enabled = false;
    h2s.Name = QStringLiteral("H2S");
    h2s.Unit = QStringLiteral("ppm");
    h2s.FullScale = 30;
    h2s.Digit = 0.1f;
    h2s.Point = 1;
    h2s.Warning = 5;
    h2s.Alarm = 10;
    h2s.STEL = 15;
    h2s.TWA = -101;
    h2s.AutoCal = 25;
    State().GasTable[0][8] = h2s;

    clsInstrument instrument;
    for (auto [slot, row] : {std::pair<Integer, Integer>{0, 9}, {1, 0}, {-1, 0}, {0, -1}}) {
        EXPECT_FALSE(ApplyGasType(instrument, slot, row));
        EXPECT_FALSE(instrument.GasEnabled(0));
        EXPECT_FALSE(instrument.Change_Warn(0));
    }
    instrument.Ratio(0, 3);
    ASSERT_TRUE(ApplyGasType(instrument, 0, 8));
    EXPECT_EQ(instrument.GasName(0), "H2S");
    EXPECT_TRUE(instrument.GasEnabled(0));
    EXPECT_EQ(instrument.GasUnit(0), "ppm");
    EXPECT_EQ(instrument.GasPoint(0), 1);
    EXPECT_EQ(instrument.GasFullScale(0), 30);
    EXPECT_EQ(instrument.GasDesit(0), 0.1f);
    EXPECT_EQ(instrument.Stel(0), 15);
    EXPECT_EQ(instrument.AutoCalib(0), 25);
    EXPECT_EQ(instrument.Ratio(0), 0);
    EXPECT_EQ(instrument.Zero(0), 0);
    EXPECT_TRUE(instrument.Change_Warn(0));
    EXPECT_TRUE(instrument.Change_GasEnable(0));
    test::ResetProgramState();
}

TEST(GasTypesTest, SmallChecks) {
    EXPECT_EQ(PackFlagBits(true, false, false, false, true), 17);
    EXPECT_EQ(PackFlagBits(false, true, true, true, false), 14);
    for (auto [text, expected] : {std::pair<const char*, bool>{"a,b", true}, {"ab\r", true}, {"", false}, {"a b", false}})
        EXPECT_EQ(HasCommaOrCr(QString::fromLatin1(text)), expected) << text;
}

}  // namespace
}  // namespace mt52
