#include "instrument/gui/frmGasSel.h"

#include "common/GasFormats.h"
#include "common/GasTable.h"
#include "common/ModuleState.h"
#include "common/gui/WindowMetrics.h"
#include "instrument/GasSelLayout.h"
#include "platform/Twips.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace mt52 {

frmGasSel::frmGasSel(QWidget* parent) : QDialog(parent), fraGasSel(new QGroupBox(QStringLiteral("Select List"), this)) {
    setWindowTitle(QStringLiteral("Gas Select"));
    PlaceTwips(*fraGasSel, GasSelDesignFrame());
    for (int i = 0; i < GasSelOptionCount; ++i) {
        auto* option = new QRadioButton(fraGasSel);
        PlaceTwips(*option, GasSelDesignOption(i));
        connect(option, &QRadioButton::clicked, this, [this, i] { optGasList_Click(i); });
        optGasList[static_cast<std::size_t>(i)] = option;
    }
    const std::array<QString, GasSelButtonCount> captions = {QStringLiteral("OK"), QStringLiteral("Cancel")};
    for (int i = 0; i < GasSelButtonCount; ++i) {
        auto* button = new QPushButton(captions[static_cast<std::size_t>(i)], this);
        PlaceTwips(*button, GasSelDesignButton(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdGasSel_Click(i); });
        cmdGasSel[static_cast<std::size_t>(i)] = button;
    }

    ApplyCommonFontToAll(*this, State().CommonFont);
    flags_ = false;
    selNum_ = -1;
    FillGasList();

    setMinimumSize(TwipsToPixels(GasSelMinWidth), TwipsToPixels(GasSelMinHeight));
    resize(TwipsToPixels(GasSelDesignFrame().width), TwipsToPixels(GasSelMinHeight));
    Form_Resize();
}

bool frmGasSel::ShowGasSel(QWidget* parent, Integer gasNo, Integer& selNum) {
    frmGasSel dialog(parent);
    dialog.GasNo(gasNo);
    dialog.exec();
    selNum = dialog.SelNum();
    return dialog.Flags();
}

void frmGasSel::GasNo(Integer value) {
    gasNo_ = value;
    FillGasList();
    Form_Resize();
}

void frmGasSel::FillGasList() {
    int shown = 0;
    for (int n = 0; n < GasSelOptionCount; ++n) {
        const GasDefinition& gas = GasTableEntry(gasNo_, n);
        QRadioButton* option = optGasList[static_cast<std::size_t>(n)];
        if (gas.Enabled) {
            option->setText(GasCaption(gas.Name, gas.Unit, gas.FullScale, gas.Point));
            option->setVisible(true);
            ++shown;
        } else {
            option->setVisible(false);
        }
    }
    const GasSelGrid grid = GasSelGridFor(shown);
    perLine_ = grid.perLine;
    lines_ = grid.lines;
}

void frmGasSel::optGasList_Click(int index) {
    if (index < 0 || index >= GasSelOptionCount)
        return;
    optGasList[static_cast<std::size_t>(index)]->setChecked(true);
    selNum_ = static_cast<Integer>(index);
}

void frmGasSel::cmdGasSel_Click(int index) {
    flags_ = index == 0;
    if (flags_)
        accept();
    else
        reject();
}

void frmGasSel::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmGasSel::Form_Resize() {
    if (resizing_)
        return;
    resizing_ = true;
    if (!isMinimized()) {
        if (width() < TwipsToPixels(GasSelMinWidth) || height() < TwipsToPixels(GasSelMinHeight))
            resize(std::max(width(), TwipsToPixels(GasSelMinWidth)), std::max(height(), TwipsToPixels(GasSelMinHeight)));
        Long w = 0;
        Long h = 0;
        GetClientSizeTwips(*this, w, h);
        const int buttonHeight = PixelsToTwips(cmdGasSel[0]->height());
        const int optionHeight = PixelsToTwips(optGasList[0]->height());
        const GasSelLayout layout = LayoutGasSel(w, h, {perLine_, lines_}, buttonHeight, optionHeight);
        PlaceTwips(*fraGasSel, layout.frame);
        for (int i = 0; i < GasSelButtonCount; ++i)
            PlaceTwips(*cmdGasSel[static_cast<std::size_t>(i)], layout.buttons[static_cast<std::size_t>(i)]);
        for (int i = 0; i < GasSelOptionCount; ++i) {
            if (const auto& place = layout.options[static_cast<std::size_t>(i)])
                PlaceTwips(*optGasList[static_cast<std::size_t>(i)], *place);
        }
    }
    resizing_ = false;
}

}  // namespace mt52
