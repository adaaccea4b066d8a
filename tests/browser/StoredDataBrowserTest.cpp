// The stored-data page's behaviour on real controls (offscreen): the tree and its grouping
// boxes, the list's events, the export, the Instrument button and the Delete command.
#include "browser/gui/CalHistoryBrowser.h"
#include "browser/gui/StoredDataBrowser.h"
#include "browser/gui/frmPassword.h"
#include "browser/BrowserFixture.h"
#include "common/TrendFile.h"
#include "platform/gui/GridView.h"
#include "support/FakeDialogs.h"
#include "support/Files.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWidget>

namespace mt52 {
namespace {

using test::HeadRow;

class StoredDataBrowserTest : public test::BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        page_.resize(900, 600);
        controls_.tvwLog = new QTreeWidget(&page_);
        controls_.lvwLog = new QTreeWidget(&page_);
        controls_.lvwLog->resize(400, 300);
        controls_.vfgLog = new GridView(&page_);
        for (auto& box : controls_.chkLog)
            box = new QCheckBox(&page_);
        controls_.cmdDetail = new QPushButton(&page_);
        controls_.cmdListCSV = new QPushButton(&page_);
        controls_.cmdLogInst = new QPushButton(&page_);
        controls_.mnuLog = new QMenu(&page_);
        controls_.mnuDelete = controls_.mnuLog->addAction("Delete");
        services_.LogTreeDirty = &dirty_;
        services_.LastExportFile = &lastExport_;
        services_.EnablePageButtons = [this](bool on) { pageButtons_.push_back(on); };
        services_.OpenDetail = [this] { ++detailsOpened_; };
        services_.ShowStoredInstrument = [this] { ++instrumentShown_; };
        services_.AskPassword = [this] { return password_; };
        services_.PopupDeleteMenu = [this] { ++popups_; };

        AddHead({.SeqNo = 1, .Types = 1, .Names = "iv10"});
        AddHead({.SeqNo = 2, .Types = 1, .Names = "iv01"});
        AddHead({.SeqNo = 3, .Types = 11, .SerialNo = "SN2", .Names = "ss1"});
        ASSERT_TRUE(MakeTrendFolder("05/24"));
        ASSERT_TRUE(test::WriteFile(TrendFilePath("05/24", "iv01"), "x"));
        ASSERT_TRUE(test::WriteFile(TrendFilePath("05/24", "iv01x"), "y"));
        browser_ = std::make_unique<StoredDataBrowser>(controls_, services_);
    }

    QStringList ListTexts() const {
        QStringList texts;
        for (int i = 0; i < controls_.lvwLog->topLevelItemCount(); ++i)
            texts << controls_.lvwLog->topLevelItem(i)->text(0);
        return texts;
    }
    QTreeWidgetItem* ListItemAt(int i) const { return controls_.lvwLog->topLevelItem(i); }
    QPoint PointOf(QTreeWidget* view, QTreeWidgetItem* item) const { return view->visualItemRect(item).center(); }
    // Shows the tree grouped by serial number and opens the interval-trend folder of SN1.
    void OpenIntervalFolder() {
        controls_.chkLog[0]->setChecked(true);
        browser_->chkLog_Click(0);
        browser_->tvwLog_NodeClick(browser_->TreeNode("SN1>05/24 I"));
    }

    QWidget page_;
    StoredDataControls controls_;
    StoredDataServices services_;
    std::unique_ptr<StoredDataBrowser> browser_;
    test::FakeDialogs dialogs_;
    bool dirty_ = true;
    QString lastExport_;
    std::vector<bool> pageButtons_;
    int detailsOpened_ = 0;
    int instrumentShown_ = 0;
    int popups_ = 0;
    bool password_ = true;
};

TEST_F(StoredDataBrowserTest, GroupingBoxesRebuildTheTreeAndShowTheRoot) {
    controls_.chkLog[0]->setChecked(true);
    browser_->chkLog_Click(0);
    EXPECT_FALSE(dirty_);
    EXPECT_EQ(pageButtons_, (std::vector<bool>{false, true}));
    EXPECT_TRUE(controls_.chkLog[1]->isEnabled());
    QTreeWidgetItem* root = controls_.tvwLog->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "MT-52 Data");
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->childCount(), 2);
    EXPECT_FALSE(root->child(0)->isExpanded());
    EXPECT_EQ(ListTexts(), QStringList({"SN1", "SN2"}));
    EXPECT_EQ(controls_.lvwLog->headerItem()->text(0), "Serial No.");
    EXPECT_EQ(controls_.vfgLog->Model().TextMatrix(1, 1), "Folder");
    EXPECT_FALSE(controls_.cmdDetail->isEnabled());
    EXPECT_TRUE(controls_.cmdListCSV->isEnabled());
    EXPECT_EQ(browser_->CurrentLogType(), 0);

    // Without a database nothing happens.
    State().DatabasePath.clear();
    dirty_ = false;
    browser_->chkLog_Click(1);
    EXPECT_FALSE(dirty_);
}

TEST_F(StoredDataBrowserTest, ListEventsPickShowAndSortEntries) {
    OpenIntervalFolder();
    EXPECT_EQ(ListTexts(), QStringList({"iv01", "iv10"}));
    EXPECT_EQ(browser_->CurrentLogType(), 1);  // the first entry's detail is shown
    EXPECT_EQ(browser_->CurrentSeqNo(), 2);
    EXPECT_TRUE(controls_.cmdDetail->isEnabled());

    browser_->lvwLog_ItemClick(ListItemAt(1));
    EXPECT_EQ(browser_->CurrentSeqNo(), 1);
    EXPECT_EQ(controls_.vfgLog->Model().TextMatrix(1, 1), "iv10");

    browser_->lvwLog_ColumnClick();
    EXPECT_EQ(ListTexts(), QStringList({"iv10", "iv01"}));
    browser_->lvwLog_ColumnClick();
    EXPECT_EQ(ListTexts(), QStringList({"iv01", "iv10"}));

    // A press then a double click on an entry opens its data view.
    browser_->lvwLog_MouseDown(Qt::LeftButton, PointOf(controls_.lvwLog, ListItemAt(0)));
    EXPECT_EQ(browser_->PressedLogKey(), "2 G");
    browser_->lvwLog_DblClick();
    EXPECT_EQ(detailsOpened_, 1);

    // A right press shows the item's detail and opens the menu for it.
    browser_->lvwLog_MouseDown(Qt::RightButton, PointOf(controls_.lvwLog, ListItemAt(1)));
    EXPECT_EQ(popups_, 1);
    EXPECT_EQ(browser_->DeleteTag(), "1 G");
    EXPECT_EQ(browser_->PressedLogKey(), "2 G");
    EXPECT_EQ(controls_.lvwLog->currentItem(), ListItemAt(1));
    browser_->lvwLog_MouseDown(Qt::RightButton, QPoint(5, 290));  // empty space
    EXPECT_EQ(popups_, 1);
}

TEST_F(StoredDataBrowserTest, DoubleClickOnAFolderOpensIt) {
    controls_.chkLog[0]->setChecked(true);
    browser_->chkLog_Click(0);
    browser_->lvwLog_MouseDown(Qt::LeftButton, PointOf(controls_.lvwLog, ListItemAt(1)));
    browser_->lvwLog_DblClick();
    EXPECT_EQ(ListTexts(), QStringList({"05/24"}));
    EXPECT_EQ(controls_.lvwLog->headerItem()->text(0), "(MM/YY)");
    EXPECT_EQ(detailsOpened_, 0);
}

TEST_F(StoredDataBrowserTest, ExportWritesTheListAsShownOrSaysWhyNot) {
    OpenIntervalFolder();
    const QString path = dir_.filePath("out.csv");
    dialogs_.files.push_back(path);
    browser_->cmdListCSV_Click();
    EXPECT_EQ(test::ReadFile(path),
              "Name,SerialNo,StationID,UserID,Date/Time,Gas,Data\r\n"
              "iv01,SN1,ST1,U1,2024/05/20 12:00:00,,\r\n"
              "iv10,SN1,ST1,U1,2024/05/20 12:00:00,,\r\n");
    EXPECT_EQ(lastExport_, path);
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_EQ(dialogs_.fileRequests.back().fileName, "DataList.csv");

    dialogs_.files.push_back(std::nullopt);  // cancel: silent
    browser_->cmdListCSV_Click();
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.fileRequests.back().fileName, "out.csv");

    dialogs_.files.push_back(dir_.filePath("missing/out.csv"));
    browser_->cmdListCSV_Click();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Export Error");
    EXPECT_EQ(lastExport_, path);
    EXPECT_EQ(State().BusyState, 0);
}

TEST_F(StoredDataBrowserTest, InstrumentButtonNeedsAnEntry) {
    controls_.chkLog[0]->setChecked(true);
    browser_->chkLog_Click(0);
    browser_->cmdLogInst_Click();  // a folder listing: no entry
    EXPECT_EQ(dialogs_.lastText(), "No data selected. Select data to view.");
    EXPECT_EQ(instrumentShown_, 0);
    browser_->tvwLog_NodeClick(browser_->TreeNode("SN1>05/24 I"));
    browser_->cmdLogInst_Click();
    EXPECT_EQ(instrumentShown_, 1);
}

TEST_F(StoredDataBrowserTest, DeletingAnEntryAFolderAndEverything) {
    OpenIntervalFolder();
    browser_->lvwLog_MouseDown(Qt::RightButton, PointOf(controls_.lvwLog, ListItemAt(0)));

    password_ = false;  // no password: nothing happens
    browser_->mnuDelete_Click();
    EXPECT_TRUE(dialogs_.shown.empty());
    password_ = true;
    dialogs_.answers = {vbNo};
    browser_->mnuDelete_Click();
    EXPECT_EQ(dialogs_.lastText(), "Delete sample iv01.\r\nReady?");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 3);

    dialogs_.answers = {vbYes};
    browser_->mnuDelete_Click();
    EXPECT_EQ(ListTexts(), QStringList({"iv10"}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 2);
    EXPECT_FALSE(QFile::exists(TrendFilePath("05/24", "iv01")));
    EXPECT_TRUE(QFile::exists(TrendFilePath("05/24", "iv01x")));
    EXPECT_FALSE(dirty_);  // an entry leaves the tree as it is

    // The serial folder SN2: the tree is rebuilt and its parent (the root) is shown.
    browser_->tvwLog_MouseDown(Qt::RightButton, PointOf(controls_.tvwLog, browser_->TreeNode("SN2 S")));
    dialogs_.answers = {vbYes};
    browser_->mnuDelete_Click();
    EXPECT_EQ(dialogs_.shown.back().title, "Delete Data in Folder");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 1);
    EXPECT_EQ(ListTexts(), QStringList({"SN1"}));
    EXPECT_EQ(browser_->TreeNode("SN2 S"), nullptr);

    browser_->tvwLog_MouseDown(Qt::RightButton, PointOf(controls_.tvwLog, controls_.tvwLog->topLevelItem(0)));
    dialogs_.answers = {vbYes};
    browser_->mnuDelete_Click();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 0);
    EXPECT_EQ(controls_.tvwLog->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(ListTexts().isEmpty());
}

TEST_F(StoredDataBrowserTest, AFailedDeletionSaysSoAndKeepsEverything) {
    OpenIntervalFolder();
    {
        Database db = Open();
        db.execute("CREATE TRIGGER refuse BEFORE DELETE ON Log_Head BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    browser_->lvwLog_MouseDown(Qt::RightButton, PointOf(controls_.lvwLog, ListItemAt(0)));
    dialogs_.answers = {vbYes};
    browser_->mnuDelete_Click();
    EXPECT_EQ(dialogs_.shown.back().title, "Delete Error");
    EXPECT_EQ(ListTexts(), QStringList({"iv01", "iv10"}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 3);
    EXPECT_TRUE(QFile::exists(TrendFilePath("05/24", "iv01")));
}

// The tree makes a folder's items when the folder is first opened; opened, it holds exactly the
// nodes of the tree model, in the model's order.
TEST_F(StoredDataBrowserTest, FoldersAreFilledWhenFirstOpened) {
    AddHead({.SeqNo = 4, .Types = 7, .SerialNo = "SN2", .FolderID = "06/24"});  // power events only
    AddHead({.SeqNo = 5, .Types = 2, .SerialNo = "sn1", .FolderID = "04/24"});
    for (QCheckBox* box : controls_.chkLog)
        box->setChecked(true);
    browser_->chkLog_Click(0);
    QTreeWidgetItem* root = controls_.tvwLog->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    QTreeWidgetItem* sn1 = root->child(0);
    EXPECT_EQ(sn1->text(0), "SN1");
    EXPECT_EQ(sn1->childCount(), 0);  // not opened yet, but marked as having children
    EXPECT_EQ(sn1->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    sn1->setExpanded(true);  // opened late, as a click on its mark does
    ASSERT_EQ(sn1->childCount(), 1);
    EXPECT_EQ(sn1->child(0)->text(0), "ST1");
    EXPECT_EQ(StoredDataBrowser::KeyOf(sn1->child(0)), "SN1>ST1 T");
    EXPECT_EQ(sn1->child(0)->childCount(), 0);

    // Everything opened: the items are the model's nodes, keys and texts in depth-first order.
    controls_.tvwLog->expandAll();
    const LogTree& tree = browser_->Tree();
    int index = 0;
    for (QTreeWidgetItemIterator it(controls_.tvwLog); *it; ++it, ++index) {
        ASSERT_LT(index, tree.Count());
        EXPECT_EQ(StoredDataBrowser::KeyOf(*it), tree.At(index).Key);
        EXPECT_EQ((*it)->text(0), tree.At(index).Text);
        EXPECT_EQ((*it)->childCount(), static_cast<int>(tree.At(index).Children.size()));
    }
    EXPECT_EQ(index, tree.Count());
    // A month holding power events only has no folder outside the extended mode, and no mark.
    QTreeWidgetItem* powerMonth = browser_->TreeNode("SN2>ST1>U1>06/24 M");
    ASSERT_NE(powerMonth, nullptr);
    EXPECT_EQ(powerMonth->childCount(), 0);
    EXPECT_NE(powerMonth->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
}

TEST_F(StoredDataBrowserTest, ADeletionInsideAnUnopenedFolderSelectsItsParent) {
    AddHead({.SeqNo = 4, .Types = 1, .FolderID = "04/24"});
    controls_.chkLog[0]->setChecked(true);
    browser_->chkLog_Click(0);
    QTreeWidgetItem* sn1 = browser_->TreeNode("SN1 S");
    ASSERT_NE(sn1, nullptr);
    EXPECT_EQ(sn1->childCount(), 0);

    // From the list: open SN1 there, then delete its month 05/24 without opening it in the tree.
    browser_->lvwLog_MouseDown(Qt::LeftButton, PointOf(controls_.lvwLog, ListItemAt(0)));
    browser_->lvwLog_DblClick();
    ASSERT_EQ(ListTexts(), QStringList({"04/24", "05/24"}));
    browser_->lvwLog_MouseDown(Qt::RightButton, PointOf(controls_.lvwLog, ListItemAt(1)));
    EXPECT_EQ(browser_->DeleteTag(), "SN1>05/24 M");
    dialogs_.answers = {vbYes};
    browser_->mnuDelete_Click();

    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 2);
    // The rebuilt tree shows the parent, selected, with what is left under it.
    QTreeWidgetItem* current = controls_.tvwLog->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(StoredDataBrowser::KeyOf(current), "SN1 S");
    EXPECT_EQ(ListTexts(), QStringList({"04/24"}));
    EXPECT_EQ(browser_->TreeNode("SN1>05/24 M"), nullptr);
    current->setExpanded(true);
    ASSERT_EQ(current->childCount(), 1);
    EXPECT_EQ(current->child(0)->text(0), "04/24");
}

TEST_F(StoredDataBrowserTest, ARefreshKeepsTheOpenPathUntilTheTreeIsRebuilt) {
    OpenIntervalFolder();
    QTreeWidgetItem* folder = browser_->TreeNode("SN1>05/24 I");
    ASSERT_NE(folder, nullptr);
    controls_.tvwLog->setCurrentItem(folder);
    QTreeWidgetItem* month = folder->parent();
    month->setExpanded(true);
    month->parent()->setExpanded(true);

    // Opening the page again without a change: the same items, open as they were.
    dirty_ = false;
    browser_->BuildLogTree();
    EXPECT_EQ(browser_->TreeNode("SN1>05/24 I"), folder);
    EXPECT_TRUE(month->isExpanded());
    EXPECT_EQ(controls_.tvwLog->currentItem(), folder);

    // After a download the tree is rebuilt: only the root open, the folders filled again on demand.
    AddHead({.SeqNo = 4, .Types = 2, .FolderID = "05/24"});
    dirty_ = true;
    browser_->BuildLogTree();
    QTreeWidgetItem* root = controls_.tvwLog->topLevelItem(0);
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_FALSE(root->child(0)->isExpanded());
    EXPECT_EQ(root->child(0)->childCount(), 0);
    QTreeWidgetItem* alarms = browser_->TreeNode("SN1>05/24 A");
    ASSERT_NE(alarms, nullptr);
    EXPECT_EQ(alarms->text(0), "Alarm Trend");
    EXPECT_EQ(alarms->parent()->childCount(), 2);
}

TEST_F(StoredDataBrowserTest, PasswordDialogContinueAndChange) {
    QString lock = "Secret";
    frmPassword dialog(lock, FontSpec{});
    EXPECT_EQ(dialog.windowTitle(), "Password");
    EXPECT_EQ(dialog.lblPass->text(), "Please input password.");
    EXPECT_EQ(dialog.txtPass->echoMode(), QLineEdit::Password);
    dialog.txtPass->setText("nope");
    dialog.cmdPass_Click(0);
    EXPECT_EQ(dialogs_.lastText(), "Incorrect Password Entered");
    EXPECT_FALSE(dialog.Passed());
    dialog.cmdPass_Click(1);
    EXPECT_EQ(dialog.cmdPass[1]->text(), "Current password");
    EXPECT_EQ(dialog.txtPass->text(), "");
    dialog.txtPass->setText("SECRET");
    dialog.cmdPass_Click(1);
    dialog.txtPass->setText("new");
    dialog.cmdPass_Click(1);
    dialog.txtPass->setText("new");
    dialog.cmdPass_Click(1);
    EXPECT_EQ(lock, "new");
    EXPECT_EQ(dialog.cmdPass[1]->text(), "Change Password");
    dialog.cmdPass_Click(0);
    EXPECT_TRUE(dialog.Passed());
}

TEST_F(StoredDataBrowserTest, HistoryPageChoicesMenuAndDeletion) {
    {
        Database db = Open();
        db.execute("INSERT INTO cLatestHist (SeqNo, SerialNo, UserID, WriteDates, Gas1Enable) VALUES (1, 'A1', 'U1', ?, 0)",
                   {*Date::FromParts(2024, 5, 1)});
        db.execute("INSERT INTO cLatestHist (SeqNo, SerialNo, UserID, WriteDates, Gas1Enable) VALUES (2, 'B2', 'U1', ?, 0)",
                   {*Date::FromParts(2024, 5, 2)});
    }
    CalHistoryControls controls;
    for (auto& option : controls.optHistory)
        option = new QRadioButton(&page_);
    controls.vfgHistory = new GridView(&page_);
    controls.cmdLastCal = new QPushButton(&page_);
    bool first = true;
    int popups = 0;
    CalHistoryBrowser history(controls, {.FirstActivation = [&] { return first; },
                                         .AskPassword = [&] { return true; },
                                         .PopupHistoryMenu = [&] { ++popups; }});
    controls.optHistory[0]->setChecked(true);
    history.optHistory_Click(0);  // during the window's loading: no fill, no message
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_TRUE(controls.cmdLastCal->isEnabled());

    first = false;
    controls.optHistory[2]->setChecked(true);
    history.optHistory_Click(2);
    EXPECT_FALSE(controls.cmdLastCal->isEnabled());
    EXPECT_EQ(controls.vfgHistory->Model().Rows(), 7);
    history.vfgHistory_MouseDown(Qt::RightButton);
    EXPECT_EQ(popups, 0);

    controls.optHistory[1]->setChecked(true);
    history.optHistory_Click(1);
    EXPECT_TRUE(controls.cmdLastCal->isEnabled());
    history.vfgHistory_MouseDown(Qt::RightButton);
    EXPECT_EQ(popups, 1);

    GridModel& grid = controls.vfgHistory->Model();
    grid.SetRow(0);
    history.mnuHistDel_Click();  // the header row: nothing at all
    EXPECT_TRUE(dialogs_.shown.empty());
    grid.SetRow(2);
    dialogs_.answers = {vbYes};
    history.mnuHistDel_Click();
    EXPECT_EQ(dialogs_.shown.back().text, "Delete History : SerialNo=A1");
    EXPECT_EQ(dialogs_.shown.back().style, vbYesNo | vbInformation);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM cLatestHist"), 1);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), "B2");
}

}  // namespace
}  // namespace mt52
