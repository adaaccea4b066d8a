#include "browser/gui/frmPassword.h"

#include "common/ResText.h"
#include "common/gui/WindowMetrics.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mt52 {

namespace {
constexpr int InnerWidth = 4365;
constexpr int LabelHeight = 252;
constexpr int BoxHeight = 372;
}  // namespace

frmPassword::frmPassword(QString& lockPassword, const FontSpec& commonFont, QWidget* parent)
    : QDialog(parent), prompt_(lockPassword) {
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Password"));
    setModal(true);
    lblPass = new QLabel(this);
    lblPass->setObjectName(QStringLiteral("lblPass"));
    txtPass = new QLineEdit(this);
    txtPass->setObjectName(QStringLiteral("txtPass"));
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    for (int i = 0; i < 2; ++i) {
        cmdPass[static_cast<std::size_t>(i)] = new QPushButton(this);
        cmdPass[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("cmdPass%1").arg(i));
        connect(cmdPass[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdPass_Click(i); });
    }
    cmdPass[0]->setDefault(true);
    cmdPass[0]->setText(GetResText(7001));
    ApplyCommonFontToAll(*this, commonFont);
    ShowState();
    LayOut();
}

void frmPassword::ShowState() {
    lblPass->setText(GetResText(prompt_.LabelTextId()));
    cmdPass[1]->setText(GetResText(prompt_.ChangeCaptionId()));
    if (txtPass->text() != prompt_.BoxText())
        txtPass->setText(prompt_.BoxText());
}

void frmPassword::LayOut() {
    const int w = InnerWidth;
    const int buttonsTop = LabelHeight + BoxHeight + 60;
    lblPass->setGeometry(0, 0, TwipsToPixels(w), TwipsToPixels(LabelHeight));
    txtPass->setGeometry(0, TwipsToPixels(LabelHeight), TwipsToPixels(w), TwipsToPixels(BoxHeight));
    cmdPass[0]->setGeometry(0, TwipsToPixels(buttonsTop), TwipsToPixels(w / 2 - 60), TwipsToPixels(BoxHeight));
    cmdPass[1]->setGeometry(TwipsToPixels(w / 2), TwipsToPixels(buttonsTop), TwipsToPixels(w / 2), TwipsToPixels(BoxHeight));
    setFixedSize(TwipsToPixels(w), TwipsToPixels(buttonsTop + BoxHeight + 60));
}

void frmPassword::cmdPass_Click(int index) {
    prompt_.SetBoxText(txtPass->text());
    if (index == 0) {
        switch (prompt_.Continue()) {
        case PasswordPrompt::ContinueResult::Passed:
            passed_ = true;
            accept();
            return;
        case PasswordPrompt::ContinueResult::Closed:
            reject();
            return;
        case PasswordPrompt::ContinueResult::Refused:
            return;
        }
        return;
    }
    const bool focus = prompt_.ChangeClick();
    ShowState();
    if (focus)
        txtPass->setFocus();
}

bool frmPassword::Ask(QString& lockPassword, const FontSpec& commonFont, QWidget* parent) {
    frmPassword dialog(lockPassword, commonFont, parent);
    dialog.exec();
    return dialog.Passed();
}

}  // namespace mt52
