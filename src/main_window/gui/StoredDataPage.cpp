#include "main_window/gui/StoredDataPage.h"

#include "platform/gui/GridView.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace mt52 {

StoredDataPage::StoredDataPage(QWidget* window) : PageFrame(window, 2) {
    tvwLog = MakeControl<QTreeWidget>(this, QStringLiteral("tvwLog"), 120, 240, 2996, 5715);
    tvwLog->setHeaderHidden(true);
    fraLog = MakeControl<QGroupBox>(this, QStringLiteral("fraLog"), 120, 5955, 2996, 1545);
    fraLogCenter = MakeInnerFrame(fraLog, QStringLiteral("fraLogCenter"), 2655, 975);
    for (int i = 0; i < 3; ++i)
        chkLog[i] = MakeControl<QCheckBox>(fraLogCenter, Indexed("chkLog", i), 0, i * 300, 2655, 255);
    lvwLog = MakeControl<QTreeWidget>(this, QStringLiteral("lvwLog"), 3236, 240, 5204, 3200);
    lvwLog->setRootIsDecorated(false);
    // Until a folder is chosen the list has one untitled column, not the toolkit's "1".
    lvwLog->setHeaderLabels({QString()});
    vfgLog = MakeControl<GridView>(this, QStringLiteral("vfgLog"), 3236, 3560, 5204, 3200);
    vfgLog->WidenColumnsToText(true);
    cmdDetail = MakeControl<QPushButton>(this, QStringLiteral("cmdDetail"), 4000, 6900, 1561, 480);
    cmdListCSV = MakeControl<QPushButton>(this, QStringLiteral("cmdListCSV"), 5741, 6900, 1561, 480);
    chkRawData = MakeControl<QCheckBox>(this, QStringLiteral("chkRawData"), 7400, 6900, 1215, 465);
    chkRawData->setText(QStringLiteral("Export Raw Data"));
    chkRawData->hide();
    cmdLogInst = MakeControl<QPushButton>(this, QStringLiteral("cmdLogInst"), 4080, 4440, 1932, 372);
    cmdLogInst->hide();

    mnuLog = new QMenu(this);
    mnuLog->setObjectName(QStringLiteral("mnuLog"));
    mnuDelete = mnuLog->addAction(QStringLiteral("Delete"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuHist = new QMenu(this);
    mnuHist->setObjectName(QStringLiteral("mnuHist"));
    mnuHistDel = mnuHist->addAction(QStringLiteral("Delete"));
    mnuHistDel->setObjectName(QStringLiteral("mnuHistDel"));
}

void StoredDataPage::SetUiTexts() {
    SetCaptionId(this, 5101);
    SetCaptionId(chkLog[0], 5102);
    SetCaptionId(chkLog[1], 5104);
    SetCaptionId(chkLog[2], 5103);
    SetCaptionId(cmdDetail, 5005);
    SetCaptionId(cmdLogInst, 5025);
    SetCaptionId(cmdListCSV, 9004);
}

}  // namespace mt52
