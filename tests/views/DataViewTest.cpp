// The data view's behaviour on the real page (offscreen): what Detail and ShowDataView set up
// for each kind of record, the Table/Graph switch, the series boxes and what the user is told
// when a record cannot be shown whole.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "instrument/clsInstrument.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/pages/gui/DataViewPages.h"
#include "platform/gui/GridView.h"
#include "records/clsInterval.h"
#include "support/FakeDialogs.h"
#include "views/DataSampleText.h"
#include "views/DataViewFixture.h"
#include "views/StoredRecords.h"
#include "views/gui/DataView.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace mt52 {
namespace {

class DataViewTest : public test::DataViewFixture {
protected:
    QString Summary(int row, int col) const { return page_->vfgSummary->Model().TextMatrix(row, col); }
    // Enabled states of Print, To clipboard, Export and Summary as "1101".
    QString Commands() const {
        QString states;
        for (int i = 0; i < 4; ++i)
            states += page_->cmdBrowse[static_cast<std::size_t>(i)]->isEnabled() ? u'1' : u'0';
        return states;
    }
};

TEST_F(DataViewTest, EachKindGetsItsCaptionCommandsAndOptions) {
    struct Case {
        Long logType;
        Long seqNo;
        QString caption;
        QString commands;
        bool tableSelected, tableEnabled, graphSelected, graphEnabled, trendOptions;
        QString summaryName;  // row 1 of the summary
    };
    const Case cases[] = {
        {1, 1, "Data View(Interval Trend)", "1111", true, true, false, true, true, "iv5"},
        {1, 2, "Data View(Interval Trend)", "1111", true, true, false, false, true, "iv4"},
        {2, 3, "Data View(Alarm Trend)", "1111", true, true, false, true, false, "al1"},
        {2, 4, "Data View(Interval Trend)", "1111", true, true, false, true, false, "iv*al"},
        {9, 5, "Data View(BarHole)", "1110", false, false, false, false, false, "bh1"},
        {3, 6, "Data View(Calibration History)", "1111", true, true, false, false, false, "SN1"},
        {11, 7, "Data View(SnapShot)", "1111", true, true, false, false, false, "ss1"},
        {5, 8, "Data View(Alarm Events)", "1111", true, true, false, false, false, "SN1"},
        {10, 9, "Data View(BumpTest)", "1111", true, true, false, false, false, "SN1"},
        {6, 10, "Data View(Trouble Events)", "1111", true, true, false, false, false, "SN1"},
        {7, 11, "Data View(Power Events)", "1111", true, true, false, false, false, "SN1"},
        {8, 12, "Data View(Sensor Change History)", "1111", true, true, false, false, false, ""},
    };
    for (const Case& c : cases) {
        Open(c.logType, c.seqNo);
        const QString what = QStringLiteral("kind %1 record %2").arg(c.logType).arg(c.seqNo);
        EXPECT_EQ(page_->title(), c.caption) << what.toStdString();
        EXPECT_EQ(Commands(), c.commands) << what.toStdString();
        EXPECT_EQ(page_->optBrowse[0]->isChecked(), c.tableSelected) << what.toStdString();
        EXPECT_EQ(page_->optBrowse[0]->isEnabled(), c.tableEnabled) << what.toStdString();
        EXPECT_EQ(page_->optBrowse[1]->isChecked(), c.graphSelected) << what.toStdString();
        EXPECT_EQ(page_->optBrowse[1]->isEnabled(), c.graphEnabled) << what.toStdString();
        EXPECT_EQ(page_->chkEvent->isEnabled(), c.trendOptions) << what.toStdString();
        EXPECT_EQ(page_->chkOutline->isEnabled(), c.trendOptions) << what.toStdString();
        if (!c.summaryName.isEmpty()) {
            EXPECT_EQ(Summary(1, 1), c.summaryName) << what.toStdString();
        }
        EXPECT_EQ(view_->ViewLogType(), c.logType);
        EXPECT_EQ(view_->ViewSeqNo(), c.seqNo);
        EXPECT_FALSE(view_->BrowseViewBuilt());
        // Bar-hole records open with the summary shown: they have nothing else.
        if (c.logType == 9) {
            EXPECT_FALSE(page_->vfgSummary->isHidden());
        }
    }
    EXPECT_EQ(pageShown_, 12);
    EXPECT_TRUE(dialogs_.shown.empty()) << dialogs_.lastText().toStdString();
}

TEST_F(DataViewTest, DetailWithNothingPickedOnlySaysSo) {
    Open(1, 1);
    Open(0, 0);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "No data selected. Select data to view.");
    EXPECT_EQ(dialogs_.shown[0].title, "No view Data");
    EXPECT_EQ(pageShown_, 1);
    EXPECT_EQ(page_->title(), "Data View(Interval Trend)");
    EXPECT_EQ(view_->ViewSeqNo(), 1);
}

TEST_F(DataViewTest, AnUnknownKindLeavesThePageAsItWas) {
    Open(11, 7);
    Open(4, 1);
    EXPECT_EQ(page_->title(), "Data View(SnapShot)");
    EXPECT_EQ(view_->ViewLogType(), 11);
    EXPECT_EQ(Summary(1, 1), "ss1");
}

TEST_F(DataViewTest, TheGraphOfATrendIsDrawnWithItsSeriesBoxesAndZoomList) {
    Open(2, 3);
    const ZelGraph& graph = page_->zelGraph->Graph();
    EXPECT_EQ(graph.SampleCount(), 720);
    EXPECT_EQ(graph.TitleTop(), "Data Browse (al1) - Alarm Trend");
    EXPECT_EQ(page_->chkBrowse[0]->text(), "CH4(100.0%LEL)");
    EXPECT_TRUE(page_->chkBrowse[0]->isChecked());
    EXPECT_TRUE(page_->chkBrowse[1]->isChecked());
    EXPECT_FALSE(page_->chkBrowse[2]->isChecked());
    EXPECT_EQ(page_->cmbBrowse->count(), 7);
    EXPECT_EQ(page_->cmbBrowse->currentText(), "1");

    // The switch to the graph shows it in the table's place; back to the table hides it.
    page_->optBrowse[1]->click();
    EXPECT_FALSE(page_->zelGraph->isHidden());
    EXPECT_TRUE(page_->vfgBrowse->isHidden());
    EXPECT_TRUE(view_->BrowseViewBuilt());
    page_->optBrowse[0]->click();
    EXPECT_TRUE(page_->zelGraph->isHidden());
    EXPECT_FALSE(page_->vfgBrowse->isHidden());

    // A series box hides its curve and its marks; the Event box shows every series' marks.
    page_->chkBrowse[5]->click();
    EXPECT_TRUE(graph.EventVisible(0));
    EXPECT_TRUE(graph.EventVisible(1000));
    page_->chkBrowse[1]->click();
    EXPECT_FALSE(graph.SampleVisible(1));
    EXPECT_FALSE(graph.EventVisible(1));
    page_->cmbBrowse->setCurrentIndex(3);
    view_->cmbBrowse_Click();
    EXPECT_EQ(graph.Zoom(), 10);
}

TEST_F(DataViewTest, TheCondensedBoxFollowsTheCompleteViewSettingWithoutASecondLoad) {
    State().CompletelyViewOn = false;
    Open(1, 1);
    EXPECT_TRUE(State().CondensedView);
    EXPECT_TRUE(page_->chkOutline->isChecked());
    State().CompletelyViewOn = true;
    Open(1, 1);
    EXPECT_FALSE(State().CondensedView);
    EXPECT_FALSE(page_->chkOutline->isChecked());
    // The user's click on the box reloads the view in the other mode.
    page_->chkOutline->click();
    EXPECT_TRUE(State().CondensedView);
    EXPECT_EQ(Summary(1, 1), "iv5");
    // While Event Only is ticked the condensed mode cannot be changed.
    page_->chkEvent->click();
    EXPECT_FALSE(page_->chkOutline->isEnabled());
    page_->chkEvent->click();
    EXPECT_TRUE(page_->chkOutline->isEnabled());
}

TEST_F(DataViewTest, ARecordThatCannotBeShownWholeIsExplained) {
    test::InsertRow("Log_Head", test::HeadColumns(20, 1, "nofile", test::MayDate(22, 10, 0)));
    Open(1, 20);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Trend data not found");
    EXPECT_EQ(Summary(1, 1), "nofile");

    // Deleted elsewhere after it was picked.
    Open(2, 99);
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(dialogs_.shown[1].text, GetResText(5386));
}

TEST_F(DataViewTest, ALongHistorySaysThatItsOlderEntriesAreLeftOut) {
    for (int n = 0; n < 303; ++n)
        test::InsertRow("cHistory", {{"RelNo", Long(6)}, {"Dates", test::MayDate(1, 0, 0).addSeconds(60.0 * n)}});
    Open(3, 6);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, GetResText(5390, {Long(301), Long(2)}));
    EXPECT_TRUE(dialogs_.shown[0].text.contains("301"));

    // A history the view takes whole opens without a word.
    Open(10, 9);
    EXPECT_EQ(dialogs_.shown.size(), 1u) << dialogs_.lastText().toStdString();
}

TEST_F(DataViewTest, OnlyAnAlarmTrendWithAnAlarmMomentOpensScrolledToIt) {
    Open(2, 3);
    EXPECT_GT(page_->vfgBrowse->Model().TopRow(), 1);
    Open(2, 4);  // recorded as an interval trend
    EXPECT_EQ(page_->vfgBrowse->Model().TopRow(), 1);
}

// An alarm trend holds 720 samples. A damaged or foreign trend file with more records shows its
// first 720, in the summary, the table, the export and the raw export alike, and says it held
// more; nothing past them (no day-0 row of zero readings) is invented.
TEST_F(DataViewTest, AnAlarmTrendFileOfMoreThan720RecordsShowsItsFirst720) {
    State().ExportRawData = true;
    const Date first = test::MayDate(20, 9, 30).addSeconds(-360);
    const int counts[] = {720, 721, 1500};
    Long seqNo = 30;
    for (int records : counts) {
        SCOPED_TRACE(records);
        const QString name = QStringLiteral("long%1").arg(records);
        test::AddAlarmTrend(++seqNo, name, records);
        dialogs_.shown.clear();
        Open(2, seqNo);
        EXPECT_EQ(dialogs_.shown.size(), records > 720 ? 1u : 0u);
        EXPECT_EQ(Summary(6, 0), "Data Count");
        EXPECT_EQ(Summary(6, 1), "720");

        const GridModel& table = page_->vfgBrowse->Model();
        ASSERT_EQ(table.Rows(), 721);
        EXPECT_EQ(table.TextMatrix(720, 0), "720");
        EXPECT_EQ(table.TextMatrix(720, 1), GeneralDate(first.addSeconds(719)));
        EXPECT_EQ(table.TextMatrix(720, 2), "2.0 %LEL");

        const QStringList lines = MakeDataSampleText({.logType = 2, .seqNo = seqNo, .records = view_->Records()},
                                                     u',', 1)
                                      .split(QStringLiteral("\r\n"));
        const QStringList samples = lines.filter(QRegularExpression(QStringLiteral("^\\d+,\\d{4}/")));
        ASSERT_EQ(samples.size(), 720);
        EXPECT_TRUE(samples.last().startsWith(QStringLiteral("720,2024/05/20 09:35:59,"))) << samples.last().toStdString();

        QFile raw(QDir(State().StartDir).filePath(name + QStringLiteral(".csv")));
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        EXPECT_EQ(raw.readAll().count("\r\n"), 720);
    }
}

TEST_F(DataViewTest, SummaryAndReturnCommands) {
    Open(1, 1);
    ASSERT_TRUE(page_->vfgSummary->isHidden());
    page_->cmdBrowse[3]->click();
    EXPECT_FALSE(page_->vfgSummary->isHidden());
    page_->cmdBrowse[3]->click();
    EXPECT_TRUE(page_->vfgSummary->isHidden());
    page_->cmdBrowse[4]->click();
    EXPECT_EQ(dataPageShown_, 1);
}

}  // namespace
}  // namespace mt52
