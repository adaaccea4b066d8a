#include "instrument/gui/frmGasSel.h"

#include "common/GasTable.h"
#include "common/ModuleState.h"
#include "instrument/GasSelLayout.h"
#include "platform/Twips.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

class GasSelTest : public ::testing::Test {
protected:
    void SetUp() override { test::ResetProgramState(); }
    void TearDown() override { test::ResetProgramState(); }

    // Enables choices 0 to count - 1 of slot 0.
    static void EnableChoices(int count) {
        for (int n = 0; n < count; ++n) {
            GasDefinition& gas = GasTableEntry(0, n);
            gas.Enabled = true;
            gas.Name = QStringLiteral("G%1").arg(n);
            gas.Unit = QStringLiteral("ppm");
            gas.FullScale = 100;
        }
    }
};

TEST_F(GasSelTest, ListsTheEnabledChoicesInTheirGrid) {
    EnableChoices(3);
    frmGasSel dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Gas Select"));
    EXPECT_EQ(dialog.fraGasSel->title(), QStringLiteral("Select List"));
    EXPECT_EQ(dialog.optGasList[1]->text(), QStringLiteral("G1(100ppm)"));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dialog.optGasList[static_cast<std::size_t>(i)]->isVisibleTo(&dialog), i < 3) << i;
    EXPECT_EQ(dialog.ChoicesPerLine(), 3);
    EXPECT_EQ(dialog.Lines(), 1);

    // One line of three, each a 3.1th of the frame's width, side by side.
    const int frameWidth = dialog.fraGasSel->width();
    for (int i = 0; i < 3; ++i) {
        const QRect r = dialog.optGasList[static_cast<std::size_t>(i)]->geometry();
        EXPECT_NEAR(r.width(), frameWidth / 3.1, 1.0) << i;
        EXPECT_NEAR(r.left(), frameWidth / 3.1 * i + 4, 1.0) << i;
        EXPECT_EQ(r.top(), TwipsToPixels(240));
    }
    // The buttons share the width below the frame.
    EXPECT_EQ(dialog.cmdGasSel[0]->geometry().top(), dialog.fraGasSel->geometry().bottom() + 1 + TwipsToPixels(90));
}

TEST_F(GasSelTest, SixChoicesTakeTwoLinesAndTheLayoutFollowsResizes) {
    EnableChoices(6);
    frmGasSel dialog;
    dialog.resize(TwipsToPixels(9000), TwipsToPixels(3600));
    dialog.Form_Resize();
    EXPECT_EQ(dialog.ChoicesPerLine(), 3);
    EXPECT_EQ(dialog.Lines(), 2);
    EXPECT_EQ(dialog.fraGasSel->width(), dialog.width());
    const int frameHeight = dialog.fraGasSel->height();
    EXPECT_NEAR(dialog.optGasList[3]->y(), frameHeight / 3.0 + 16, 1.0);
    EXPECT_EQ(dialog.optGasList[3]->x(), dialog.optGasList[0]->x());
    EXPECT_EQ(dialog.optGasList[5]->y(), dialog.optGasList[3]->y());

    // Smaller than 3000 by 2500 twips snaps back to that size.
    dialog.resize(50, 50);
    dialog.Form_Resize();
    EXPECT_EQ(dialog.width(), TwipsToPixels(GasSelMinWidth));
    EXPECT_EQ(dialog.height(), TwipsToPixels(GasSelMinHeight));
}

TEST_F(GasSelTest, OkAndCancelReportTheChoice) {
    EnableChoices(4);
    {
        frmGasSel dialog;
        EXPECT_FALSE(dialog.Flags());
        EXPECT_EQ(dialog.SelNum(), -1);
        dialog.optGasList_Click(2);
        dialog.cmdGasSel_Click(0);
        EXPECT_TRUE(dialog.Flags());
        EXPECT_EQ(dialog.SelNum(), 2);
        EXPECT_TRUE(dialog.optGasList[2]->isChecked());
    }
    {
        frmGasSel dialog;
        dialog.optGasList_Click(3);
        dialog.cmdGasSel_Click(1);
        EXPECT_FALSE(dialog.Flags());
        EXPECT_EQ(dialog.SelNum(), 3);
    }
}

TEST_F(GasSelTest, NoEnabledChoiceAndAWrongSlot) {
    frmGasSel dialog;
    for (QRadioButton* option : dialog.optGasList)
        EXPECT_FALSE(option->isVisibleTo(&dialog));
    dialog.cmdGasSel_Click(0);
    EXPECT_TRUE(dialog.Flags());
    EXPECT_EQ(dialog.SelNum(), -1);

    EXPECT_EQ(ErrorOf([&] { dialog.GasNo(1); }), ErrSubscript);
}

}  // namespace
}  // namespace mt52
