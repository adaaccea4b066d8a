#include "main_window/gui/InstrumentsPage.h"

#include "platform/gui/GridView.h"

#include <QLabel>

namespace mt52 {

InstrumentsPage::InstrumentsPage(QWidget* window) : PageFrame(window, 1) {
    fraInst = MakeControl<QGroupBox>(this, QStringLiteral("fraInst"), 120, 240, 2140, 3429);
    fraInstCeneter = MakeInnerFrame(fraInst, QStringLiteral("fraInstCeneter"), 2415, 3015);
    const double tops[10] = {60, 660, 1260, 300, 900, 1500, 1860, 2100, 2460, 2700};
    for (int i = 0; i < 10; ++i) {
        const bool caption = i == 0 || i == 1 || i == 2 || i == 6 || i == 8;
        lblInst[i] = MakeControl<QLabel>(fraInstCeneter, Indexed("lblInst", i), 0, tops[i], caption ? 2415 : 1905,
                                         caption ? 225 : 255);
    }
    vfgInst = MakeControl<GridView>(this, QStringLiteral("vfgInst"), 2380, 360, 6060, 3309);
    vfgInstSensor = MakeControl<GridView>(this, QStringLiteral("vfgInstSensor"), 120, 3789, 8320, 3471);
}

void InstrumentsPage::SetUiTexts() {
    SetCaptionId(this, 5051);
    SetCaptionId(fraInst, 5052);
    SetCaptionId(lblInst[0], 5053);
    SetCaptionId(lblInst[1], 5054);
    SetCaptionId(lblInst[2], 5055);
    SetCaptionId(lblInst[6], 5056);
    SetCaptionId(lblInst[8], 5060);
}

}  // namespace mt52
