#include "ReportFixture.h"
#include "ReportRecords.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include "platform/Clock.h"
#include "printing/ReportJob.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class ReportJobTest : public testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        MakeInterval(interval, 5, 0);
        MakeAlarm(alarm, 5);
        MakeSnapShot(snapshot);
        FillTable(table, 5);
        calHistory.SetCols(10);
        calHistory.SetRows(1);
    }
    void TearDown() override { ResetProgramState(); }

    ReportRequest Request(Long kind, bool graph = false) {
        ReportRequest r;
        r.kind = kind;
        r.graph = graph;
        r.interval = &interval;
        r.alarm = &alarm;
        r.snapshot = &snapshot;
        r.recordTable = &table;
        r.calHistoryTable = &calHistory;
        return r;
    }

    FakeDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(14, 5, 9))};
    ScopedClock useClock{clock};
    clsInterval interval;
    clsAlarm alarm;
    clsSnapShot snapshot;
    GridModel table;
    GridModel calHistory;
    FakePrinters printers;
    FakeChooser chooser{1};
    ReportJob job{printers, chooser};
};

TEST_F(ReportJobTest, EachKindPrintsItsPagesInItsOrientation) {
    struct Case {
        Long kind;
        bool graph;
        int orientation;
        bool summary;
        bool table;
        bool graphPage;
        QString kindText;
    };
    const Case cases[] = {
        {1, false, 1, true, true, false, "  (Interval Trend)"},
        {1, true, 1, true, false, true, "  (Interval Trend)"},
        {2, false, 1, true, true, false, "  (Alarm Trend)"},
        {2, true, 1, true, false, true, "  (Alarm Trend)"},
        {9, false, 1, true, false, false, "  (Bar Hole)"},
        {9, true, 1, false, false, true, "  (Bar Hole)"},
        {11, true, 1, true, true, false, "  (Snap Shot)"},
        {4, true, 2, false, false, false, "  (Last Calibration)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("kind %1 graph %2").arg(c.kind).arg(c.graph).toStdString());
        printers.documents.clear();
        ASSERT_EQ(job.GoPrinter(Request(c.kind, c.graph), ReportOptions{}), ReportOutcome::Printed);
        ASSERT_EQ(printers.documents.size(), 1u);
        const PrintedDocument& doc = printers.documents[0];
        EXPECT_TRUE(doc.ended);
        EXPECT_EQ(doc.orientation, c.orientation);
        const QStringList texts = doc.TextsOn(1);
        EXPECT_EQ(texts.value(0), QStringLiteral("MT-52 Data Logger"));
        EXPECT_EQ(texts.value(1), c.kindText);
        EXPECT_EQ(texts.contains(QStringLiteral("Property")), c.summary);
        EXPECT_EQ(texts.contains(QStringLiteral("Date/Time")), c.table);
        EXPECT_EQ(doc.graphDrawn, c.graphPage);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ReportJobTest, CancelledChoicePrintsNothingAndKeepsThePrinter) {
    for (const bool withdrawFileName : {false, true}) {
        SCOPED_TRACE(withdrawFileName);
        chooser.answer = withdrawFileName ? 1 : -1;
        printers.withdraw = withdrawFileName;
        EXPECT_EQ(job.GoPrinter(Request(1), ReportOptions{}), ReportOutcome::Cancelled);
        EXPECT_TRUE(printers.documents.empty());
        EXPECT_EQ(printers.current, 0);
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST_F(ReportJobTest, FailureWhilePrintingDropsTheDocumentAndSaysSo) {
    std::vector<bool> pointer;
    job.busyPointer = [&pointer](bool busy) { pointer.push_back(busy); };
    ReportRequest request = Request(2);
    request.alarm = nullptr;  // the header cannot name an alarm trend without it
    EXPECT_EQ(job.GoPrinter(request, ReportOptions{}), ReportOutcome::Failed);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_FALSE(printers.documents[0].ended);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("The report could not be printed.")));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("alarm-trend")));
    EXPECT_EQ(pointer, (std::vector<bool>{true, false}));
    EXPECT_EQ(printers.current, 0);
}

TEST_F(ReportJobTest, ChosenPrinterPrintsAndTheFormerOneComesBack) {
    printers.names = {"Office", "Lab", "Lab"};
    printers.current = 2;  // of two equal names the later one is current
    EXPECT_EQ(ReportJob::FindDefaultPrinter(printers), 2);
    chooser.answer = 0;
    EXPECT_EQ(job.GoPrinter(Request(9), ReportOptions{}), ReportOutcome::Printed);
    EXPECT_EQ(printers.made, (std::vector<int>{0, 2}));
    EXPECT_EQ(printers.current, 2);
}

TEST_F(ReportJobTest, PrinterListThatShrankLeavesTheChosenPrinterCurrent) {
    printers.names = {"Office", "Lab", "Shop"};
    printers.current = 2;
    chooser.answer = 0;
    chooser.onChoose = [this] { printers.names.removeLast(); };
    EXPECT_EQ(job.GoPrinter(Request(9), ReportOptions{}), ReportOutcome::Printed);
    EXPECT_EQ(printers.current, 0);
}

TEST_F(ReportJobTest, PrinterRefusingLandscapePrintsUpright) {
    printers.refuseLandscape = true;
    EXPECT_EQ(job.GoPrinter(Request(4), ReportOptions{}), ReportOutcome::Printed);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_EQ(printers.documents[0].orientation, 1);
    EXPECT_TRUE(printers.documents[0].ended);
}

}  // namespace
}  // namespace mt52::test
