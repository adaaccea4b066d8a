#include "link/gui/frmIrCommSelect.h"

#include "common/ModuleState.h"
#include "platform/Twips.h"
#include "platform/Types.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace mt52 {

namespace {
// Fixed layout in twips.
constexpr int Margin = 120;
constexpr int InnerWidth = 3600;
constexpr int LabelHeight = 255;
constexpr int ComboHeight = 330;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
}  // namespace

frmIrCommSelect::frmIrCommSelect(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("IrCOMM"));
    Label1 = new QLabel(QStringLiteral("Select IrCOMM"), this);
    cmbIrComm = new QComboBox(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    const auto px = [](int twips) { return TwipsToPixels(twips); };
    Label1->setGeometry(px(Margin), px(Margin), px(InnerWidth), px(LabelHeight));
    const int comboTop = Margin + LabelHeight + 60;
    cmbIrComm->setGeometry(px(Margin), px(comboTop), px(InnerWidth), px(ComboHeight));
    const int buttonTop = comboTop + ComboHeight + Margin;
    cmdOK->setGeometry(px(Margin + InnerWidth - ButtonWidth), px(buttonTop), px(ButtonWidth), px(ButtonHeight));
    setFixedSize(px(InnerWidth + 2 * Margin), px(buttonTop + ButtonHeight + Margin));
}

void frmIrCommSelect::cmdOK_Click() {
    State().CommPortChoice = static_cast<Integer>(cmbIrComm->currentIndex() + 1);
    accept();
}

void frmIrCommSelect::Choose(const QStringList& entries, QWidget* parent) {
    frmIrCommSelect dialog(parent);
    dialog.cmbIrComm->addItems(entries);
    dialog.cmbIrComm->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    // The start-up busy pointer would otherwise stay on while the user chooses.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    dialog.exec();
}

}  // namespace mt52
