#include "main_window/gui/DataViewPage.h"

#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "graph/gui/uclZelGraph.h"
#include "platform/gui/GridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace mt52 {

DataViewPage::DataViewPage(QWidget* window) : PageFrame(window, 3) {
    optBrowse[0] = MakeControl<QRadioButton>(this, Indexed("optBrowse", 0), 120, 240, 855, 252);
    optBrowse[1] = MakeControl<QRadioButton>(this, Indexed("optBrowse", 1), 1095, 240, 855, 252);
    chkEvent = MakeControl<QCheckBox>(this, QStringLiteral("chkEvent"), 2070, 240, 1215, 252);
    chkOutline = MakeControl<QCheckBox>(this, QStringLiteral("chkOutline"), 3405, 240, 1455, 252);
    vfgSummary = MakeControl<GridView>(this, QStringLiteral("vfgSummary"), 120, 612, 8320, 2286);
    vfgSummary->hide();
    vfgBrowse = MakeControl<GridView>(this, QStringLiteral("vfgBrowse"), 120, 612, 8320, 6768);
    vfgSummary->WidenColumnsToText(true);
    vfgBrowse->WidenColumnsToText(true);
    zelGraph = MakeControl<uclZelGraph>(this, QStringLiteral("zelGraph"), 120, 612, 8320, 6088);
    zelGraph->hide();
    const double boxWidths[7] = {2055, 1875, 1995, 2415, 2415, 1515, 1092};
    for (int i = 0; i < 7; ++i)
        chkBrowse[i] = MakeControl<QCheckBox>(this, Indexed("chkBrowse", i), 120 + (i % 4) * 2140, 6900 + (i / 4) * 252,
                                              boxWidths[i], 252);
    // Created hidden: the Table and Graph choices, Event Only and Condensed never show; the
    // gas series boxes show when the graph is filled; the fifth series box never shows.
    for (QWidget* hidden : std::initializer_list<QWidget*>{optBrowse[0], optBrowse[1], chkEvent, chkOutline})
        hidden->hide();
    for (int i = 0; i <= 4; ++i)
        chkBrowse[i]->hide();
    chkBrowse[4]->setText(QStringLiteral("Temp"));
    lblTitle[1] = MakeControl<QLabel>(this, Indexed("lblTitle", 1), 120, 7152, 444, 204);
    cmbBrowse = MakeControl<QComboBox>(this, QStringLiteral("cmbBrowse"), 804, 7152, 1452, 300);
    for (int i = 0; i < 5; ++i)
        cmdBrowse[i] = MakeControl<QPushButton>(this, Indexed("cmdBrowse", i), 3000 + i * 1100, 240, 1027, 252);
    cmdBrowse[1]->hide();
}

void DataViewPage::SetUiTexts() {
    SetCaptionId(this, 5151);
    SetCaptionId(optBrowse[0], 5152);
    SetCaptionId(optBrowse[1], 5153);
    SetCaption(chkBrowse[0], SampleInstrument().GasName(0));
    SetCaptionId(chkBrowse[5], 5154);
    SetCaptionId(chkBrowse[6], 5155);
    SetCaptionId(lblTitle[1], 5156);
    SetCaptionId(cmdBrowse[0], 5161);
    SetCaptionId(cmdBrowse[1], 5157);
    SetCaptionId(cmdBrowse[2], 5158);
    SetCaptionId(cmdBrowse[3], 5159);
    SetCaptionId(cmdBrowse[4], 9101);
    SetCaptionId(chkEvent, 5160);
    SetCaptionId(chkOutline, 5164);
}

}  // namespace mt52
