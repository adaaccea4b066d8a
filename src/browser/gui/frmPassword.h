#pragma once
// frmPassword: the small modal dialog in front of every deletion. Continue checks the typed
// text against the lock password; the second button walks through changing that password
// (see browser/PasswordPrompt.h for the rules). Closing it any other way passes nothing.
#include "browser/PasswordPrompt.h"
#include "platform/FontSpec.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mt52 {

class frmPassword : public QDialog {
public:
    // lockPassword is read and, by a completed change, replaced.
    frmPassword(QString& lockPassword, const FontSpec& commonFont, QWidget* parent = nullptr);

    // Continue (0) and Change Password (1).
    void cmdPass_Click(int index);
    bool Passed() const { return passed_; }

    // Shows the dialog modally; true when the lock password was entered.
    static bool Ask(QString& lockPassword, const FontSpec& commonFont, QWidget* parent = nullptr);

    QLabel* lblPass = nullptr;
    QLineEdit* txtPass = nullptr;
    std::array<QPushButton*, 2> cmdPass{};

private:
    void ShowState();
    void LayOut();

    PasswordPrompt prompt_;
    bool passed_ = false;
};

}  // namespace mt52
