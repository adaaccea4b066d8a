// The trend-search window on a stored alarm trend: what it takes from the main data view, its
// caption, summary, table and graph (the same fills as the main view, on its own controls), the
// Graph option of a short trend, the page switch and the Print and Summary commands.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "instrument/clsInstrument.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/pages/gui/DataViewPages.h"
#include "platform/gui/GridView.h"
#include "printing/ReportForm.h"
#include "records/clsAlarm.h"
#include "support/FakeDialogs.h"
#include "views/RecordTableFixture.h"
#include "views/SampleFileExport.h"
#include "views/StoredRecords.h"
#include "views/gui/DataView.h"
#include "views/gui/frmIntermittence.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace mt52 {
namespace {

class IntermittenceWindowTest : public test::TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        SetInterfaceLanguage(Language::English);
        main_.resize(1000, 760);
        page_ = new DataViewPage(&main_);
        page_->SetUiTexts();
        page_->setGeometry(0, 0, 980, 740);
        controls_ = ControlsOf(*page_);
        DataViewServices s;
        s.CurrentLogType = [] { return Long{2}; };
        s.CurrentSeqNo = [this] { return mainSeqNo_; };
        s.CurrentInstrument = [] { return nullptr; };
        s.Layout = [] {};
        view_ = std::make_unique<DataView>(controls_, s);

        test::AddAlarmTrend(3, "al1", 720);
        test::AddAlarmTrend(4, "al4", 4);
        test::AddAlarmTrend(5, "iv*al", 180, 2);
    }
    void TearDown() override {
        window_.reset();
        view_.reset();
        ResetInterfaceLanguage();
        TrendFixture::TearDown();
    }

    // The main view shows the record as the user would see it before the search.
    void ShowInMainView(Long seqNo) {
        mainSeqNo_ = seqNo;
        view_->cmdDetail_Click();
    }
    // Opens the window (without its modal loop) on an alarm trend handed over by the search.
    frmIntermittence& Open(Long seqNo, Long kind = 2) {
        State().TrendPopupSeqNo = seqNo;
        State().TrendPopupKind = kind;
        State().TrendPopupDate = test::MayDate(20, 9, 30);
        if (!window_)
            window_ = std::make_unique<frmIntermittence>();
        window_->Form_Load(controls_);
        return *window_;
    }
    static QStringList Cells(const GridModel& grid) {
        QStringList cells;
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c)
                cells << grid.TextMatrix(r, c);
        return cells;
    }

    QWidget main_;
    DataViewPage* page_ = nullptr;
    DataViewControls controls_;
    std::unique_ptr<DataView> view_;
    std::unique_ptr<frmIntermittence> window_;
    test::FakeDialogs dialogs_;
    Long mainSeqNo_ = 0;
};

TEST_F(IntermittenceWindowTest, ShowsTheAlarmTrendLikeTheMainViewOnItsOwnGrids) {
    ShowInMainView(3);
    frmIntermittence& w = Open(3);

    EXPECT_EQ(w.Types(), 2);
    EXPECT_EQ(w.windowTitle(), GetResText(5001) + " [P.No.07313]");
    EXPECT_EQ(w.fraMenu->title(), "Data View(Alarm Trend)");
    EXPECT_EQ(w.size(), main_.size());
    EXPECT_TRUE(w.optBrowse[0]->isChecked());
    EXPECT_TRUE(w.optBrowse[1]->isEnabled());
    EXPECT_FALSE(w.vfgBrowse->isHidden());
    EXPECT_TRUE(w.zelGraph->isHidden());
    EXPECT_TRUE(w.chkEvent->isHidden());
    EXPECT_TRUE(w.cmdBrowse[1]->isHidden());

    // Summary and table are the main view's fills: the same cells, the alarm moment in red.
    const GridModel& table = w.vfgBrowse->Model();
    EXPECT_EQ(table.Rows(), 721);
    EXPECT_EQ(table.Cols(), 6);
    EXPECT_EQ(Cells(table), Cells(page_->vfgBrowse->Model()));
    EXPECT_EQ(Cells(w.vfgSummary->Model()), Cells(page_->vfgSummary->Model()));
    EXPECT_EQ(w.vfgSummary->Model().TextMatrix(1, 1), "al1");
    EXPECT_EQ(table.CellBackColor(361, 1), 255);
    EXPECT_EQ(table.CellBackColor(360, 1), 0);

    // The graph was filled with the record when it loaded; the Graph page refills it.
    EXPECT_EQ(w.zelGraph->Graph().SampleCount(), 720);
    w.optBrowse[1]->setChecked(true);
    w.optBrowse_Click(1);
    EXPECT_TRUE(w.vfgBrowse->isHidden());
    EXPECT_FALSE(w.zelGraph->isHidden());
    EXPECT_EQ(w.zelGraph->Graph().SampleCount(), 720);
    EXPECT_EQ(w.cmbBrowse->count(), 7);
    EXPECT_EQ(w.cmbBrowse->currentText(), "1");
    EXPECT_FALSE(w.chkBrowse[0]->isHidden());  // gas 0 enabled
    EXPECT_TRUE(w.chkBrowse[0]->isChecked());
    EXPECT_TRUE(w.chkBrowse[2]->isHidden());   // gas 2 not enabled
    EXPECT_FALSE(w.chkBrowse[5]->isHidden());
    EXPECT_TRUE(w.chkBrowse[4]->isHidden());
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(IntermittenceWindowTest, ShortTrendsShowTheTableOnlyAndIntervalSamplingNamesItself) {
    ShowInMainView(3);
    frmIntermittence& w = Open(4);
    EXPECT_EQ(w.vfgBrowse->Model().Rows(), 5);
    EXPECT_TRUE(w.optBrowse[0]->isChecked());
    EXPECT_FALSE(w.optBrowse[1]->isEnabled());

    // The window is kept: the next opening reloads its models with the other record.
    Open(5);
    EXPECT_EQ(w.fraMenu->title(), "Data View(Interval Trend)");
    EXPECT_TRUE(w.optBrowse[1]->isEnabled());
    EXPECT_EQ(w.vfgBrowse->Model().Rows(), 181);
    EXPECT_EQ(w.Records().Alarm().DataCount(), 180);
}

TEST_F(IntermittenceWindowTest, TakesTheMainViewsSummaryAndBoxes) {
    ShowInMainView(3);
    page_->vfgSummary->hide();
    page_->chkBrowse[6]->setChecked(true);
    frmIntermittence& w = Open(3);
    EXPECT_TRUE(w.vfgSummary->isHidden());
    EXPECT_TRUE(w.chkBrowse[6]->isChecked());

    // Summary shows it again and the table makes room for it.
    const int tableHeight = w.vfgBrowse->height();
    w.cmdBrowse_Click(3);
    EXPECT_FALSE(w.vfgSummary->isHidden());
    EXPECT_LT(w.vfgBrowse->height(), tableHeight);
}

TEST_F(IntermittenceWindowTest, PrintHandsTheShownRecordAndTableToTheReport) {
    ShowInMainView(3);
    frmIntermittence& w = Open(3);
    std::vector<ReportRequest> printed;
    w.printHook = [&printed](const ReportRequest& request) { printed.push_back(request); };
    w.cmdBrowse_Click(0);
    w.optBrowse[1]->setChecked(true);
    w.optBrowse_Click(1);
    w.cmdBrowse_Click(0);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].kind, 2);
    EXPECT_FALSE(printed[0].graph);
    EXPECT_EQ(printed[0].alarm, &w.Records().Alarm());
    EXPECT_EQ(printed[0].interval, nullptr);
    EXPECT_EQ(printed[0].recordTable, &w.vfgBrowse->Model());
    EXPECT_TRUE(printed[1].graph);
}

TEST_F(IntermittenceWindowTest, ALayoutKeepsTheWindowAtItsLeastSize) {
    ShowInMainView(3);
    frmIntermittence& w = Open(3);
    w.resize(300, 200);
    w.Form_Resize();
    EXPECT_GE(w.width() * 15, 11640);
    EXPECT_GE(w.height() * 15, 8250);
    // Return stands at the right of the table, Summary, Export and Print to its left.
    EXPECT_LT(w.cmdBrowse[3]->geometry().right(), w.cmdBrowse[4]->x());
    EXPECT_EQ(w.cmdBrowse[2]->geometry().right() + 1, w.cmdBrowse[3]->x());
}

TEST_F(IntermittenceWindowTest, ExportWritesTheMainViewsBytesForTheSameRecordAndFileType) {
    ShowInMainView(3);
    frmIntermittence& w = Open(3);
    const QString dir = State().StartDir;
    for (int filter : {1, 2, 4, 5}) {
        const QString mine = dir + QStringLiteral("/window%1.csv").arg(filter);
        const QString theirs = dir + QStringLiteral("/main%1.csv").arg(filter);
        dialogs_.files.push_back(mine);
        dialogs_.filterIndexes.push_back(filter);
        w.cmdBrowse_Click(2);
        dialogs_.files.push_back(theirs);
        dialogs_.filterIndexes.push_back(filter);
        QString mainLast;
        const DataSampleSource mainSource{2, 3, view_->Records(), SampleStatistics::TwoGases};
        ASSERT_EQ(ExportSampleText(mainSource, &page_->vfgBrowse->Model(), mainLast, dir), ExportOutcome::Written);
        QFile a(mine);
        QFile b(theirs);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly)) << filter;
        ASSERT_TRUE(b.open(QIODevice::ReadOnly)) << filter;
        const QByteArray bytes = a.readAll();
        EXPECT_GT(bytes.size(), 720 * 20) << filter;
        EXPECT_EQ(bytes, b.readAll()) << filter;
        EXPECT_EQ(w.LastExportFile(), mine);
    }
    // The offered list is the trend list with the %LEL conversion, and the next name follows
    // the last file.
    ASSERT_FALSE(dialogs_.fileRequests.empty());
    EXPECT_EQ(dialogs_.fileRequests.front().filter, SaveDialogFilter(GetResText(5703)));
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(IntermittenceWindowTest, ExportKeepsAnExistingFileWhenTheUserSaysNoAndSavesTheGraphAsABitmap) {
    ShowInMainView(3);
    frmIntermittence& w = Open(3);
    const QString path = State().StartDir + QStringLiteral("/kept.csv");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    dialogs_.files.push_back(path);
    dialogs_.answers.push_back(vbNo);
    w.cmdBrowse_Click(2);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
    EXPECT_TRUE(w.LastExportFile().isEmpty());

    dialogs_.files.push_back(std::nullopt);  // Cancel: nothing happens
    w.cmdBrowse_Click(2);
    EXPECT_TRUE(w.LastExportFile().isEmpty());

    w.optBrowse[1]->setChecked(true);
    w.optBrowse_Click(1);
    const QString picture = State().StartDir + QStringLiteral("/graph.bmp");
    dialogs_.files.push_back(picture);
    w.cmdBrowse_Click(2);
    EXPECT_EQ(w.LastExportFile(), picture);
    EXPECT_FALSE(QImage(picture, "BMP").isNull());
}

// An alarm trend of a four-gas instrument: combustible gas, oxygen, hydrogen sulphide (slot 2)
// and carbon monoxide (slot 3), each sample's toxic readings different from the last.
void AddFourGasAlarmTrend(Long seqNo, const QString& names) {
    const Date alarm = test::MayDate(20, 9, 30);
    test::Columns columns = test::HeadColumns(seqNo, 2, names, alarm);
    for (auto& c : test::TrendGasColumns())
        if (c.first != u"Gas3Enable" && c.first != u"Gas4Enable")
            columns.push_back(std::move(c));
    const test::Columns toxic{
        {"Gas3Name", "H2S"},   {"Gas3Full", 30.0},   {"Gas3Point", Long{1}}, {"Gas3Unit", "ppm"},
        {"Gas3Enable", true},  {"Gas3Warning", 5.0}, {"Gas3Alarm", 10.0},    {"Gas4Name", "CO"},
        {"Gas4Full", 500.0},   {"Gas4Point", Long{0}}, {"Gas4Unit", "ppm"},  {"Gas4Enable", true},
        {"Gas4Warning", 25.0}, {"Gas4Alarm", 50.0}};
    columns.insert(columns.end(), toxic.begin(), toxic.end());
    test::InsertRow(QStringLiteral("Log_Head"), columns);
    std::vector<test::Values> stored;
    for (int i = 0; i < 720; ++i)
        stored.push_back({2.0f, 20.9f, 1.0f + static_cast<Single>(i % 20) / 2, static_cast<Single>(1 + i % 40), 0});
    test::WriteTrendFile(names, alarm.addSeconds(-360), 1, stored);
}

// The window hides no gas: the third and fourth gas of the summary and the table show in
// columns of their own past the grids' right edges, which the horizontal scroll bars reach.
// The main data view keeps hiding them.
TEST_F(IntermittenceWindowTest, ShowsEveryGasOfAFourGasAlarmTrendWhereScrollingReachesIt) {
    AddFourGasAlarmTrend(7, "al4gas");
    ShowInMainView(7);
    frmIntermittence& w = Open(7);
    w.show();
    if (w.vfgSummary->isHidden())
        w.cmdBrowse_Click(3);
    QCoreApplication::processEvents();

    const GridModel& summary = w.vfgSummary->Model();
    EXPECT_EQ(test::RowTexts(summary, 8).mid(3), QStringList({"H2S(30.0ppm)", "CO(500ppm)"}));
    EXPECT_EQ(test::RowTexts(summary, 9).mid(3), QStringList({"5.0 ppm", "25 ppm"}));
    EXPECT_EQ(test::RowTexts(summary, 10).mid(3), QStringList({"10.0 ppm", "50 ppm"}));
    const GridModel& table = w.vfgBrowse->Model();
    EXPECT_EQ(test::RowTexts(table, 1).mid(4), QStringList({"1.0 ppm", "1 ppm"}));
    EXPECT_EQ(test::RowTexts(table, 2).mid(4), QStringList({"1.5 ppm", "2 ppm"}));
    for (int col : {3, 4}) {
        EXPECT_FALSE(summary.ColHidden(col)) << col;
        EXPECT_TRUE(summary.MergeCol(col)) << col;
    }
    for (int col : {4, 5}) {
        EXPECT_FALSE(table.ColHidden(col)) << col;
        EXPECT_TRUE(table.MergeCol(col)) << col;
    }

    // Scrolled to the right, the last gas column of each grid lies inside the grid's view.
    for (GridView* grid : {w.vfgSummary, w.vfgBrowse}) {
        const int last = grid->Model().Cols() - 1;
        QScrollBar* bar = grid->horizontalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        EXPECT_GE(grid->columnViewportPosition(last), 0);
        EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last), grid->viewport()->width());
    }

    // The main data view hides the same columns, as its own fill does.
    EXPECT_TRUE(page_->vfgSummary->Model().ColHidden(3) && page_->vfgSummary->Model().ColHidden(4));
    EXPECT_TRUE(page_->vfgBrowse->Model().ColHidden(4) && page_->vfgBrowse->Model().ColHidden(5));
    w.hide();
}

// An interval trend in the window gets the window's own summary, with the STEL and TWA rows.
TEST_F(IntermittenceWindowTest, AnIntervalTrendShowsTheWindowsOwnSummary) {
    test::AddIntervalTrend(6, "iv6", 30);
    frmIntermittence& w = Open(6, 1);
    const GridModel& summary = w.vfgSummary->Model();
    ASSERT_EQ(summary.Rows(), 18);
    EXPECT_EQ(summary.TextMatrix(16, 0), "STEL");
    EXPECT_EQ(summary.TextMatrix(17, 0), "TWA");
    EXPECT_EQ(w.vfgBrowse->Model().Rows(), 31);
}

// Pictures of the window on an interval trend (its own 18-row summary), in both languages.
TEST_F(IntermittenceWindowTest, PicturesOfTheWindowOnAnIntervalTrend) {
    const QByteArray shots = qgetenv("MT52_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "MT52_SCREENSHOT_DIR is not set";
    test::AddIntervalTrend(6, "iv6", 30);
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        page_->SetUiTexts();
        frmIntermittence& w = Open(6, 1);
        w.resize(1000, 900);
        w.show();
        w.optBrowse[0]->setChecked(true);  // the summary with the table, not the graph
        w.optBrowse_Click(0);
        if (w.vfgSummary->isHidden())
            w.cmdBrowse_Click(3);  // the summary above the table
        QCoreApplication::processEvents();
        const QString name = QStringLiteral("%1/%2-trendsearch-interval").arg(QString::fromLocal8Bit(shots), GetResText(101));
        w.grab().save(name + QStringLiteral(".png"));
        w.vfgSummary->Model().SetTopRow(17);  // down to the STEL and TWA rows
        QCoreApplication::processEvents();
        w.grab().save(name + QStringLiteral("-stel-twa.png"));
        w.vfgSummary->horizontalScrollBar()->setValue(w.vfgSummary->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        w.grab().save(name + QStringLiteral("-stel-twa-right.png"));  // the third and fourth gas
        w.hide();
        window_.reset();
    }
}

// Pictures of the window on an alarm trend, table and graph, in both languages, into the folder
// MT52_SCREENSHOT_DIR names.
TEST_F(IntermittenceWindowTest, PicturesOfTheWindow) {
    const QByteArray shots = qgetenv("MT52_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "MT52_SCREENSHOT_DIR is not set";
    AddFourGasAlarmTrend(7, "al4gas");
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        page_->SetUiTexts();
        ShowInMainView(7);
        frmIntermittence& w = Open(7);
        w.show();
        if (w.vfgSummary->isHidden())
            w.cmdBrowse_Click(3);  // the summary above the table
        const QString name = QStringLiteral("%1/%2-trendsearch").arg(QString::fromLocal8Bit(shots), GetResText(101));
        QCoreApplication::processEvents();
        w.grab().save(name + QStringLiteral("-table.png"));
        // Scrolled to the right: the third and fourth gas.
        for (GridView* grid : {w.vfgSummary, w.vfgBrowse})
            grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        w.grab().save(name + QStringLiteral("-table-right.png"));
        w.optBrowse[1]->setChecked(true);
        w.optBrowse_Click(1);
        QCoreApplication::processEvents();
        w.grab().save(name + QStringLiteral("-graph.png"));
        w.hide();
        window_.reset();
    }
}

}  // namespace
}  // namespace mt52
