#include "ReportFixture.h"
#include "support/ProgramState.h"

#include "printing/gui/frmSetPrinter.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class frmSetPrinterTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }
};

TEST_F(frmSetPrinterTest, ListsThePrintersWithTheCurrentOnePreselected) {
    frmSetPrinter dialog({});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Printer List"));
    EXPECT_EQ(dialog.lblTitle->text(), QStringLiteral("Printer"));
    EXPECT_EQ(dialog.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cmdCan->text(), QStringLiteral("Cancel"));

    struct Case {
        QStringList names;
        int current;
        int selected;
    };
    const Case cases[] = {
        {{"Office", "Lab", "Shop"}, 1, 1},
        // Of two printers with the current one's name, the later one.
        {{"Lab", "Office", "Lab"}, 0, 2},
        {{"Office", "Lab"}, -1, -1},
        {{}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.join(',').toStdString());
        FakePrinters printers(c.names, c.current);
        dialog.Load(printers);
        EXPECT_EQ(dialog.cmbList->count(), c.names.size());
        EXPECT_EQ(dialog.cmbList->currentIndex(), c.selected);
        for (int i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(dialog.cmbList->itemText(i), c.names[i]);
    }
}

TEST_F(frmSetPrinterTest, AnswersByButtonAndTreatsTheCloseBoxAsCancel) {
    FakePrinters printers({"Office", "Lab"}, 1);
    PrinterChoiceDialog chooser;
    EXPECT_EQ(chooser.SelNo(), 0);

    struct Case {
        const char* name;
        std::function<void(frmSetPrinter&)> answer;
        Integer selNo;
    };
    const Case cases[] = {
        {"OK on the preselected entry", [](frmSetPrinter& d) { d.cmdOK->click(); }, 1},
        {"OK on another entry",
         [](frmSetPrinter& d) {
             d.cmbList->setCurrentIndex(0);
             d.cmdOK->click();
         },
         0},
        {"Cancel", [](frmSetPrinter& d) { d.cmdCan->click(); }, -1},
        {"OK again", [](frmSetPrinter& d) { d.cmdOK->click(); }, 1},
        {"close box", [](frmSetPrinter& d) { d.close(); }, -1},
        {"OK with nothing selected",
         [](frmSetPrinter& d) {
             d.cmbList->setCurrentIndex(-1);
             d.cmdOK->click();
         },
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chooser.onShown = c.answer;
        EXPECT_EQ(chooser.ChoosePrinter(printers), c.selNo);
        EXPECT_EQ(chooser.SelNo(), c.selNo);
    }
}

}  // namespace
}  // namespace mt52::test
