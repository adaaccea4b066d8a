// Qt's own texts (standard buttons) follow the interface language.
#include "common/QtTranslations.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

QString YesButtonText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
}

TEST(QtTranslations, JapaneseInterfaceTranslatesTheStandardButtons) {
    ASSERT_EQ(YesButtonText().remove(u'&'), QStringLiteral("Yes"));
    {
        QtTranslations japanese(Language::Japanese);
        ASSERT_TRUE(japanese.Installed()) << "the package with Qt's Japanese translations is missing";
        const QString text = YesButtonText();
        EXPECT_NE(QString(text).remove(u'&'), QStringLiteral("Yes"));
        EXPECT_TRUE(text.contains(QStringLiteral("はい"))) << text.toStdString();
    }
    EXPECT_EQ(YesButtonText().remove(u'&'), QStringLiteral("Yes")) << "removed again with the object";

    QtTranslations englishOnly(Language::English);
    EXPECT_FALSE(englishOnly.Installed());
}

TEST(QtTranslations, AMissingTranslationLeavesQtsOwnTexts) {
    QTemporaryDir empty;
    QtTranslations japanese(Language::Japanese, empty.path());
    EXPECT_FALSE(japanese.Installed());
    EXPECT_EQ(YesButtonText().remove(u'&'), QStringLiteral("Yes"));
}

}  // namespace
}  // namespace mt52
