// The last-calibration list: the calibration-history grid's rows as the grid shows them.
#include "ReportFixture.h"
#include "support/ProgramState.h"

#include "platform/GridModel.h"
#include "platform/RuntimeError.h"
#include "printing/LastCalibrationReport.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

using L = QStringList;

// A list in a ten-column layout: titles, then `rows` entries whose cells name their column.
void FillHistoryGrid(GridModel& grid, int rows, int cols = 10) {
    grid.SetCols(cols);
    grid.SetRows(rows + 1);
    const QStringList titles = cols >= 10
        ? L{"No.", "SerialNo", "UserID", "StationID", "CH4", "O2", "H2S", "CO", "Gas5", "Last Download"}
        : L{"No.", "SerialNo", "UserID", "StationID", "Gas", "Before", "After", "A.Cal.", "Cal.Due(Days)"};
    for (int c = 0; c < cols; ++c)
        grid.SetTextMatrix(0, c, titles.value(c));
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetTextMatrix(r, c, c == 0 ? QString::number(r) : QStringLiteral("c%1r%2").arg(c).arg(r));
}

class LastCalibrationReportTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    RecordingPrintTarget& Print(int orientation = PrintTarget::Landscape,
                                PrintTarget::Kind kind = PrintTarget::Kind::Printer) {
        ReportRequest request;
        request.kind = ReportKind::LastCalibration;
        request.calHistoryTable = &grid;
        ReportOptions options;
        options.font.size = 10;
        form = std::make_unique<ReportForm>(request, options);
        const bool landscape = orientation == PrintTarget::Landscape;
        target = std::make_unique<RecordingPrintTarget>(kind, landscape ? 16272 : 11340, landscape ? 11340 : 16272,
                                                        orientation);
        PrintLastCalibration(*target, *form);
        return *target;
    }
    QStringList Line(const QString& first) const {
        const PrintedText* t = target->Find(first);
        return t == nullptr ? QStringList() : target->RowAt(t->page, t->y);
    }

    GridModel grid;
    std::unique_ptr<ReportForm> form;
    std::unique_ptr<RecordingPrintTarget> target;
};

TEST_F(LastCalibrationReportTest, CopiesEightColumnsOfTheGrid) {
    FillHistoryGrid(grid, 3);
    const RecordingPrintTarget& t = Print();
    // Grid columns 6 and 7 are left out; 8 and 9 print in the seventh and eighth columns.
    EXPECT_EQ(Line("No."), (L{"No.", "SerialNo", "UserID", "StationID", "CH4", "O2", "Gas5", "Last Download"}));
    EXPECT_EQ(Line("2"), (L{"2", "c1r2", "c2r2", "c3r2", "c4r2", "c5r2", "c8r2", "c9r2"}));
    EXPECT_EQ(t.Find("H2S"), nullptr);
    EXPECT_EQ(t.Find("c6r1"), nullptr);

    // Titles centred, entries left-aligned but for the centred number.
    const double sw = 16272;
    const double x1 = 0.04 * sw, x2 = 0.17 * sw;
    EXPECT_NEAR(t.Find("SerialNo")->x, x1 + (x2 - x1 - 8 * 90) / 2, 0.01);
    EXPECT_NEAR(t.Find("c1r2")->x, x1, 0.01);
    EXPECT_GT(t.Find("2")->x, static_cast<Single>(0.02 * sw));
    // In landscape the list keeps the header's 9 points.
    EXPECT_EQ(t.Find("c1r2")->fontSize, 9);

    // A rule above the titles and none below them, then the thick closing line.
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(t.lines[0].y1, 11340 / 20.0 + 30);
    EXPECT_LT(t.lines[0].y1, t.Find("No.")->y);
    EXPECT_EQ(t.lines[1].width, 4);
    EXPECT_GT(t.lines[1].y1, t.Find("3")->y);
}

TEST_F(LastCalibrationReportTest, PortraitShrinksTheFirstPageAndBreaksWithTitles) {
    FillHistoryGrid(grid, 200);
    const RecordingPrintTarget& t = Print(PrintTarget::Portrait);
    ASSERT_GE(t.pages, 2);
    // The first page's list at 65 % of the report window's font (10 points), later pages at 9.
    EXPECT_DOUBLE_EQ(t.Find("c1r1")->fontSize, 6.5);
    int row = 1;
    for (int page = 1; page <= t.pages; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(t.TextsOn(page).count("No."), 1);
        for (const PrintedText& text : t.texts)
            if (text.page == page && text.text == QStringLiteral("c1r%1").arg(row)) {
                EXPECT_EQ(text.fontSize, page == 1 ? 6.5 : 9.0);
                ++row;
            }
    }
    EXPECT_EQ(row, 201);
    // A continuation page: titles a tenth of the width down, with a rule below them.
    const PrintedText* titles = nullptr;
    for (const PrintedText& text : t.texts)
        if (text.page == 2 && text.text == "No.")
            titles = &text;
    ASSERT_NE(titles, nullptr);
    EXPECT_DOUBLE_EQ(titles->y, 0.1 * 11340);
    bool ruleBelow = false;
    for (const PrintedLine& line : t.lines)
        ruleBelow |= line.page == 2 && line.y1 > titles->y && line.width == 1;
    EXPECT_TRUE(ruleBelow);
}

TEST_F(LastCalibrationReportTest, OtherLayoutsPreviewAndMissingList) {
    // The one-row-per-gas layout has fewer columns: all of them print in order.
    FillHistoryGrid(grid, 2, 9);
    Print();
    EXPECT_EQ(Line("No."),
              (L{"No.", "SerialNo", "UserID", "StationID", "Gas", "Before", "After", "A.Cal.", "Cal.Due(Days)"}));
    EXPECT_EQ(Line("1"), (L{"1", "c1r1", "c2r1", "c3r1", "c4r1", "c5r1", "c6r1", "c7r1", "c8r1"}));

    // Off the printer at most grid rows 1 to 29, in the font as it is.
    FillHistoryGrid(grid, 50);
    const RecordingPrintTarget& preview = Print(PrintTarget::Portrait, PrintTarget::Kind::ReportForm);
    EXPECT_EQ(preview.pages, 1);
    EXPECT_NE(preview.Find("c1r29"), nullptr);
    EXPECT_EQ(preview.Find("c1r30"), nullptr);
    EXPECT_EQ(preview.Find("c1r1")->fontSize, 9);

    // A request without the list is an error, not an empty report.
    ReportRequest request;
    request.kind = ReportKind::LastCalibration;
    ReportForm bare(request, {});
    RecordingPrintTarget page;
    EXPECT_THROW(PrintLastCalibration(page, bare), RuntimeError);
    EXPECT_TRUE(page.texts.empty());
}

}  // namespace
}  // namespace mt52::test
