#pragma once
// What the password dialog in front of every deletion does, without its window. The typed
// text is compared with the lock password without regard to case. The second button leads
// through changing the lock password (current, new, confirm); its caption is the step. A
// changed password holds for the rest of the run only (nothing writes it to a file or a log).
#include <QString>

namespace mt52 {

class PasswordPrompt {
public:
    // The steps of the change, named by the caption text id the button shows in them.
    enum ChangeStep : int {
        ChangePassword = 7002,
        CurrentPassword = 7007,
        NewPassword = 7003,
        ConfirmNewPassword = 7004,
    };
    enum class ContinueResult {
        Passed,      // the lock password: the dialog closes, the deletion may go on
        Closed,      // an empty box: the dialog closes without passing
        Refused,     // a wrong password: "Incorrect Password Entered" was shown, the dialog stays
    };

    // The lock password in use is read and changed through the reference.
    explicit PasswordPrompt(QString& lockPassword) : lockPassword_(lockPassword) {}

    // What the dialog shows: the label's text id, the change button's caption id, the box's text.
    int LabelTextId() const { return labelTextId_; }
    int ChangeCaptionId() const { return step_; }
    const QString& BoxText() const { return boxText_; }
    void SetBoxText(const QString& text) { boxText_ = text; }

    ContinueResult Continue();
    // One press of the change button on the box's text. True when the box should take the focus.
    bool ChangeClick();

private:
    bool MatchesLockPassword(const QString& text) const;

    QString& lockPassword_;
    ChangeStep step_ = ChangePassword;
    int labelTextId_ = 7005;
    QString boxText_;
    QString newPassword_;
};

}  // namespace mt52
