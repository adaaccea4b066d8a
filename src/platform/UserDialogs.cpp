#include "platform/UserDialogs.h"

#include <QtGlobal>

namespace mt52 {
namespace {

class HeadlessDialogs final : public UserDialogs {
public:
    int MsgBox(const QString& text, int style, const QString& title) override {
        qWarning("%s: %s", qPrintable(title), qPrintable(text));
        return DefaultAnswer(style);
    }
    std::optional<QString> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FontSpec> ChooseFont(const FontSpec&) override { return std::nullopt; }
    std::optional<long> ChooseColor(long) override { return std::nullopt; }
};

HeadlessDialogs gHeadless;
UserDialogs* gDialogs = nullptr;

}  // namespace

int DefaultAnswer(int style) {
    const int buttons = style & 7;
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    static const int sets[6][3] = {
        {vbOK, vbOK, vbOK},          {vbOK, vbCancel, vbCancel},  {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel},     {vbYes, vbNo, vbNo},         {vbRetry, vbCancel, vbCancel},
    };
    if (buttons > 5)
        return vbOK;
    return sets[buttons][defaultIndex];
}

UserDialogs& Dialogs() { return gDialogs ? *gDialogs : gHeadless; }
void SetDialogs(UserDialogs* dialogs) { gDialogs = dialogs; }

}  // namespace mt52
