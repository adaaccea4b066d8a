#include "main_window/gui/OptionPage.h"

#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "platform/gui/GridView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mt52 {

OptionPage::OptionPage(QWidget* window) : PageFrame(window, 5) {
    fraOption[0] = MakeControl<QGroupBox>(this, Indexed("fraOption", 0), 120, 240, 2568, 6858);
    fraOptionCenter0 = MakeInnerFrame(fraOption[0], QStringLiteral("fraOptionCenter0"), 2055, 3135);
    const double dispTops[7] = {0, 360, 720, 1080, 1440, 2220, 2700};
    for (int i = 0; i < 7; ++i)
        cmdOptionDisp[i] = MakeControl<QPushButton>(fraOptionCenter0, Indexed("cmdOptionDisp", i), 0, dispTops[i], 2052, 252);
    cmdOptionDisp[6]->setText(QStringLiteral("FRAM DUMP"));
    for (int i = 1; i <= 4; ++i)
        cmdOptionDisp[i]->setAutoFillBackground(true);

    fraOption[1] = MakeControl<QGroupBox>(this, Indexed("fraOption", 1), 2808, 240, 5632, 6366);
    fraOptionCenter1 = MakeInnerFrame(fraOption[1], QStringLiteral("fraOptionCenter1"), 5895, 2595);
    for (int i = 0; i < 3; ++i) {
        lblOption[i] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", i), 0, i * 360, 2655, 255);
        txtOption[i] = MakeControl<QLineEdit>(fraOptionCenter1, Indexed("txtOption", i), 2280, i * 360, 3495, 330);
    }
    cmbStation = MakeControl<QComboBox>(fraOptionCenter1, QStringLiteral("cmbStation"), 1200, 120, 3495, 330);
    cmbStation->hide();
    lblOption[7] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 7), 0, 1080, 2670, 225);
    cmbInterval = MakeControl<QComboBox>(fraOptionCenter1, QStringLiteral("cmbInterval"), 2280, 1080, 1455, 330);
    lblOption[8] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 8), 0, 1500, 2595, 255);
    cmbIntermittence = MakeControl<QComboBox>(fraOptionCenter1, QStringLiteral("cmbIntermittence"), 2280, 1455, 1455, 330);
    lblOption[3] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 3), 0, 1920, 1695, 255);
    lblOption[4] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 4), 0, 2280, 1695, 255);
    lblOption[5] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 5), 2280, 1920, 2535, 255);
    lblOption[6] = MakeControl<QLabel>(fraOptionCenter1, Indexed("lblOption", 6), 2280, 2280, 2535, 255);
    for (int i = 0; i < 4; ++i)
        cmdOption[i] = MakeControl<QPushButton>(this, Indexed("cmdOption", i), 2808 + i * 1400, 6726, 1340, 372);

    fraOption[2] = MakeControl<QGroupBox>(this, Indexed("fraOption", 2), 2808, 240, 5632, 6858);
    vfgCal = MakeControl<GridView>(fraOption[2], QStringLiteral("vfgCal"), 120, 240, 5392, 4800);
    vfgOption = MakeControl<GridView>(this, QStringLiteral("vfgOption"), 120, 7218, 8320, 162);
    vfgOption->hide();
    for (int i = 0; i < 3; ++i)
        cmdCal[i] = MakeControl<QPushButton>(fraOption[2], Indexed("cmdCal", i), 120 + i * 1800, 5100, 1600, 1500);
}

void OptionPage::SetUiTexts() {
    SetCaptionId(this, 5201);
    SetCaptionId(fraOption[0], 5202);
    // Text 5204 has no argument marker: the gas names handed to it do not show.
    for (int i = 1; i <= 4; ++i)
        SetCaption(cmdOptionDisp[i], GetResText(5204, {SampleInstrument().GasName(static_cast<Integer>(i - 1))}));
    SetCaptionId(cmdOptionDisp[5], 5226);
    SetCaptionId(fraOption[1], 5208);
    const int optionLabelIds[5] = {5209, 5210, 5211, 5212, 5213};
    for (int i = 0; i < 5; ++i)
        SetCaptionId(lblOption[i], optionLabelIds[i]);
    SetCaptionId(lblOption[7], 5223);
    SetCaptionId(lblOption[8], 5224);
    SetCaptionId(cmdOption[0], 5214);
    SetCaptionId(cmdOption[1], 5215);
    SetCaptionId(cmdOption[2], 5216);
    SetCaptionId(cmdOption[3], 5221);
    SetCaptionId(fraOption[2], 5216);
    vfgCal->Model().SetFormatString(GetResText(5217));
    SetCaptionId(cmdCal[0], 5218);
    SetCaptionId(cmdCal[1], 5219);
    SetCaptionId(cmdCal[2], 5220);
}

}  // namespace mt52
