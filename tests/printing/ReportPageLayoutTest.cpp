#include "ReportRecords.h"
#include "support/ProgramState.h"

#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "printing/RecordingPrintTarget.h"
#include "printing/ReportPageLayout.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class ReportPageLayoutTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(14, 5, 9))};
    ScopedClock useClock{clock};
};

TEST_F(ReportPageLayoutTest, HeaderNamesTheKindAndTheTime) {
    clsAlarm alarm;
    MakeAlarm(alarm);
    clsAlarm sampled;
    MakeAlarm(sampled, 180, 2);
    struct Case {
        Long kind;
        clsAlarm* alarm;
        QString text;
    };
    const Case cases[] = {
        {1, nullptr, "  (Interval Trend)"}, {2, &alarm, "  (Alarm Trend)"},     {2, &sampled, "  (Interval Trend)"},
        {3, nullptr, "  (Calibration History)"}, {4, nullptr, "  (Last Calibration)"}, {5, nullptr, "  (Alarm Event)"},
        {6, nullptr, "  (Trouble Event)"},   {7, nullptr, "  (Power Event)"},    {8, nullptr, "  (Sensor History)"},
        {9, nullptr, "  (Bar Hole)"},        {10, nullptr, "  (Bump Test)"},     {11, nullptr, "  (Snap Shot)"},
        {0, nullptr, ""},                    {12, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ReportRequest request;
        request.kind = c.kind;
        request.alarm = c.alarm;
        ReportOptions options;
        options.font.name = QStringLiteral("IPAGothic");
        ReportForm form(request, options);
        RecordingPrintTarget target;
        target.FontBold = false;
        PrintPageHeader(target, form);

        ASSERT_EQ(target.texts.size(), 3u);
        const PrintedText& title = target.texts[0];
        EXPECT_EQ(title.text, QStringLiteral("MT-52 Data Logger"));
        EXPECT_EQ(title.fontSize, 12);
        EXPECT_TRUE(title.bold);
        EXPECT_EQ(title.fontName, QStringLiteral("IPAGothic"));
        EXPECT_DOUBLE_EQ(title.x, 0.02 * 11340 + 10);
        EXPECT_EQ(title.y, 10);
        // The kind text follows the title on its line.
        EXPECT_EQ(target.texts[1].text, c.text);
        EXPECT_DOUBLE_EQ(target.texts[1].x, title.x + 120 * title.text.size());
        // The date in 9-point bold, level with the title, 300 twips from the right edge.
        const PrintedText& date = target.texts[2];
        EXPECT_EQ(date.text, QStringLiteral("2024/06/01 14:05:09"));
        EXPECT_EQ(date.fontSize, 9);
        EXPECT_TRUE(date.bold);
        EXPECT_EQ(date.y, 10);
        EXPECT_DOUBLE_EQ(date.x, 11340 - 90 * date.text.size() - 300);
        // The bodies go on in 9 points, not bold, black, on the next line.
        EXPECT_EQ(target.FontSize, 9);
        EXPECT_FALSE(target.FontBold);
        EXPECT_EQ(target.ForeColor, 0);
        EXPECT_EQ(target.CurrentX, 0);
        EXPECT_EQ(target.CurrentY, 10 + 180);
    }
}

TEST_F(ReportPageLayoutTest, AlarmTrendHeaderWithoutItsRecordFails) {
    ReportRequest request;
    request.kind = 2;
    ReportForm form(request, {});
    RecordingPrintTarget target;
    EXPECT_THROW(PrintPageHeader(target, form), RuntimeError);
}

TEST_F(ReportPageLayoutTest, CellsArePlacedByTheirColumnsAlignment) {
    ReportForm form({}, {});
    form.ColumnX[0] = 1000;
    form.ColumnX[1] = 2000;  // one column of 1000 twips; a character is 90 twips wide
    struct Case {
        Long code;
        QString text;
        double x;
    };
    const Case cases[] = {
        {CellAlign::Left, "", 1000},
        {CellAlign::Center, "", 1500},
        {CellAlign::Right, "", 1800},
        {CellAlign::Center, "abcd", 1000 + (1000 - 360) / 2.0},
        {CellAlign::Right, "abcd", 1000 + 1000 - 360 - 200},
        // Wider than the column: starts left of it.
        {CellAlign::Center, "abcdefghijkl", 1000 + (1000 - 1080) / 2.0},
        // A number with blanks is right-aligned and measured with them.
        {CellAlign::NumberRight, " 12 ", 1000 + 1000 - 360 - 200},
        {CellAlign::NumberRight, "OVER", 1000 + (1000 - 360) / 2.0},
        {CellAlign::DashesCenter, "-----", 1000 + (1000 - 450) / 2.0},
        {CellAlign::DashesCenter, "12.5", 1000 + (1000 - 360) / 2.0},
        {CellAlign::DashesCenter, "*****", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " code " + std::to_string(c.code));
        form.ColumnAlign[0] = c.code;
        RecordingPrintTarget target;
        target.CurrentY = 500;
        PrintTableRow(target, form, {c.text});
        ASSERT_EQ(target.texts.size(), 1u);
        EXPECT_DOUBLE_EQ(target.texts[0].x, c.x);
        EXPECT_EQ(target.texts[0].y, 500);
        // One row further down: 1.1 line heights of the current font.
        EXPECT_NEAR(target.CurrentY, 500 + 1.1 * 180, 1e-3);
    }
}

TEST_F(ReportPageLayoutTest, RowsDrawOnlyOnThePrinterOrTheReportWindow) {
    ReportForm form({}, {});
    RecordingPrintTarget other(PrintTarget::Kind::Other);
    other.CurrentY = 700;
    PrintTableRow(other, form, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_TRUE(other.texts.empty());
    EXPECT_EQ(other.CurrentY, 700);

    RecordingPrintTarget preview(PrintTarget::Kind::ReportForm);
    PrintTableRow(preview, form, {QStringLiteral("a")});
    EXPECT_EQ(preview.texts.size(), 1u);
}

TEST_F(ReportPageLayoutTest, RowsBeyondTheLastColumnFail) {
    ReportForm form({}, {});
    RecordingPrintTarget target;
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << QStringLiteral("x");
    EXPECT_NO_THROW(PrintTableRow(target, form, eleven));
    EXPECT_THROW(PrintTableRow(target, form, eleven + QStringList{QStringLiteral("y")}), RuntimeError);
    form.ColumnAlign[10] = CellAlign::Center;
    EXPECT_THROW(PrintTableRow(target, form, eleven), RuntimeError);
}

TEST_F(ReportPageLayoutTest, RuleLiesThirtyTwipsBelowAndMovesThePositionThere) {
    RecordingPrintTarget target;
    target.CurrentY = 1000;
    PrintRule(target, 4);
    ASSERT_EQ(target.lines.size(), 1u);
    const PrintedLine& line = target.lines[0];
    EXPECT_EQ(line.x1, 0);
    EXPECT_EQ(line.y1, 1030);
    EXPECT_EQ(line.x2, 11340);
    EXPECT_EQ(line.y2, 1030);
    EXPECT_EQ(line.width, 4);
    EXPECT_EQ(target.DrawWidth, 1);
    EXPECT_EQ(target.CurrentY, 1030);
}

}  // namespace
}  // namespace mt52::test
