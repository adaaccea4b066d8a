// What a page's behaviour is handed: the window fills the context with its own link, operations,
// instruments and flags; a test fills one over the simulated instrument.
#include "link/uclLqif.h"
#include "main_window/gui/DownloadPage.h"
#include "main_window/gui/frmMain.h"
#include "support/FakeDialogs.h"
#include "support/ProgramFolder.h"
#include "support/SimPageContext.h"

#include <QGroupBox>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

class PageContextTest : public test::ProgramFolderTest {
protected:
    test::FakeDialogs dialogs;
};

TEST_F(PageContextTest, TheWindowHandsItsOwnObjectsToThePages) {
    frmMainServices services = frmMainServices::Defaults();
    services.SelectCommPort = [] {};
    services.LoadIniSettings = [](WindowSettings&) {};
    services.SaveIniSettings = [](const WindowSettings&) {};
    frmMain window(services);
    ASSERT_TRUE(window.Form_Load());
    PageContext& context = window.Context();

    uclLqif* control = window.uclLQ4005().Control();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(context.link, &window.uclLQ4005());
    EXPECT_EQ(context.core, &control->Core());
    EXPECT_EQ(context.settings, &control->Transfer());
    EXPECT_EQ(context.dump, &control->Dump());
    EXPECT_EQ(context.operations, &control->Operations());
    EXPECT_EQ(context.currentInstrument, &window.CurrentInstrument());
    EXPECT_EQ(context.storedInstrument, &window.StoredInstrument());
    EXPECT_EQ(context.flags, &window.Flags());

    context.AddLogText("from a page", 0);
    EXPECT_TRUE(window.Download().rtbLog->toPlainText().contains("from a page"));
    context.ShowPage(4);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(window.fraMenu[i]->isHidden(), i != 5) << i;
    EXPECT_FALSE(context.ClosePending());
    window.Form_Unload();
}

TEST_F(PageContextTest, APageCanRunTheOperationsOverTheSimulatedInstrument) {
    test::SimPageContext page;
    ASSERT_TRUE(page.sim.Connect());
    PageContext& context = page.context;
    // What an instrument page does on its Read button: read the settings, report in the log box.
    ASSERT_TRUE(context.settings->GetInstrument(context.currentInstrument));
    context.AddLogText(context.currentInstrument->SerialNo(), 0);
    EXPECT_EQ(page.logBox, QStringList{"SIM0000001"});
    EXPECT_EQ(page.sim.link.Instrument(), &page.currentInstrument);
}

}  // namespace
}  // namespace mt52
