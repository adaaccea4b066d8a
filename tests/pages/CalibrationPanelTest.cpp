// The calibration panel: its grid with and without instrument data, the zero and span
// adjustments against the simulated instrument, and the span-concentration entry.
#include "main_window/LogBox.h"
#include "common/GasFormats.h"
#include "main_window/pages/CalibrationPanel.h"
#include "pages/PageFixture.h"
#include "platform/GridModel.h"

namespace mt52 {
namespace {

using sim::SimFault;
using test::LogLine;

constexpr Long Lock = 0xC0C0C0;

class CalibrationPanelTest : public test::PageFixture {
protected:
    struct Host final : CalibrationHost {
        test::WindowStandIn& window;
        GridModel cal;
        GridModel option;
        bool buttonsEnabled = true;
        int leaves = 0;
        explicit Host(test::WindowStandIn& w) : window(w) {}
        clsInstrument& CurrentInstrument() override { return window.instrument; }
        void AddLogText(const QString& t, Long c) override { window.AddLogText(t, c); }
        void SetBusyPointer(bool) override {}
        void ShowProgress(const QString& caption) override { window.ShowProgress(caption); }
        void SetProgressLabel(const QString& text) override { window.SetProgressLabel(text); }
        void CloseProgress() override { window.CloseProgress(); }
        bool ProgressCanceled() const override { return window.ProgressCanceled(); }
        bool ClosePending() const override { return window.ClosePending(); }
        GridModel& CalibrationGrid() override { return cal; }
        GridModel& OptionGrid() override { return option; }
        void SetCalButtonsEnabled(bool on) override { buttonsEnabled = on; }
        Single LiveReading(Integer slot) const override { return slot == 0 ? 12.5f : -101; }
        void LeaveCalibrationMode() override { ++leaves; }
    };

    void SetUp() override {
        PageFixture::SetUp();
        SampleInstrument().GasName(0, QStringLiteral("HC"));
        SampleInstrument().GasUnit(0, QStringLiteral("%LEL"));
        SampleInstrument().GasFullScale(0, 100);
        clsInstrument& i = window_.instrument;
        i.CommFlags(true);
        i.GasEnabled(0, true);
        i.GasName(0, QStringLiteral("CH4"));
        i.GasUnit(0, QStringLiteral("%LEL"));
        i.GasFullScale(0, 100);
        i.GasPoint(0, 1);
        i.GasDesit(0, 0.5f);
        i.Warning(0, 10);
        i.AutoCalib(0, 50);
        host_.option.SetRows(3);
        host_.option.SetCols(6);
    }
    void Fill(bool data) { FillCalGrid(host_.cal, window_.instrument, data, Lock, 6000); }
    bool Editable(int row, int col) {
        bool cancel = false;
        panel_.BeforeEdit(row, col, cancel);
        return !cancel;
    }

    Host host_{window_};
    CalibrationCommands panel_{link_, host_};
};

TEST_F(CalibrationPanelTest, GridWithAndWithoutInstrumentData) {
    Fill(false);
    ASSERT_EQ(host_.cal.Rows(), 6);
    ASSERT_EQ(host_.cal.Cols(), 4);
    EXPECT_EQ(host_.cal.TextMatrix(0, 3), "Current Reading");
    EXPECT_EQ(host_.cal.TextMatrix(1, 0), GasCaption("HC", "%LEL", 100, 0));
    EXPECT_EQ(host_.cal.TextMatrix(1, 2), "-----");
    EXPECT_FALSE(Editable(1, 1));
    EXPECT_FALSE(Editable(1, 2));
    EXPECT_EQ(host_.cal.ColWidth(0), 1800);
    EXPECT_EQ(host_.cal.ColWidth(1), 600);

    Fill(true);
    ASSERT_EQ(host_.cal.Rows(), 2);
    EXPECT_EQ(host_.cal.TextMatrix(1, 2), "50.0");
    EXPECT_EQ(host_.cal.CellChecked(1, 1), Checked);
    EXPECT_TRUE(Editable(1, 1));
    EXPECT_TRUE(Editable(1, 2));
    EXPECT_FALSE(Editable(1, 3)) << "the reading column never opens an editor";
    EXPECT_FALSE(Editable(0, 1));
    ShowCalReading(host_.cal, window_.instrument, -101);
    EXPECT_EQ(host_.cal.TextMatrix(1, 3), "-----");

    window_.instrument.GasEnabled(0, false);
    Fill(true);
    EXPECT_EQ(host_.cal.CellChecked(1, 1), Unchecked);
    EXPECT_FALSE(Editable(1, 1));
}

struct AdjustmentCase {
    const char* what;
    int button;
    QByteArray sent;
    bool cancel;
};
const AdjustmentCase kAdjustments[] = {
    {"zero", 0, "SZ,W,1111", false},
    {"span", 1, "S2,W,1", false},
    {"span cancelled", 1, "S2,W,1", true},
};

class Adjustment : public CalibrationPanelTest, public ::testing::WithParamInterface<int> {};

// The instrument's answers to the adjustments carry nothing the link can read, so every
// adjustment ends as failed; what matters is what is sent and that everything comes back.
TEST_P(Adjustment, SendsItsMaskAndGivesButtonsAndPollBack) {
    const AdjustmentCase& c = kAdjustments[GetParam()];
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(sim_.Connect());
    Fill(true);
    const qsizetype before = sim_.Sent().size();
    sim_.protocol.InjectFault(SimFault::Delay, 1, c.sent.left(4), 5);
    bool disabledDuring = false;
    onTick = [&] {
        disabledDuring = disabledDuring || (!host_.buttonsEnabled && State().BusyState == (c.button == 0 ? 3 : 4));
        if (c.cancel && window_.progressShown && !window_.progressCanceled)
            PressCancel();
    };
    panel_.cmdCal_Click(c.button);
    onTick = nullptr;

    EXPECT_EQ(SentFrom(before).value(0), c.sent);
    EXPECT_TRUE(disabledDuring);
    EXPECT_TRUE(host_.buttonsEnabled);
    EXPECT_TRUE(operations_.RunDensty()) << "the live-reading poll runs again";
    operations_.SetRunDensty(false);
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_FALSE(window_.progressShown);
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(window_.logBox.back(), LogLine(GetResText(5413), LogColor::Failure));
    EXPECT_TRUE(CommunicationLog().contains("---Calibration Upload Failed---"));
    EXPECT_EQ(panel_.SpanSelected(0), c.button == 1);
}

INSTANTIATE_TEST_SUITE_P(Buttons, Adjustment, ::testing::Range(0, 3));

TEST_F(CalibrationPanelTest, SpanWithoutSelectionAsksNothingOfTheInstrument) {
    ASSERT_TRUE(sim_.Connect());
    Fill(true);
    host_.cal.SetCellChecked(1, 1, Unchecked);
    const qsizetype before = sim_.Sent().size();
    panel_.cmdCal_Click(1);
    EXPECT_EQ(sim_.Sent().size(), before);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, GetResText(5346));
    EXPECT_EQ(dialogs_.shown[0].style, vbCritical);
    EXPECT_TRUE(host_.buttonsEnabled);

    panel_.cmdCal_Click(2);
    EXPECT_EQ(host_.leaves, 1);
    panel_.cmdCal_Click(7);
    EXPECT_EQ(host_.leaves, 1);
}

TEST_F(CalibrationPanelTest, SpanConcentrationEntries) {
    struct Case {
        const char* what;
        QString text;
        bool accepted;
        QString shown;
        Single stored;
    };
    const Case cases[] = {
        {"in range, snapped", "40.3", true, "40.5", 40.5f},
        {"full scale", "100", true, "100.0", 100},
        {"above full scale", "150", false, "50.0", 50},
        {"below the warning point", "5", false, "50.0", 50},
        {"dashes give 0", "-----", true, "0.0", 0},
        {"as any text with two dashes", "a--", true, "0.0", 0},
        {"letters", "abc", false, "50.0", 50},
    };
    bool busy = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window_.instrument.AutoCalib(0, 50);
        Fill(true);
        QString text = c.text;
        bool cancel = false;
        panel_.ValidateEdit(1, 2, text, cancel, busy);
        EXPECT_EQ(!cancel, c.accepted);
        EXPECT_EQ(text, c.shown);
        EXPECT_EQ(window_.instrument.AutoCalib(0), c.stored);
        EXPECT_FALSE(busy);
    }
    // Clearing the cell leaves the gas without a span: its use box goes off.
    Fill(true);
    QString text;
    bool cancel = false;
    panel_.ValidateEdit(1, 2, text, cancel, busy);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(window_.instrument.AutoCalib(0), -101);
    EXPECT_EQ(host_.cal.CellChecked(1, 1), Unchecked);
    EXPECT_EQ(host_.option.TextMatrix(2, 5), "-----");
    // Rows outside the gas slots are refused.
    text = QStringLiteral("10");
    cancel = false;
    panel_.ValidateEdit(9, 2, text, cancel, busy);
    EXPECT_TRUE(cancel);
}

}  // namespace
}  // namespace mt52
