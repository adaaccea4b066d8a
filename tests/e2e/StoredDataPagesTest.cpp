// The stored-data pages as the program assembles them, with the window's own link: the
// stored-instrument view of the Data page and the layout choices of the Calibration History page
// while the window is still loading.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "platform/EventLoop.h"
#include "platform/gui/GridView.h"
#include "support/FakeDialogs.h"
#include "support/ProgramFolder.h"
#include "views/StoredRecords.h"
#include "ProgramAssembly.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace mt52 {
namespace {

class AssembledStoredDataPages : public test::ProgramFolderTest {
protected:
    std::unique_ptr<frmMain> LoadWindow() {
        frmMainServices services = frmMainServices::Defaults();
        services.SelectCommPort = [] {};
        services.LockHolderNames = [] { return LockHolder{"PC-LAB", "tanaka"}; };
        auto window = std::make_unique<frmMain>(services);
        InstallPages(*window);
        EXPECT_TRUE(window->Form_Load());
        return window;
    }
    std::unique_ptr<frmMain> OpenWindow() {
        auto window = LoadWindow();
        window->resize(1000, 700);
        window->show();
        window->Form_Activate();
        return window;
    }
    // Data page, the first entry of the interval-trend folder picked in the list.
    void PickTheIntervalTrend(frmMain& window) {
        window.cmdInst[2]->click();
        StoredDataPage& data = window.StoredData();
        data.tvwLog->expandAll();
        QTreeWidgetItem* folder = nullptr;
        for (QTreeWidgetItemIterator it(data.tvwLog); *it && !folder; ++it)
            if ((*it)->data(0, Qt::UserRole).toString().endsWith(QStringLiteral(" I")))
                folder = *it;
        ASSERT_NE(folder, nullptr);
        data.tvwLog->scrollToItem(folder);
        QTest::mouseClick(data.tvwLog->viewport(), Qt::LeftButton, {}, data.tvwLog->visualItemRect(folder).center());
        ASSERT_GT(data.lvwLog->topLevelItemCount(), 0);
        QTreeWidgetItem* entry = data.lvwLog->topLevelItem(0);
        QTest::mouseClick(data.lvwLog->viewport(), Qt::LeftButton, {}, data.lvwLog->visualItemRect(entry).center());
        DoEvents(5);
    }

    test::FakeDialogs dialogs;
};

TEST_F(AssembledStoredDataPages, TheStoredInstrumentViewFillsTheInstrumentsPageInItsStoredForm) {
    auto window = OpenWindow();
    test::AddIntervalTrend(1, "iv0520", 30);
    ASSERT_NO_FATAL_FAILURE(PickTheIntervalTrend(*window));
    window->StoredData().cmdLogInst->click();

    EXPECT_FALSE(window->Instruments().isHidden());
    EXPECT_TRUE(window->StoredData().isHidden());
    EXPECT_EQ(window->Instruments().title(), GetResText(5058));  // "Instrument Information [Sample data]"
    EXPECT_FALSE(window->Flags().ShowingStoredInstrument);
    dialogs.answers = {vbYes};
    window->close();
}

// The choice of layout while the window loads (before its first activation) fills nothing, but
// the Print button still follows it.
TEST_F(AssembledStoredDataPages, TheHistoryChoicesSetThePrintButtonBeforeTheFirstActivation) {
    auto window = LoadWindow();
    ASSERT_TRUE(window->FirstActivation);
    HistoryPage& history = window->History();
    history.optHistory[2]->setChecked(true);
    EXPECT_FALSE(history.cmdLastCal->isEnabled());
    history.optHistory[0]->setChecked(true);
    EXPECT_TRUE(history.cmdLastCal->isEnabled());
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.lastText().toStdString();  // nothing filled, no "no data"

    window->resize(1000, 700);
    window->show();
    window->Form_Activate();
    history.optHistory[2]->setChecked(true);
    EXPECT_FALSE(history.cmdLastCal->isEnabled());
    dialogs.answers = {vbYes};
    window->close();
}

}  // namespace
}  // namespace mt52
