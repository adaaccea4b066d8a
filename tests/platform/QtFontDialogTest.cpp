// The font dialog as the Set page's font button uses it: in either interface language (Qt's own
// texts translated for Japanese) it opens on the font's weight and slant, and OK without a change
// answers the font it was given.
#include "common/QtTranslations.h"
#include "common/ResText.h"
#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

FontSpec Font(double size, bool bold, bool italic) {
    FontSpec font;
    font.size = size;
    font.bold = bold;
    font.italic = italic;
    font.weight = bold ? 700 : 400;
    return font;
}

TEST(QtFontDialog, OpensOnTheFontsStyleAndOkWithoutAChangeKeepsTheFont) {
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        const QtTranslations qtTexts(language);
        if (language == Language::Japanese) {
            ASSERT_TRUE(qtTexts.Installed()) << "Qt's Japanese texts are needed to show the fault";
        }
        for (const FontSpec& font : {Font(9, false, false), Font(9, true, false), Font(10.5, false, true),
                                     Font(16, true, true)}) {
            const std::string name = font.name.toStdString() + (font.bold ? " bold" : "") + (font.italic ? " italic" : "") +
                                      " " + std::to_string(font.size) + (language == Language::Japanese ? " ja" : " en");
            QFont shown;
            QTimer::singleShot(0, [&shown] {
                auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                shown = dialog->currentFont();
                dialog->accept();
            });
            QtUserDialogs dialogs;
            const std::optional<FontSpec> chosen = dialogs.ChooseFont(font);
            EXPECT_EQ(shown.bold(), font.bold) << name;
            EXPECT_EQ(shown.italic(), font.italic) << name;
            ASSERT_TRUE(chosen.has_value()) << name;
            EXPECT_EQ(*chosen, font) << name;
        }
    }
    ResetInterfaceLanguage();
}

}  // namespace
}  // namespace mt52
