// The option page's FRAM DUMP button against the simulated instrument: the listing file, the
// log box lines, the progress dialog and the transfer commands while it runs.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/RomDump.h"
#include "link/gui/frmUpload.h"
#include "main_window/LogBox.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "platform/gui/QtUserDialogs.h"
#include "support/FakeDialogs.h"
#include "support/SimLink.h"
#include "support/ProgramFolder.h"
#include "support/StubWindowLink.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// The window's link over the link core talking to the simulated instrument in-process.
class SimWindowLink final : public test::StubWindowLink {
public:
    test::SimLink sim;
    RomDump dump{sim.link};

    void Retry(Integer v) override { sim.link.SetRetry(v); }
    void Timeout(Integer v) override { sim.link.SetTimeout(v); }
    bool PortOpen() const override { return true; }
    void AddLog(const QString& text) override { sim.link.AddLog(text); }
    void AddDatedLog(int textId) override { sim.link.AddDatedLog(textId); }
    Long Status() const override { return sim.link.Status(); }
    bool GetRomDump2(const QString& path) override { return dump.GetRomDump2(path); }
    void SetCancel(bool value) override { sim.link.SetCancel(value); }
};

struct LogLine {
    QString text;
    Long color;
    friend bool operator==(const LogLine&, const LogLine&) = default;
};

// The log box's non-empty lines with the colour each is drawn in.
std::vector<LogLine> LogLines(const QTextEdit& box) {
    std::vector<LogLine> lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        const QColor colour = block.begin().fragment().charFormat().foreground().color();
        lines.push_back({block.text(), static_cast<Long>(FromQColor(colour))});
    }
    return lines;
}

frmUpload* ShownProgressDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = dynamic_cast<frmUpload*>(w); dialog != nullptr && dialog->isVisible())
            return dialog;
    return nullptr;
}

class FramDumpWindowTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        frmMainServices services = frmMainServices::Defaults();
        services.SelectCommPort = [] {};
        services.LoadIniSettings = [](WindowSettings&) {};
        services.SaveIniSettings = [](const WindowSettings&) {};
        services.LockHolderNames = [] { return LockHolder{"PC-LAB", "suzuki"}; };
        services.CreateLink = [this](frmMain&) {
            auto made = std::make_unique<SimWindowLink>();
            link = made.get();
            return made;
        };
        window = std::make_unique<frmMain>(services);
        ASSERT_TRUE(window->Form_Load());
        link->sim.instrument.resizeMemory(15);
        link->sim.instrument.writeMemory(0, "MT-52 memory image");
    }
    void TearDown() override {
        window->Form_Unload();
        window.reset();
        ProgramFolderTest::TearDown();
    }

    test::FakeDialogs dialogs;
    SimWindowLink* link = nullptr;
    std::unique_ptr<frmMain> window;
};

TEST_F(FramDumpWindowTest, ConfirmedDumpWritesTheListingUnderTheDialogWithTheCommandsLocked) {
    ASSERT_TRUE(link->sim.Connect());
    window->Download().cmdDown[2]->setEnabled(false);  // enabled only after a read: it must stay so
    bool checked = false;
    link->sim.onStep = [&] {
        if (checked)
            return;
        checked = true;
        EXPECT_EQ(State().BusyState, 1);
        EXPECT_FALSE(window->Download().cmdDown[0]->isEnabled());
        EXPECT_FALSE(window->Option().cmdOptionDisp[6]->isEnabled());
        frmUpload* dialog = ShownProgressDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "FRAM Dump List");
    };
    dialogs.answers = {vbYes};
    window->cmdOptionDisp_Click(6);

    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.shown.at(0).title, "DumpList");
    QFile listing(dir.filePath("DumpEF.dat"));
    ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
    EXPECT_GT(listing.size(), 0);
    const std::vector<LogLine> lines = LogLines(*window->Download().rtbLog);
    ASSERT_GE(lines.size(), 2u);
    const std::vector<LogLine> tail(lines.end() - 2, lines.end());
    EXPECT_EQ(tail, (std::vector<LogLine>{{"Dump List Download () Start.", LogColor::DumpList},
                                          {"Dump List Download () Finished.", LogColor::DumpList}}));
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_EQ(ShownProgressDialog(), nullptr);
    EXPECT_TRUE(window->Download().cmdDown[0]->isEnabled());
    EXPECT_FALSE(window->Download().cmdDown[2]->isEnabled());
    EXPECT_TRUE(window->Option().cmdOptionDisp[6]->isEnabled());
}

TEST_F(FramDumpWindowTest, AnInstrumentThatStopsAnsweringIsReportedAndEverythingUndone) {
    ASSERT_TRUE(link->sim.Connect());
    link->sim.protocol.InjectFault(sim::SimFault::NoAnswer, 100);
    dialogs.answers = {vbYes};
    window->cmdOptionDisp_Click(6);
    EXPECT_EQ(LogLines(*window->Download().rtbLog).back(), (LogLine{"Dump List Download (Fail) Finished.", LogColor::Failure}));
    EXPECT_EQ(State().BusyState, 0);
    EXPECT_EQ(ShownProgressDialog(), nullptr);
    EXPECT_TRUE(window->Download().cmdDown[0]->isEnabled());
}

}  // namespace
}  // namespace mt52
