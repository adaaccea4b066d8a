#include "ReportRecords.h"
#include "support/ProgramState.h"

#include "platform/Clock.h"
#include "printing/RecordingPrintTarget.h"
#include "printing/TrendTableReport.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

constexpr double Row = static_cast<Single>(1.1 * 180);  // a row of 9-point text

class TrendTableReportTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    const RecordingPrintTarget& Print(ReportRequest request, PrintTarget::Kind kind = PrintTarget::Kind::Printer,
                                      double scaleHeight = 16272) {
        request.recordTable = &table;
        ReportForm form(request, {});
        target_ = std::make_unique<RecordingPrintTarget>(kind, 11340, scaleHeight);
        PrintTrendTable(*target_, form);
        return *target_;
    }
    ReportRequest Interval() {
        ReportRequest r;
        r.kind = 1;
        r.interval = &interval;
        return r;
    }
    ReportRequest Alarm() {
        ReportRequest r;
        r.kind = 2;
        r.alarm = &alarm;
        return r;
    }
    // The data rows printed, by their number cell.
    static QStringList Numbers(const RecordingPrintTarget& t) {
        QStringList out;
        for (const PrintedText& text : t.texts)
            if (text.x < 0.05 * 11340 && !text.text.isEmpty() && text.text != QStringLiteral("No") && text.fontSize == 9 &&
                !text.bold)
                out << text.text;
        return out;
    }

    ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(14, 5, 9))};
    ScopedClock useClock{clock};
    GridModel table;
    clsInterval interval;
    clsAlarm alarm;
    std::unique_ptr<RecordingPrintTarget> target_;
};

TEST_F(TrendTableReportTest, IntervalRowsCopyTheScreenTableWithStatusCellsLeftAligned) {
    MakeInterval(interval, 3, 0);
    FillTable(table, 3);
    table.SetTextMatrix(2, 2, QStringLiteral("ALARM"));
    table.SetCellBackColor(2, 2, 0x0000FF);
    const RecordingPrintTarget& t = Print(Interval());

    // Two blank rows, then the headings and their rule.
    const PrintedText* heading = t.Find("No");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->y, 2 * Row);
    EXPECT_EQ(t.RowAt(1, heading->y), (QStringList{"No", "Date/Time", "CH4(100%LEL)", "O2(25.0%)"}));
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].y1, heading->y + Row + 30);

    const PrintedText* row2 = t.Find("2");
    EXPECT_EQ(t.RowAt(1, row2->y), (QStringList{"2", "2024/05/06 09:02:00", "ALARM", "g3r2"}));
    const double gasLeft = static_cast<Single>(0.25 * 11340);
    const double gasWidth = static_cast<Single>(0.40 * 11340) - gasLeft;
    EXPECT_DOUBLE_EQ(t.Find("ALARM")->x, gasLeft);
    EXPECT_NEAR(t.Find("g2r1")->x, gasLeft + (gasWidth - 4 * 90) / 2, 0.01);
    // The screen's third and fourth gas columns stay off paper.
    EXPECT_EQ(t.Find("g4r1"), nullptr);
    EXPECT_EQ(t.Find("g5r1"), nullptr);
}

TEST_F(TrendTableReportTest, EmptyTableAndEmptySecondSlot) {
    MakeInterval(interval, 0, 0);
    SetGas(interval, 1, NoGas());
    FillTable(table, 0);
    const RecordingPrintTarget& t = Print(Interval());
    EXPECT_EQ(t.TextsOn(1), (QStringList{"", "", "No", "Date/Time", "CH4(100%LEL)", "----(---)"}));
    EXPECT_EQ(t.lines.size(), 1u);
}

TEST_F(TrendTableReportTest, LongAlarmTableContinuesWithHeaderAndHeadingsOnEveryPage) {
    MakeAlarm(alarm, 720);
    FillTable(table, 721);
    const RecordingPrintTarget& t = Print(Alarm());

    ASSERT_GT(t.pages, 2);
    QStringList expected;
    for (int r = 1; r <= 721; ++r)
        expected << QString::number(r);
    EXPECT_EQ(Numbers(t), expected);

    const double dateLeft = static_cast<Single>(0.05 * 11340);
    for (int page = 2; page <= t.pages; ++page) {
        SCOPED_TRACE(page);
        const QStringList texts = t.TextsOn(page);
        ASSERT_GE(texts.size(), 8);
        EXPECT_EQ(texts[0], QStringLiteral("MT-52 Data Logger"));
        EXPECT_EQ(texts[1], QStringLiteral("  (Alarm Trend)"));
        EXPECT_EQ(texts[3], QStringLiteral("No"));
        // The headings a tenth of the page width below the top, the date heading centred,
        // the dates of the rows left-aligned.
        const PrintedText* no = nullptr;
        const PrintedText* dateHeading = nullptr;
        const PrintedText* firstDate = nullptr;
        for (const PrintedText& text : t.texts) {
            if (text.page != page)
                continue;
            if (text.text == QStringLiteral("No"))
                no = &text;
            else if (text.text == QStringLiteral("Date/Time"))
                dateHeading = &text;
            else if (firstDate == nullptr && text.text.startsWith(QStringLiteral("2024/05/06")))
                firstDate = &text;
        }
        ASSERT_TRUE(no && dateHeading && firstDate);
        EXPECT_NEAR(no->y, 0.1 * 11340, 0.01);
        EXPECT_GT(dateHeading->x, dateLeft);
        EXPECT_DOUBLE_EQ(firstDate->x, dateLeft);
        // Nothing but the last row ends past 95 % of the page.
        for (const PrintedText& text : t.texts) {
            if (text.page == page - 1) {
                EXPECT_LE(text.y, 0.95 * 16272);
            }
        }
    }

    // A full-width line right under the alarm moment's row, without the rule's offset.
    const PrintedText* moment = t.Find("361");
    bool found = false;
    for (const PrintedLine& line : t.lines)
        found |= line.page == moment->page && line.y1 == line.y2 && std::abs(line.y1 - (moment->y + Row)) < 0.01 &&
                 line.x1 == 0 && line.x2 == 11340;
    EXPECT_TRUE(found);
}

TEST_F(TrendTableReportTest, AlarmMomentLineNeedsTheAlarmMomentRow) {
    MakeAlarm(alarm, 360);
    FillTable(table, 360);
    const RecordingPrintTarget& t = Print(Alarm());
    // Only the heading rule of each page; no alarm-moment line.
    EXPECT_EQ(static_cast<int>(t.lines.size()), t.pages);
}

TEST_F(TrendTableReportTest, LastRowNeverStartsAPage) {
    // Rows start at 2 blank rows + headings + rule; the page holds exactly ten rows up to 95 %.
    const double tenRowsEnd = 3 * Row + 30 + 9 * Row + 100;
    const double scaleHeight = tenRowsEnd / 0.95;
    struct Case {
        int rows;
        int pages;
    };
    for (const Case c : {Case{10, 1}, Case{11, 2}}) {
        SCOPED_TRACE(c.rows);
        MakeInterval(interval, c.rows, 0);
        FillTable(table, c.rows);
        const RecordingPrintTarget& t = Print(Interval(), PrintTarget::Kind::Printer, scaleHeight);
        EXPECT_EQ(t.pages, c.pages);
        EXPECT_EQ(Numbers(t).size(), c.rows);
    }
}

TEST_F(TrendTableReportTest, ReportWindowShowsThirtyRowsOfALongRecordAndNeverBreaks) {
    struct Case {
        Long samples;
        int printed;
    };
    for (const Case c : {Case{500, 30}, Case{20, 20}}) {
        SCOPED_TRACE(c.samples);
        MakeInterval(interval, c.samples, 0);
        FillTable(table, c.samples);
        const RecordingPrintTarget& t = Print(Interval(), PrintTarget::Kind::ReportForm, 3000);
        EXPECT_EQ(Numbers(t).size(), c.printed);
        EXPECT_EQ(t.pages, 1);
    }
}

TEST_F(TrendTableReportTest, SnapShotPrintsItsOneRow) {
    clsSnapShot snapshot;
    MakeSnapShot(snapshot);
    table.SetCols(3);
    table.SetRows(2);
    table.SetTextMatrix(1, 1, QStringLiteral("2024/05/06 09:30:00"));
    table.SetTextMatrix(1, 2, QStringLiteral("12"));
    ReportRequest request;
    request.kind = 11;
    request.snapshot = &snapshot;
    const RecordingPrintTarget& t = Print(request);
    EXPECT_EQ(t.TextsOn(1), (QStringList{"", "", "No", "Date/Time", "CH4(100%LEL)", "", "2024/05/06 09:30:00", "12"}));
    EXPECT_DOUBLE_EQ(t.Find("2024/05/06 09:30:00")->x, static_cast<Single>(0.05 * 11340));
}

}  // namespace
}  // namespace mt52::test
