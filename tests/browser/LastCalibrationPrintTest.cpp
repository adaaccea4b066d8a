// The calibration-history page's print button: the list as the grid shows it goes to the report
// job as the last-calibration report.
#include "browser/gui/CalHistoryBrowser.h"
#include "platform/gui/GridView.h"
#include "printing/ReportFixture.h"
#include "support/ProgramState.h"

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(LastCalibrationPrintTest, PrintButtonPrintsTheShownListInLandscape) {
    test::ResetProgramState();
    QWidget page;
    CalHistoryControls controls;
    for (auto& option : controls.optHistory)
        option = new QRadioButton(&page);
    controls.vfgHistory = new GridView(&page);
    controls.cmdLastCal = new QPushButton(&page);

    test::FakePrinters printers;
    test::FakeChooser chooser;
    std::vector<ReportRequest> requests;
    CalHistoryServices services;
    services.PrintReport = [&](const ReportRequest& request) {
        requests.push_back(request);
        ReportJob job(printers, chooser);
        job.GoPrinter(request, ReportOptions{});
    };
    CalHistoryBrowser history(controls, services);

    // A grid without rows prints nothing.
    GridModel& grid = controls.vfgHistory->Model();
    grid.SetRows(0);
    controls.cmdLastCal->click();
    EXPECT_TRUE(requests.empty());

    grid.SetCols(10);
    grid.SetRows(2);
    for (int c = 0; c < 10; ++c) {
        grid.SetTextMatrix(0, c, QStringLiteral("T%1").arg(c));
        grid.SetTextMatrix(1, c, QStringLiteral("V%1").arg(c));
    }
    controls.cmdLastCal->click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, ReportKind::LastCalibration);
    EXPECT_EQ(requests[0].calHistoryTable, &grid);
    ASSERT_EQ(printers.documents.size(), 1u);
    const test::PrintedDocument& printed = printers.documents[0];
    EXPECT_TRUE(printed.ended);
    EXPECT_EQ(printed.orientation, PrintTarget::Landscape);
    const QStringList texts = printed.TextsOn(1);
    EXPECT_TRUE(texts.contains(QStringLiteral("V9")));
    EXPECT_FALSE(texts.contains(QStringLiteral("V6")));
    test::ResetProgramState();
}

}  // namespace
}  // namespace mt52
