// The data view's Print, To clipboard and Export commands for each kind of record: the report
// each asks for (printed through the report job), the file each writes, the bitmap of the graph
// form, and the exports that end without writing.
#include "graph/gui/uclZelGraph.h"
#include "platform/gui/GridView.h"
#include "printing/ReportFixture.h"
#include "records/clsInterval.h"
#include "views/DataViewFixture.h"
#include "views/SampleFileExport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataViewCommandsTest : public test::DataViewFixture {
protected:
    QString Target(const QString& name) const { return QDir(State().StartDir).filePath(name); }
    DataSampleSource Source() { return {.logType = int(view_->ViewLogType()), .seqNo = view_->ViewSeqNo(), .records = view_->Records()}; }
    // Switches the view to its graph page, as the trend-search window's user does.
    void SelectGraph() {
        page_->optBrowse[1]->setEnabled(true);
        page_->optBrowse[1]->click();
    }
};

TEST_F(DataViewCommandsTest, PrintAsksForTheReportOfEachKindAndTheJobPrintsIt) {
    test::FakePrinters printers;
    test::FakeChooser chooser;
    printReport_ = [&](const ReportRequest& request) {
        ReportJob job(printers, chooser);
        ReportOptions options;
        options.databasePath = State().DatabasePath;
        return job.GoPrinter(request, options);
    };
    struct Case {
        Long kind, seqNo;
        bool interval, alarm, snapshot, table;
    };
    const Case cases[] = {{1, 1, true, false, false, true},   {2, 3, false, true, false, true},
                          {9, 5, true, false, false, false},  {3, 6, false, false, false, false},
                          {11, 7, false, false, true, true},  {5, 8, false, false, false, false},
                          {10, 9, false, false, false, false}};
    for (const Case& c : cases) {
        Open(c.kind, c.seqNo);
        page_->cmdBrowse[0]->click();
        ASSERT_FALSE(requests_.empty());
        const ReportRequest& r = requests_.back();
        const std::string what = "kind " + std::to_string(c.kind);
        EXPECT_EQ(r.kind, c.kind) << what;
        EXPECT_EQ(r.seqNo, c.seqNo) << what;
        EXPECT_FALSE(r.graph) << what;  // the main data view shows its table
        EXPECT_EQ(r.interval == &view_->Records().Interval(), c.interval) << what;
        EXPECT_EQ(r.alarm == &view_->Records().Alarm(), c.alarm) << what;
        EXPECT_EQ(r.snapshot == &view_->Records().SnapShot(), c.snapshot) << what;
        EXPECT_EQ(r.recordTable == &page_->vfgBrowse->Model(), c.table) << what;
        ASSERT_EQ(printers.documents.size(), requests_.size()) << what;
        EXPECT_TRUE(printers.documents.back().ended) << what;
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // With the graph selected a trend prints its graph page; a bar hole never does.
    Open(1, 1);
    SelectGraph();
    page_->cmdBrowse[0]->click();
    EXPECT_TRUE(requests_.back().graph);
    EXPECT_TRUE(printers.documents.back().graphDrawn);
    Open(9, 5);
    page_->cmdBrowse[0]->click();
    EXPECT_FALSE(requests_.back().graph);
}

TEST_F(DataViewCommandsTest, ExportWritesTheTextOfEachKind) {
    struct Case {
        Long kind, seqNo;
        int chosen;      // the entry picked in the dialog
        int written;     // the file type the text is built as
        int entries;     // entries of the list offered
    };
    // The stored interval trends show their first gas in %LEL: five entries.
    const Case cases[] = {{1, 1, 2, 2, 5}, {1, 1, 4, 4, 5}, {2, 3, 5, 5, 5}, {9, 5, 1, 1, 3},
                          {3, 6, 3, 3, 3}, {11, 7, 1, 1, 3}, {5, 8, 2, 2, 3}, {10, 9, 1, 1, 3}};
    int n = 0;
    for (const Case& c : cases) {
        Open(c.kind, c.seqNo);
        const QString path = Target(QStringLiteral("out%1.csv").arg(n++));
        dialogs_.files.push_back(path);
        dialogs_.filterIndexes.push_back(c.chosen);
        page_->cmdBrowse[2]->click();
        const std::string what = "kind " + std::to_string(c.kind);
        EXPECT_EQ(dialogs_.fileRequests.back().filter.split(QStringLiteral(";;")).size(), c.entries) << what;
        QString expected = MakeDataSampleText(Source(), DataSampleSeparator(c.written), c.written);
        if (c.kind != 1 && c.kind != 9)
            expected += QStringLiteral("\r\n");
        EXPECT_EQ(ReadAll(path), expected.toUtf8()) << what;
        EXPECT_EQ(lastExportFile_, path) << what;
        EXPECT_EQ(view_->LastFilterIndex(), c.written) << what;
    }
    // The next export proposes the last file; the pointer and busy state are back.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(State().BusyState, 0);
    dialogs_.files.push_back(std::nullopt);
    page_->cmdBrowse[2]->click();
    EXPECT_EQ(dialogs_.fileRequests.back().fileName, QStringLiteral("out7.csv"));
}

TEST_F(DataViewCommandsTest, GraphFormExportsABitmapOfTheGraph) {
    Open(2, 3);
    SelectGraph();
    const QString path = Target(QStringLiteral("graph.bmp"));
    dialogs_.files.push_back(path);
    page_->cmdBrowse[2]->click();
    EXPECT_EQ(dialogs_.fileRequests.back().filter, QStringLiteral("Bitmap bmp (*.bmp)"));
    EXPECT_EQ(dialogs_.fileRequests.back().fileName, QStringLiteral("Sample.bmp"));
    QImage image;
    ASSERT_TRUE(image.load(path, "BMP"));
    EXPECT_EQ(image.size(), page_->zelGraph->Picture().size());
    EXPECT_EQ(lastExportFile_, path);

    // A text export after it proposes the same name as a CSV file.
    page_->optBrowse[0]->click();
    dialogs_.files.push_back(std::nullopt);
    page_->cmdBrowse[2]->click();
    EXPECT_EQ(dialogs_.fileRequests.back().fileName, QStringLiteral("graph.csv"));
}

TEST_F(DataViewCommandsTest, ExportsThatWriteNothingLeaveEverythingAsItWas) {
    Open(11, 7);
    const QString path = Target(QStringLiteral("kept.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept\r\n");
    }
    // Cancel: silent.
    dialogs_.files.push_back(std::nullopt);
    page_->cmdBrowse[2]->click();
    EXPECT_TRUE(dialogs_.shown.empty());
    // "No" to the overwrite question.
    dialogs_.files.push_back(path);
    dialogs_.answers.push_back(vbNo);
    page_->cmdBrowse[2]->click();
    EXPECT_EQ(ReadAll(path), QByteArray("kept\r\n"));
    EXPECT_EQ(dialogs_.lastText(), GetResText(5307));
    // A folder that cannot be written: the user is told, the pointer, busy state and progress
    // window are back.
    const QString nowhere = Target(QStringLiteral("no/such/folder/x.csv"));
    dialogs_.files.push_back(nowhere);
    page_->cmdBrowse[2]->click();
    EXPECT_TRUE(dialogs_.lastText().contains(nowhere));
    EXPECT_EQ(dialogs_.shown.back().title, GetResText(5385));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(State().BusyState, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->inherits("QDialog")) << w->metaObject()->className();
    EXPECT_TRUE(lastExportFile_.isEmpty());
}

TEST_F(DataViewCommandsTest, CopyPutsTheTabSeparatedTextOrTheGraphOnTheClipboard) {
    Open(11, 7);
    page_->cmdBrowse[1]->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), MakeDataSampleText(Source(), u'\t', 1));
    Open(2, 3);
    SelectGraph();
    page_->cmdBrowse[1]->click();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), page_->zelGraph->Picture().size());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DataViewCommandsTest, NoRecordShownMeansNoCommand) {
    Open(0, 0);
    for (int i : {0, 1, 2})
        view_->cmdBrowse_Click(Integer(i));
    EXPECT_TRUE(requests_.empty());
    EXPECT_TRUE(dialogs_.fileRequests.empty());
}

}  // namespace
}  // namespace mt52
