// The password check in front of deletions and the change of the lock password.
#include "browser/PasswordPrompt.h"
#include "common/ResText.h"
#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class PasswordPromptTest : public testing::Test {
protected:
    void SetUp() override { SetInterfaceLanguage(Language::English); }
    void TearDown() override { ResetInterfaceLanguage(); }

    PasswordPrompt::ContinueResult Continue(const QString& typed) {
        prompt_.SetBoxText(typed);
        return prompt_.Continue();
    }
    void Change(const QString& typed) {
        prompt_.SetBoxText(typed);
        prompt_.ChangeClick();
    }

    test::FakeDialogs dialogs_;
    QString lock_ = QStringLiteral("Secret");
    PasswordPrompt prompt_{lock_};
};

TEST_F(PasswordPromptTest, ContinueComparesWithoutRegardToCase) {
    EXPECT_EQ(Continue(""), PasswordPrompt::ContinueResult::Closed);
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(Continue("wrong"), PasswordPrompt::ContinueResult::Refused);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Incorrect Password Entered");
    EXPECT_EQ(dialogs_.shown[0].title, "Password");
    EXPECT_EQ(dialogs_.shown[0].style, vbOKOnly | vbCritical);
    EXPECT_EQ(prompt_.BoxText(), "wrong");  // the typed text stays
    EXPECT_EQ(Continue("sECRET"), PasswordPrompt::ContinueResult::Passed);
}

TEST_F(PasswordPromptTest, ChangingThePasswordWalksThroughItsSteps) {
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::ChangePassword);
    EXPECT_EQ(prompt_.LabelTextId(), 7005);
    Change("typed");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::CurrentPassword);
    EXPECT_EQ(prompt_.LabelTextId(), 7006);
    EXPECT_EQ(prompt_.BoxText(), "");

    Change("not it");  // silently ignored
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::CurrentPassword);
    EXPECT_EQ(prompt_.BoxText(), "not it");
    EXPECT_TRUE(dialogs_.shown.empty());

    Change("secret");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::NewPassword);
    EXPECT_EQ(prompt_.LabelTextId(), 7008);
    Change("");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::NewPassword);
    Change("fresh");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::ConfirmNewPassword);
    EXPECT_EQ(prompt_.LabelTextId(), 7009);
    Change("FRESH");
    EXPECT_EQ(dialogs_.lastText(), "Change new password.");
    EXPECT_EQ(lock_, "FRESH");  // as typed in the confirmation
    EXPECT_EQ(prompt_.BoxText(), "FRESH");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::ChangePassword);
    EXPECT_EQ(prompt_.LabelTextId(), 7005);
    EXPECT_EQ(prompt_.Continue(), PasswordPrompt::ContinueResult::Passed);
}

TEST_F(PasswordPromptTest, AConfirmationThatDiffersKeepsThePassword) {
    Change("");
    Change("secret");
    Change("fresh");
    Change("other");
    EXPECT_EQ(dialogs_.lastText(), "Not Changed password.");
    EXPECT_EQ(dialogs_.shown.back().style, vbOKOnly | vbCritical);
    EXPECT_EQ(dialogs_.shown.back().title, "Change password");
    EXPECT_EQ(lock_, "Secret");
    EXPECT_EQ(prompt_.BoxText(), "");
    EXPECT_EQ(prompt_.ChangeCaptionId(), PasswordPrompt::ChangePassword);
    // Continue compares with the lock password whatever the step.
    Change("");
    EXPECT_EQ(Continue("secret"), PasswordPrompt::ContinueResult::Passed);
}

}  // namespace
}  // namespace mt52
