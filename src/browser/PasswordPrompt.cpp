#include "browser/PasswordPrompt.h"

#include "common/ResText.h"
#include "platform/UserDialogs.h"

namespace mt52 {

bool PasswordPrompt::MatchesLockPassword(const QString& text) const {
    return text.toUpper() == lockPassword_.toUpper();
}

PasswordPrompt::ContinueResult PasswordPrompt::Continue() {
    if (boxText_.isEmpty())
        return ContinueResult::Closed;
    if (MatchesLockPassword(boxText_))
        return ContinueResult::Passed;
    MsgBox(GetResText(7101), vbOKOnly | vbCritical, GetResText(7102));
    return ContinueResult::Refused;
}

bool PasswordPrompt::ChangeClick() {
    switch (step_) {
    case ChangePassword:
        labelTextId_ = 7006;
        boxText_.clear();
        step_ = CurrentPassword;
        return true;
    case CurrentPassword:
        // A wrong current password is passed over without a word.
        if (boxText_.isEmpty() || !MatchesLockPassword(boxText_))
            return false;
        labelTextId_ = 7008;
        boxText_.clear();
        step_ = NewPassword;
        return true;
    case NewPassword:
        if (boxText_.isEmpty())
            return false;
        labelTextId_ = 7009;
        newPassword_ = boxText_;
        boxText_.clear();
        step_ = ConfirmNewPassword;
        return true;
    case ConfirmNewPassword:
        if (!newPassword_.isEmpty() && boxText_.toUpper() == newPassword_.toUpper()) {
            MsgBox(GetResText(7103), vbOKOnly | vbInformation, GetResText(7104));
            lockPassword_ = boxText_;  // as typed in this step; it stays in the box
        } else {
            MsgBox(GetResText(7105), vbOKOnly | vbCritical, GetResText(7104));
            boxText_.clear();
        }
        labelTextId_ = 7005;
        step_ = ChangePassword;
        return true;
    }
    return false;
}

}  // namespace mt52
