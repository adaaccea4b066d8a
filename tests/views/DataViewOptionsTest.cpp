// The data view's option handlers: which switch between table and graph fills its view again
// after a load, and the series boxes the graph switch sets from the record's enabled gases.
#include "graph/gui/uclZelGraph.h"
#include "platform/gui/GridView.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "views/DataViewFixture.h"

#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class DataViewOptionsTest : public test::DataViewFixture {
protected:
    // Marks the table and the graph so that a refill shows: a fill writes them again.
    void Mark() {
        page_->vfgBrowse->Model().SetTextMatrix(1, 1, QStringLiteral("marked"));
        page_->zelGraph->Graph().TitleTop(QStringLiteral("marked"));
    }
    bool TableRefilled() const { return page_->vfgBrowse->Model().TextMatrix(1, 1) != "marked"; }
    bool GraphRedrawn() const { return page_->zelGraph->Graph().TitleTop() != "marked"; }
    void Switch(int option) {
        page_->optBrowse[1]->setEnabled(true);
        page_->optBrowse[static_cast<std::size_t>(option)]->setChecked(true);
        view_->optBrowse_Click(Integer(option));
    }
};

TEST_F(DataViewOptionsTest, OnlyTheFirstSwitchAfterALoadRefillsItsView) {
    for (Long kind : {1, 2}) {
        const Long seqNo = kind == 1 ? 1 : 3;
        // Table, Graph, Table, Graph: only the first (the table) refills.
        Open(kind, seqNo);
        EXPECT_FALSE(view_->ViewRefilled());
        Mark();
        Switch(0);
        EXPECT_TRUE(TableRefilled()) << kind;
        EXPECT_TRUE(view_->ViewRefilled());
        Mark();
        Switch(1);
        Switch(0);
        Switch(1);
        EXPECT_FALSE(TableRefilled()) << kind;
        EXPECT_FALSE(GraphRedrawn()) << kind;
        EXPECT_FALSE(page_->zelGraph->isHidden());
        EXPECT_TRUE(page_->vfgBrowse->isHidden());

        // Graph first redraws the graph; the following table switch does not refill.
        Switch(0);
        Open(kind, seqNo);
        Mark();
        Switch(1);
        EXPECT_TRUE(GraphRedrawn()) << kind;
        Mark();
        Switch(0);
        EXPECT_FALSE(TableRefilled()) << kind;
    }
}

TEST_F(DataViewOptionsTest, GraphSwitchSetsTheSeriesBoxesFromTheRecordsGases) {
    // An interval trend whose first gas is only in its vol% slot: box 0 follows slot 4.
    Open(1, 1);
    Switch(0);  // the view is refilled: the next graph switch only synchronises
    clsInterval& interval = view_->Records().Interval();
    interval.GasListInfo(0, GasInfoField::Enable, false);
    interval.GasListInfo(4, GasInfoField::Enable, true);
    interval.GasListInfo(1, GasInfoField::Enable, false);
    Switch(1);
    EXPECT_TRUE(page_->chkBrowse[0]->isChecked());
    EXPECT_FALSE(page_->chkBrowse[0]->isHidden());
    EXPECT_TRUE(page_->zelGraph->Graph().SampleVisible(0));
    EXPECT_FALSE(page_->chkBrowse[1]->isChecked());
    EXPECT_TRUE(page_->chkBrowse[1]->isHidden());
    EXPECT_FALSE(page_->zelGraph->Graph().SampleVisible(1));
    EXPECT_FALSE(page_->chkBrowse[5]->isHidden());
    EXPECT_FALSE(page_->chkBrowse[6]->isHidden());

    // An alarm trend takes each box's own slot: slot 4 does not stand in for slot 0.
    Switch(0);
    Open(2, 3);
    Switch(0);
    clsAlarm& alarm = view_->Records().Alarm();
    alarm.GasListInfo(0, GasInfoField::Enable, false);
    alarm.GasListInfo(4, GasInfoField::Enable, true);
    Switch(1);
    EXPECT_FALSE(page_->chkBrowse[0]->isChecked());
    EXPECT_TRUE(page_->chkBrowse[0]->isHidden());
    EXPECT_TRUE(page_->chkBrowse[1]->isChecked());
}

TEST_F(DataViewOptionsTest, EventBoxShowsTheMarksOfEverySeriesWhateverTheirBoxes) {
    Open(2, 3);
    Switch(1);
    const ZelGraph& graph = page_->zelGraph->Graph();
    if (page_->chkBrowse[5]->isChecked())
        page_->chkBrowse[5]->click();
    page_->chkBrowse[1]->click();  // unticked: curve 1 hidden
    ASSERT_FALSE(page_->chkBrowse[1]->isChecked());
    EXPECT_FALSE(graph.EventVisible(0));
    page_->chkBrowse[5]->click();
    EXPECT_TRUE(graph.EventVisible(0));
    EXPECT_TRUE(graph.EventVisible(1));  // marks of an unticked series too
    EXPECT_FALSE(graph.SampleVisible(1));
    EXPECT_TRUE(graph.EventVisible(1000));
    page_->chkBrowse[6]->setChecked(false);
    view_->chkBrowse_Click(6);
    EXPECT_FALSE(page_->zelGraph->CursorVisible());
}

}  // namespace
}  // namespace mt52
