#include "main_window/gui/DownloadPage.h"

#include "platform/gui/ShapeControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace mt52 {

DownloadPage::DownloadPage(QWidget* window) : PageFrame(window, 0) {
    fraDown[0] = MakeControl<QGroupBox>(this, Indexed("fraDown", 0), 120, 240, 5136, 612);
    const double lampLefts[4] = {120, 1284, 2568, 3852};
    for (int i = 0; i < 4; ++i)
        shpStatus[i] = MakeControl<ShapeControl>(fraDown[0], Indexed("shpStatus", i), lampLefts[i], 240, 200, 200);
    lblStatus[0] = MakeControl<QLabel>(fraDown[0], Indexed("lblStatus", 0), 380, 240, 1092, 252);
    lblStatus[1] = MakeControl<QLabel>(fraDown[0], Indexed("lblStatus", 1), 1544, 240, 852, 252);
    lblStatus[8] = MakeControl<QLabel>(fraDown[0], Indexed("lblStatus", 8), 2828, 240, 852, 252);
    lblStatus[9] = MakeControl<QLabel>(fraDown[0], Indexed("lblStatus", 9), 4112, 240, 852, 252);
    lblStatus[8]->setText(QStringLiteral("Cal.Unit"));
    lblStatus[9]->setText(QStringLiteral("Cal.Gas"));

    lblTitle[0] = MakeControl<QLabel>(this, Indexed("lblTitle", 0), 120, 912, 900, 225);
    rtbLog = MakeControl<QTextEdit>(this, QStringLiteral("rtbLog"), 120, 1257, 5136, 4191);
    rtbLog->setReadOnly(true);

    fraDown[3] = MakeControl<QGroupBox>(this, Indexed("fraDown", 3), 120, 5568, 5136, 1932);
    fraDown3Ceneter = MakeInnerFrame(fraDown[3], QStringLiteral("fraDown3Ceneter"), 5055, 975);
    for (int i = 0; i < 3; ++i) {
        lblStatus[2 + i] = MakeControl<QLabel>(fraDown3Ceneter, Indexed("lblStatus", 2 + i), 240, 180 + i * 240, 810, 225);
        lblStatus[5 + i] = MakeControl<QLabel>(fraDown3Ceneter, Indexed("lblStatus", 5 + i), 2400, 180 + i * 240, 2415, 255);
    }

    fraDown[1] = MakeControl<QGroupBox>(this, Indexed("fraDown", 1), 5316, 240, 3184, 975);
    chkAutoLoad[0] = MakeControl<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 0), 120, 240, 2944, 195);
    chkAutoLoad[1] = MakeControl<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 1), 120, 495, 2944, 195);
    chkAutoLoad[2] = MakeControl<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 2), 120, 720, 2412, 204);

    fraDown[2] = MakeControl<QGroupBox>(this, Indexed("fraDown", 2), 5316, 1215, 3184, 6285);
    for (int i = 0; i < 6; ++i)
        cmdDown[i] = MakeControl<QPushButton>(fraDown[2], Indexed("cmdDown", i), 120, 240 + i * 718, 2944, 598);

    picOptionToToval = MakeControl<QWidget>(this, QStringLiteral("picOptionToToval"), 120, 5568, 5136, 372);
    lblStatus[10] = MakeControl<QLabel>(picOptionToToval, Indexed("lblStatus", 10), 0, 60, 0, 255);
    lblStatus[10]->hide();
    lblStatus[11] = MakeControl<QLabel>(picOptionToToval, Indexed("lblStatus", 11), 0, 60, 2655, 255);
    txtSuffix = MakeControl<QLineEdit>(picOptionToToval, QStringLiteral("txtSuffix"), 2700, 0, 2400, 330);
    picOptionToToval->hide();
    cmdInportDat = MakeControl<QPushButton>(fraDown[2], QStringLiteral("cmdInportDat"), 120, 240 + 7 * 718, 2944, 598);
    cmdInportDat->setText(QStringLiteral("LOCAL BIN.DAT IMPORT"));
}

void DownloadPage::ApplyDefaults(const MainWindowDefaults& defaults) {
    for (int i = 0; i < 4; ++i) {
        const LampColors& colors = i == 0 ? defaults.lampOn : defaults.lampOff;
        shpStatus[i]->FillColor(colors.fill);
        shpStatus[i]->BorderColor(colors.border);
    }
    rtbLog->clear();
    for (int i : {2, 3})
        shpStatus[i]->hide();
    lblStatus[8]->hide();
    lblStatus[9]->hide();
    cmdInportDat->setVisible(defaults.importButtonVisible);
    chkAutoLoad[2]->setVisible(defaults.autoTerminateBoxVisible);
}

void DownloadPage::SetUiTexts() {
    SetCaptionId(this, 5002);
    SetCaptionId(fraDown[0], 5021);
    SetCaptionId(lblStatus[0], 5022);
    SetCaptionId(lblStatus[1], 5023);
    SetCaptionId(lblTitle[0], 5012);
    SetCaptionId(fraDown[3], 5025);
    SetCaptionId(lblStatus[2], 5026);
    SetCaptionId(lblStatus[3], 5027);
    SetCaptionId(lblStatus[4], 5028);
    SetCaptionId(lblStatus[11], 5048);
    SetCaptionId(fraDown[1], 5032);
    SetCaptionId(chkAutoLoad[0], 5033);
    SetCaptionId(chkAutoLoad[1], 5034);
    SetCaptionId(chkAutoLoad[2], 5063);
    SetCaptionId(fraDown[2], 5035);
    const int downIds[6] = {5036, 5037, 5038, 5040, 5041, 5047};
    for (int i = 0; i < 6; ++i)
        SetCaptionId(cmdDown[i], downIds[i]);
}

}  // namespace mt52
