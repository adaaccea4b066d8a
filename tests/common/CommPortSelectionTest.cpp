#include "common/CommPortSelection.h"

#include "common/ModuleState.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

// Ports given through the environment only, with no device tree to read.
class CommPortSelection : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        ResetPortTable();
    }
    void TearDown() override {
        qunsetenv("MT52_SERIAL_PORTS");
        ResetPortTable();
        test::ResetProgramState();
    }

    static void Offer(const QByteArray& paths) { qputenv("MT52_SERIAL_PORTS", paths); }
    void Select(const PortChooser& chooser) {
        SelectCommPort(QString::fromLatin1(AdapterHardwareId), chooser, ComPortLister(QStringLiteral("/nonexistent")));
    }
};

TEST_F(CommPortSelection, NoneOrOnePortNeedsNoChoice) {
    int shown = 0;
    const PortChooser count = [&shown](const QStringList&) { ++shown; };
    State().CommPortNumber = 9;
    Select(count);
    EXPECT_EQ(State().CommPortNumber, 0);

    Offer("/dev/pts/4");
    Select(count);
    EXPECT_EQ(State().CommPortNumber, PortNumberOf(QStringLiteral("/dev/pts/4")));
    EXPECT_EQ(shown, 0);
}

TEST_F(CommPortSelection, SeveralPortsAreOfferedAndTheConfirmedOneTaken) {
    Offer("/dev/pts/1:/dev/pts/2:/dev/pts/3");
    QStringList offered;
    Select([&offered](const QStringList& entries) {
        offered = entries;
        State().CommPortChoice = 2;
    });
    EXPECT_EQ(offered, QStringList({QStringLiteral("/dev/pts/1"), QStringLiteral("/dev/pts/2"),
                                     QStringLiteral("/dev/pts/3")}));
    EXPECT_EQ(PortDevicePath(State().CommPortNumber), QStringLiteral("/dev/pts/2"));
}

TEST_F(CommPortSelection, ClosingWithoutConfirmingTakesTheFirstPortWhateverWasChosenBefore) {
    Offer("/dev/pts/1:/dev/pts/2:/dev/pts/3");
    State().CommPortChoice = 3;  // confirmed in an earlier showing
    int choiceWhenShown = -1;
    Select([&choiceWhenShown](const QStringList&) { choiceWhenShown = State().CommPortChoice; });
    EXPECT_EQ(choiceWhenShown, 0);
    EXPECT_EQ(PortDevicePath(State().CommPortNumber), QStringLiteral("/dev/pts/1"));

    // A chooser that reports a place outside the list leaves the first port too.
    Select([](const QStringList&) { State().CommPortChoice = 7; });
    EXPECT_EQ(PortDevicePath(State().CommPortNumber), QStringLiteral("/dev/pts/1"));
}

}  // namespace
}  // namespace mt52
