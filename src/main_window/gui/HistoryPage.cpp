#include "main_window/gui/HistoryPage.h"

#include "platform/gui/GridView.h"

#include <QPushButton>
#include <QRadioButton>

namespace mt52 {

HistoryPage::HistoryPage(QWidget* window) : PageFrame(window, 4) {
    for (int i = 0; i < 3; ++i)
        optHistory[i] = MakeControl<QRadioButton>(this, Indexed("optHistory", i), 60 + i * 2260, 240, 2140, 252);
    vfgHistory = MakeControl<GridView>(this, QStringLiteral("vfgHistory"), 60, 552, 8440, 6948);
    vfgHistory->WidenColumnsToText(true);
    cmdLastCal = MakeControl<QPushButton>(this, QStringLiteral("cmdLastCal"), 7200, 240, 1200, 252);
}

void HistoryPage::SetUiTexts() {
    SetCaptionId(this, 5254);
    SetCaptionId(optHistory[0], 5251);
    SetCaptionId(optHistory[1], 5252);
    SetCaptionId(optHistory[2], 5253);
    SetCaptionId(cmdLastCal, 5161);
}

}  // namespace mt52
