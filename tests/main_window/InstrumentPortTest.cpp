// The window opens the adapter's port through the program's own link control and port lister;
// pseudo-terminals stand in for adapters.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/gui/frmIrCommSelect.h"
#include "link/uclLqif.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "platform/ComPortLister.h"
#include "support/ScopedEnv.h"
#include "support/ProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

namespace mt52 {
namespace {

// The controlling side of a pseudo-terminal; its device path plays an adapter's port.
class PseudoTerminal {
public:
    PseudoTerminal() {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0)
            path_ = QString::fromLocal8Bit(ptsname(fd_));
    }
    ~PseudoTerminal() {
        if (fd_ >= 0)
            close(fd_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    const QString& path() const { return path_; }

private:
    int fd_ = -1;
    QString path_;
};

class InstrumentPortTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ResetPortTable();
        ASSERT_FALSE(first.path().isEmpty());
        ASSERT_FALSE(second.path().isEmpty());
    }
    void TearDown() override {
        ResetPortTable();
        ProgramFolderTest::TearDown();
    }

    // The program's window, with every service its own.
    std::unique_ptr<frmMain> Loaded() {
        auto window = std::make_unique<frmMain>();
        EXPECT_TRUE(window->Form_Load());
        return window;
    }

    PseudoTerminal first;
    PseudoTerminal second;
};

TEST_F(InstrumentPortTest, OneAdapterPortIsOpenedAsTheSerialLine) {
    test::ScopedEnv ports("MT52_SERIAL_PORTS", first.path().toLocal8Bit());
    auto window = Loaded();
    uclLqif* link = window->uclLQ4005().Control();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(State().CommPortNumber, PortNumberOf(first.path()));
    EXPECT_TRUE(link->SerialComm());
    EXPECT_TRUE(link->PortOpen());
    EXPECT_EQ(link->Settings(), "921600,n,8,1");
    EXPECT_EQ(link->Handshaking(), 2);
    EXPECT_TRUE(window->Download().rtbLog->toPlainText().isEmpty());
    window->Form_Unload();
}

TEST_F(InstrumentPortTest, SeveralAdapterPortsAreOfferedInTheChoiceDialog) {
    test::ScopedEnv ports("MT52_SERIAL_PORTS", (first.path() + ":" + second.path()).toLocal8Bit());
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* choice = dynamic_cast<frmIrCommSelect*>(dialog);
        if (choice == nullptr) {
            if (dialog != nullptr)
                dialog->reject();
            return;
        }
        for (int i = 0; i < choice->cmbIrComm->count(); ++i)
            offered << choice->cmbIrComm->itemText(i);
        choice->cmbIrComm->setCurrentIndex(1);
        choice->cmdOK->click();
    });
    auto window = Loaded();
    EXPECT_EQ(offered.size(), 2);
    EXPECT_EQ(State().CommPortChoice, 2);
    EXPECT_EQ(State().CommPortNumber, PortNumberOf(second.path()));
    EXPECT_TRUE(window->uclLQ4005().Control()->PortOpen());
    window->Form_Unload();
}

TEST_F(InstrumentPortTest, WithoutAnAdapterTheInfraredLineIsChosenQuietly) {
    test::ScopedEnv ports("MT52_SERIAL_PORTS", "");
    auto window = Loaded();
    EXPECT_EQ(State().CommPortNumber, 0);
    EXPECT_FALSE(window->uclLQ4005().Control()->SerialComm());
    // The window set no port: the loaded instance keeps the defaults of its property bag.
    EXPECT_EQ(window->uclLQ4005().Control()->CommPort(), 4);
    EXPECT_EQ(window->uclLQ4005().Control()->Settings(), "9600,n,8,1");
    EXPECT_FALSE(window->OpenInstrumentPort());
    EXPECT_TRUE(window->Download().rtbLog->toPlainText().isEmpty());
    window->Form_Unload();
}

}  // namespace
}  // namespace mt52
