#pragma once
// The message boxes and file, font and colour dialogs of the desktop.
#include "platform/UserDialogs.h"

#include <QColor>
#include <QFont>

namespace mt52 {

class QtUserDialogs final : public UserDialogs {
public:
    int MsgBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<SaveFileChoice> SaveFile(const FileDialogRequest& request) override;
    std::optional<FontSpec> ChooseFont(const FontSpec& current) override;
    std::optional<long> ChooseColor(long current) override;
};

// Conversions between the kept font and colour values and Qt's.
QFont ToQFont(const FontSpec& spec);
FontSpec FromQFont(const QFont& font);
// The font the font dialog opens on: ToQFont with the family's own name of its style, which
// the dialog selects in every interface language.
QFont FontForFontDialog(const FontSpec& spec);
QColor ToQColor(long colour);
long FromQColor(const QColor& colour);
}  // namespace mt52
