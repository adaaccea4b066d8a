#include "link/gui/frmIrCommSelect.h"

#include "common/ModuleState.h"
#include "common/gui/WindowMetrics.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mt52 {

frmIrCommSelect::frmIrCommSelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmIrCommSelect"));
    setWindowTitle(QStringLiteral("IrCOMM"));
    Label1 = new QLabel(QStringLiteral("Select IrCOMM"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbIrComm = new QComboBox(this);
    cmbIrComm->setObjectName(QStringLiteral("cmbIrComm"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cmbIrComm);
    layout->addWidget(cmdOK);
    for (QWidget* control : findChildren<QWidget*>()) {
        QFont font = control->font();
        ApplyCommonFont(font, State().CommonFont);
        control->setFont(font);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmIrCommSelect::SetEntries(const QStringList& entries) {
    cmbIrComm->clear();
    cmbIrComm->addItems(entries);
    cmbIrComm->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void frmIrCommSelect::cmdOK_Click() {
    State().CommPortChoice = static_cast<Integer>(cmbIrComm->currentIndex() + 1);
    accept();
}

void ChoosePortWithDialog(const QStringList& entries) {
    frmIrCommSelect dialog;
    dialog.SetEntries(entries);
    dialog.exec();
}

}  // namespace mt52
