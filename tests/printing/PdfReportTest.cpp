// Reports printed to PDF files through the program's printer list, read back with pdftotext.
#include "PdfReading.h"
#include "ReportFixture.h"
#include "ReportRecords.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include "platform/Clock.h"
#include "printing/ReportPageLayout.h"
#include "printing/gui/QPrinterTarget.h"
#include "printing/gui/QtPrinterList.h"
#include "printing/gui/ReportPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class PdfReportTest : public testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("report.pdf"));
        chooser.answer = static_cast<Integer>(printers.Count() - 1);  // the PDF file entry
        MakeInterval(interval, 5, 0);
        MakeAlarm(alarm, 720);
    }
    void TearDown() override { ResetProgramState(); }

    ReportOutcome PrintToPdf(const ReportRequest& request) {
        dialogs.files.push_back(pdf);
        ReportJob job(printers, chooser);
        return job.GoPrinter(request, ReportOptions{});
    }
    QStringList FilesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    FakeDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(14, 5, 9))};
    ScopedClock useClock{clock};
    QTemporaryDir dir;
    QString pdf;
    QtPrinterList printers;
    FakeChooser chooser;
    clsInterval interval;
    clsAlarm alarm;
    GridModel table;
};

TEST_F(PdfReportTest, PdfEntryIsTheLastPrinter) {
    EXPECT_EQ(printers.DeviceName(printers.Count() - 1), QStringLiteral("PDF file"));
}

TEST_F(PdfReportTest, PageHeaderNamesEveryKind) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    auto target = QPrinterTarget::ForPdf(std::move(printer), pdf);
    const QStringList kindTexts{"(Interval Trend)", "(Alarm Trend)", "(Calibration History)", "(Last Calibration)",
                                "(Alarm Event)",    "(Trouble Event)", "(Power Event)",       "(Sensor History)",
                                "(Bar Hole)",       "(Bump Test)",   "(Snap Shot)"};
    for (Long kind = 1; kind <= 12; ++kind) {
        if (kind > 1)
            target->NewPage();
        ReportRequest request;
        request.kind = kind;
        request.alarm = &alarm;
        ReportForm form(request, {});
        PrintPageHeader(*target, form);
    }
    target->EndDoc();
    target.reset();

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 12);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i + 1);
        const QString first = PdfLines(pages[i]).value(0);
        EXPECT_TRUE(first.startsWith(QStringLiteral("MT-52 Data Logger"))) << first.toStdString();
        EXPECT_TRUE(first.endsWith(QStringLiteral("2024/06/01 14:05:09"))) << first.toStdString();
        if (i < 11)
            EXPECT_TRUE(first.contains(kindTexts[i])) << first.toStdString();
        else
            EXPECT_FALSE(first.contains(QLatin1Char('('))) << first.toStdString();
    }
}

TEST_F(PdfReportTest, IntervalReportHoldsTheSummaryBlockAndTheTable) {
    FillTable(table, 5);
    ReportRequest request;
    request.kind = 1;
    request.interval = &interval;
    request.recordTable = &table;
    ASSERT_EQ(PrintToPdf(request), ReportOutcome::Printed);
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("report.pdf")});

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = PdfLines(pages[0]);
    for (const char* expected :
         {"Property Value", "Name iv240506093000", "Sampling Date/Time 2024/05/06 09:30:00 to 2024/05/06 17:00:00",
          "Serial No. SN0042", "Station ID STATION-A", "User ID USER-7", "Data Count 5", "Interval Time (sec) 60",
          "Gas CH4(100%LEL) O2(25.0%)", "Avg 1%LEL 20.9%", "Min ***** 19.5%", "Alarm 50%LEL 18.0%",
          "No Date/Time CH4(100%LEL) O2(25.0%)", "3 2024/05/06 09:03:00 g2r3 g3r3"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(PdfReportTest, LongAlarmTableRunsOverPagesWithHeadersRepeated) {
    FillTable(table, 721);
    ReportRequest request;
    request.kind = 2;
    request.alarm = &alarm;
    request.recordTable = &table;
    ASSERT_EQ(PrintToPdf(request), ReportOutcome::Printed);

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 3);
    int next = 1;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = PdfLines(pages[p]);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("MT-52 Data Logger (Alarm Trend)"))) << lines[0].toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("No Date/Time CH4(100%LEL) O2(25.0%)")));
        EXPECT_EQ(lines.contains(QStringLiteral("Property Value")), p == 0);
        for (const QString& line : lines) {
            const QStringList cells = line.split(QLatin1Char(' '));
            if (cells.size() == 5 && cells[0] == QString::number(next))
                ++next;
        }
    }
    // Every row once, in order, across the pages.
    EXPECT_EQ(next, 722);
}

TEST_F(PdfReportTest, CancelLeavesNoFile) {
    ReportRequest request;
    request.kind = 9;
    request.interval = &interval;
    ReportJob job(printers, chooser);
    dialogs.files.push_back(std::nullopt);  // the file name is not given
    EXPECT_EQ(job.GoPrinter(request, ReportOptions{}), ReportOutcome::Cancelled);
    chooser.answer = -1;  // the printer choice is cancelled
    EXPECT_EQ(job.GoPrinter(request, ReportOptions{}), ReportOutcome::Cancelled);
    EXPECT_TRUE(FilesInDir().isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PdfReportTest, FailureLeavesTheFormerFileAndNoPartialOne) {
    {
        QFile former(pdf);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("former report");
    }
    ReportRequest request;
    request.kind = 2;  // an alarm trend without its record cannot be printed
    EXPECT_EQ(PrintToPdf(request), ReportOutcome::Failed);
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("report.pdf")});
    QFile former(pdf);
    ASSERT_TRUE(former.open(QIODevice::ReadOnly));
    EXPECT_EQ(former.readAll(), QByteArray("former report"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("The report could not be printed.")));
}

TEST_F(PdfReportTest, FileNameWithoutSuffixGetsPdf) {
    pdf = dir.filePath(QStringLiteral("plain"));
    ReportRequest request;
    request.kind = 9;
    request.interval = &interval;
    ASSERT_EQ(PrintToPdf(request), ReportOutcome::Printed);
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("plain.pdf")});
}

TEST_F(PdfReportTest, ProgramsReportPrinterAsksThenPrintsAndRestoresThePointer) {
    ReportPrinter reports;
    const QString before = reports.Printers().CurrentDeviceName();
    reports.Chooser().onShown = [](frmSetPrinter& dialog) {
        dialog.cmbList->setCurrentIndex(dialog.cmbList->count() - 1);
        dialog.cmdOK->click();
    };
    ReportRequest request;
    request.kind = 9;
    request.interval = &interval;
    dialogs.files.push_back(pdf);
    EXPECT_EQ(reports.GoPrinter(request, ReportOptions{}), ReportOutcome::Printed);
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("report.pdf")});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The printer current before is current again.
    EXPECT_EQ(reports.Printers().CurrentDeviceName(), before);

    request.kind = 2;  // fails: no alarm-trend record
    dialogs.files.push_back(dir.filePath(QStringLiteral("other.pdf")));
    EXPECT_EQ(reports.GoPrinter(request, ReportOptions{}), ReportOutcome::Failed);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("report.pdf")});
}

}  // namespace
}  // namespace mt52::test
