// A start with a data location the program cannot use: the start and the Data page both say
// which folder could not be made or opened and which setting chooses another, and no database
// error about a nameless file comes up.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "main_window/IniSettings.h"
#include "main_window/gui/frmMain.h"
#include "platform/EventLoop.h"
#include "support/FakeDialogs.h"
#include "support/Files.h"
#include "support/ProgramFolder.h"
#include "support/StubWindowLink.h"
#include "ProgramAssembly.h"

#include <QPushButton>

namespace mt52 {
namespace {

class UnusableDataFolder : public test::ProgramFolderTest {
protected:
    std::unique_ptr<frmMain> Start(const QString& dataRoot) {
        frmMainServices services = frmMainServices::Defaults();
        services.CreateLink = [](frmMain&) { return std::make_unique<test::StubWindowLink>(); };
        services.SelectCommPort = [] {};
        services.LockHolderNames = [] { return LockHolder{"PC-LAB", "tanaka"}; };
        services.LoadIniSettings = [dataRoot](WindowSettings& window) {
            LoadIniSettings(window);
            State().DataRoot = dataRoot;
        };
        auto window = std::make_unique<frmMain>(services);
        InstallPages(*window);
        EXPECT_TRUE(window->Form_Load());
        window->show();
        window->Form_Activate();
        return window;
    }

    test::FakeDialogs dialogs;
};

TEST_F(UnusableDataFolder, TheStartAndTheDataPageNameTheFolderAndTheSetting) {
    // A file where a folder should be: no folder can be made below it, whoever runs the test.
    ASSERT_TRUE(test::WriteFile(dir.filePath("blocked"), "x"));
    struct Case {
        QString root;
        QString named;
    };
    for (const Case& c : {Case{dir.filePath("blocked/data"), dir.filePath("blocked/data")},
                          Case{dir.filePath("blocked"), dir.filePath("blocked")}}) {
        SCOPED_TRACE(c.root.toStdString());
        dialogs.shown.clear();
        auto window = Start(c.root);
        window->cmdInst[2]->click();  // the Data page
        DoEvents(2);
        ASSERT_EQ(dialogs.shown.size(), 2u);
        for (const auto& shown : dialogs.shown) {
            EXPECT_TRUE(shown.text.contains(c.named)) << shown.text.toStdString();
            EXPECT_TRUE(shown.text.contains("DataLocation")) << shown.text.toStdString();
            EXPECT_FALSE(shown.text.contains("does not exist")) << shown.text.toStdString();
        }
        window->Form_Unload();
    }
}

}  // namespace
}  // namespace mt52
