#include "printing/gui/frmSetPrinter.h"

#include "common/gui/WindowMetrics.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace mt52 {

frmSetPrinter::frmSetPrinter(const FontSpec& font, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Printer List"));
    lblTitle = new QLabel(QStringLiteral("Printer"), this);
    cmbList = new QComboBox(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCan = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCan, &QPushButton::clicked, this, [this] { cmdCan_Click(); });

    PlaceTwips(*lblTitle, {0, 120, 972, 252});
    lblTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTwips(*cmbList, {1080, 120 - 30, 3012, 315});
    PlaceTwips(*cmdOK, {360, 480, 1452, 372});
    PlaceTwips(*cmdCan, {1920, 480, 1452, 372});
    setFixedSize(TwipsToPixels(4200), TwipsToPixels(870));
    ApplyCommonFontToAll(*this, font);
}

void frmSetPrinter::Load(const PrinterList& printers) {
    cmbList->clear();
    int current = -1;
    const QString currentName = printers.CurrentDeviceName();
    for (int i = 0; i < printers.Count(); ++i) {
        const QString name = printers.DeviceName(i);
        cmbList->addItem(name);
        if (name == currentName)
            current = i;
    }
    cmbList->setCurrentIndex(current >= 0 && current < printers.Count() ? current : -1);
}

void frmSetPrinter::cmdOK_Click() {
    selNo_ = static_cast<Integer>(cmbList->currentIndex());
    answered_ = true;
    accept();
}

void frmSetPrinter::cmdCan_Click() {
    selNo_ = -1;
    answered_ = true;
    reject();
}

void frmSetPrinter::done(int result) {
    // The close box and Esc end the choice like Cancel.
    if (!answered_) {
        selNo_ = -1;
        answered_ = true;
    }
    QDialog::done(result);
}

Integer PrinterChoiceDialog::ChoosePrinter(PrinterList& printers) {
    frmSetPrinter dialog(font_, parent_);
    dialog.Load(printers);
    // The report's busy pointer must not hide the choice.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    if (onShown)
        QTimer::singleShot(0, &dialog, [this, &dialog] { onShown(dialog); });
    dialog.exec();
    QApplication::restoreOverrideCursor();
    selNo_ = dialog.SelNo(selNo_);
    return selNo_;
}

}  // namespace mt52
