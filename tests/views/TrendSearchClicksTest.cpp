// The trend search started from the main data view: a click on a coloured alarm cell of an
// interval trend's table hands the found alarm trend to the trend-search window (replaced here
// by a recorder), other clicks do nothing, and what cannot be found or read is told.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "instrument/clsInstrument.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/pages/gui/DataViewPages.h"
#include "platform/RuntimeError.h"
#include "platform/gui/GridView.h"
#include "records/clsInterval.h"
#include "support/FakeDialogs.h"
#include "views/RecordModels.h"
#include "views/StoredRecords.h"
#include "views/gui/DataView.h"
#include "views/gui/TrendSearchClicks.h"
#include "views/gui/frmIntermittence.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QTimer>

namespace mt52 {
namespace {

constexpr Single N = NoDataReading;

class TrendSearchClicksTest : public test::TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        SetInterfaceLanguage(Language::English);
        State().TrendSearchBefore = -30;  // the program's default search window
        State().TrendSearchAfter = 45;
        window_.resize(900, 700);
        page_ = new DataViewPage(&window_);
        page_->SetUiTexts();
        page_->setGeometry(0, 0, 880, 680);
        const DataViewControls c = ControlsOf(*page_);
        DataViewServices s;
        s.CurrentLogType = [this] { return logType_; };
        s.CurrentSeqNo = [this] { return seqNo_; };
        s.CurrentInstrument = [this] { return &instrument_; };
        s.Layout = [] {};
        controls_ = c;
        view_ = std::make_unique<DataView>(c, s);
        view_->TrendSearch().SetWindowOpener([this] {
            opened_.push_back({State().TrendPopupSeqNo, State().TrendPopupKind, State().TrendPopupDate});
        });

        // An interval trend of SN1 from 12:00:00 with an alarm of gas 0 at 12:00:20; alarm trends
        // of SN1 at 12:00:05 and 12:00:25 and of another instrument at 12:00:21.
        test::AddIntervalTrend(1, "iv", 5);
        AddAlarmHead(2, test::MayDate(20, 12, 0, 5), "SN1");
        AddAlarmHead(3, test::MayDate(20, 12, 0, 25), "SN1");
        AddAlarmHead(4, test::MayDate(20, 12, 0, 21), "SN9");
        logType_ = 1;
        seqNo_ = 1;
        view_->cmdDetail_Click();
        clsInterval& record = view_->Records().Interval();
        test::AddEvent(record, test::MayDate(20, 12, 0, 20), {-104, N, N, N, N});
        view_->ShowBrowseTable();
    }
    void TearDown() override {
        view_.reset();
        ResetInterfaceLanguage();
        TrendFixture::TearDown();
    }

    static void AddAlarmHead(Long seqNo, const Date& date, const QString& serial) {
        test::Columns columns = test::HeadColumns(seqNo, 2, QStringLiteral("al%1").arg(seqNo), date);
        for (auto& [name, value] : columns)
            if (name == u"SerialNo")
                value = serial;
        test::InsertRow(QStringLiteral("Log_Head"), columns);
    }
    DataViewControls DataViewControlsOf() const { return controls_; }
    // The row of the alarm cell in gas column 2.
    int AlarmRow() const {
        const GridModel& table = page_->vfgBrowse->Model();
        for (int row = 1; row < table.Rows(); ++row)
            if (table.TextMatrix(row, 2) == u"ALARM")
                return row;
        return -1;
    }

    struct Opened {
        Long seqNo;
        Long kind;
        Date date;
    };
    QWidget window_;
    DataViewPage* page_ = nullptr;
    DataViewControls controls_;
    clsInstrument instrument_;
    std::unique_ptr<DataView> view_;
    test::FakeDialogs dialogs_;
    Long logType_ = 0;
    Long seqNo_ = 0;
    std::vector<Opened> opened_;
};

TEST_F(TrendSearchClicksTest, AClickOnTheAlarmCellOpensTheNearestAlarmTrend) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    ASSERT_NE(page_->vfgBrowse->Model().CellBackColor(row, 2), 0);

    view_->TrendSearch().TableMouseDown(2, row, 2);  // right button
    EXPECT_TRUE(opened_.empty());

    view_->TrendSearch().TableMouseDown(1, row, 2);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].seqNo, 3);
    EXPECT_EQ(opened_[0].kind, 2);
    EXPECT_EQ(opened_[0].date, test::MayDate(20, 12, 0, 20));
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_FALSE(page_->vfgBrowse->viewport()->testAttribute(Qt::WA_SetCursor));
}

TEST_F(TrendSearchClicksTest, TheMousePressOnTheGridReachesTheSearch) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    page_->vfgBrowse->Model().SetTopRow(1);
    window_.show();
    QApplication::processEvents();
    const QRect cell = page_->vfgBrowse->visualRect(page_->vfgBrowse->model()->index(row, 2));
    ASSERT_TRUE(cell.isValid());
    QMouseEvent press(QEvent::MouseButtonPress, cell.center(), page_->vfgBrowse->viewport()->mapToGlobal(cell.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page_->vfgBrowse->viewport(), &press);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].seqNo, 3);
}

TEST_F(TrendSearchClicksTest, OtherCellsStartNothing) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    GridModel& table = page_->vfgBrowse->Model();
    view_->TrendSearch().TableMouseDown(1, 0, 2);    // header
    view_->TrendSearch().TableMouseDown(1, row, 0);  // number column
    view_->TrendSearch().TableMouseDown(1, 1, 2);    // a sample reading
    table.SetCellBackColor(row, 2, 0);               // the same text without a colour
    view_->TrendSearch().TableMouseDown(1, row, 2);
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(TrendSearchClicksTest, NothingFoundOrNotReadableIsTold) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    Database(State().DatabasePath).execute(QStringLiteral("DELETE FROM Log_Head WHERE SeqNo IN (2, 3)"));
    view_->TrendSearch().TableMouseDown(1, row, 2);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, GetResText(5162));
    EXPECT_EQ(dialogs_.shown[0].title, GetResText(5163));

    // A database that cannot be read is an error, not "not found", and the pointer comes back.
    QFile::remove(State().DatabasePath);
    view_->TrendSearch().TableMouseDown(1, row, 2);
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_NE(dialogs_.shown[1].text, GetResText(5162));
    EXPECT_TRUE(dialogs_.shown[1].text.startsWith(GetResText(5395).trimmed()));
    EXPECT_EQ(dialogs_.shown[1].style & vbCritical, vbCritical);
    EXPECT_FALSE(page_->vfgBrowse->viewport()->testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(opened_.empty());
}

TEST_F(TrendSearchClicksTest, ThePointerShowsTheIconOverAlarmCellsOnly) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    QWidget* viewport = page_->vfgBrowse->viewport();
    view_->TrendSearch().TableMouseMove(row, 2);
    EXPECT_TRUE(viewport->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(viewport->cursor().shape(), Qt::BitmapCursor);
    view_->TrendSearch().TableMouseMove(1, 2);
    EXPECT_FALSE(viewport->testAttribute(Qt::WA_SetCursor));
}

TEST_F(TrendSearchClicksTest, WithoutTheEventBoxTheGraphStartsNothing) {
    page_->chkBrowse[5]->setChecked(false);
    page_->zelGraph->MousePointer(11);
    view_->TrendSearch().GraphMouseDown(1000, 1000);
    EXPECT_EQ(page_->zelGraph->MousePointer(), 0);
    view_->TrendSearch().GraphMouseMove(1000, 1000);
    EXPECT_EQ(page_->zelGraph->MousePointer(), 0);
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(TrendSearchClicksTest, TheProgramsOpenerShowsTheWindowModallyOnTheFoundRecord) {
    const int row = AlarmRow();
    ASSERT_GT(row, 0);
    test::AddAlarmTrend(20, "al20", 400);
    Database(State().DatabasePath)
        .execute(QStringLiteral("UPDATE Log_Head SET Dates = ? WHERE SeqNo = 20"), {test::MayDate(20, 12, 0, 22)});
    TrendSearchClicks& search = view_->TrendSearch();
    search.SetWindowOpener([&search, this] {
        QTimer::singleShot(0, &search.Window(), [&search] { search.Window().cmdBrowse_Click(4); });
        search.Window().ShowModal(DataViewControlsOf());
    });
    search.TableMouseDown(1, row, 2);
    frmIntermittence& window = search.Window();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Types(), 2);
    EXPECT_EQ(window.Records().Alarm().DataCount(), 400);
    EXPECT_EQ(window.vfgBrowse->Model().Rows(), 401);
    EXPECT_TRUE(dialogs_.shown.empty()) << dialogs_.lastText().toStdString();
}

}  // namespace
}  // namespace mt52
