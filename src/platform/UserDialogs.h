#pragma once
// Message boxes and the file, font and colour dialogs, behind one interface. The program
// installs the Qt implementation at start; tests install a fake that records what was shown
// and gives scripted answers. Without either, a headless stand-in writes the message to the
// log and answers with the default button.
#include "platform/FontSpec.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace mt52 {

// Buttons, icon and default button of a message box, added together as in the classic style value.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The button the user pressed.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct FileDialogRequest {
    QString title;
    QString filter;      // "CSV (*.csv);;All files (*)"
    QString directory;   // the folder the dialog opens in
    QString fileName;    // the proposed file name
    int filterIndex = 1; // the file type chosen when the dialog opens, counted from 1
    bool confirmOverwrite = true;  // false when the caller asks about an existing file itself
};

// A save dialog's answer: the chosen file and the file type (1-based) it was chosen under.
struct SaveFileChoice {
    QString path;
    int filterIndex = 1;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // Shows a message box; returns the pressed button.
    virtual int MsgBox(const QString& text, int style, const QString& title) = 0;
    // The chosen file's full path; nullopt when the user cancelled.
    virtual std::optional<QString> OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFileName(const FileDialogRequest& request) = 0;
    // The save dialog when the caller needs the chosen file type too. Dialogs that cannot tell
    // it answer with the type the request proposed.
    virtual std::optional<SaveFileChoice> SaveFile(const FileDialogRequest& request) {
        const std::optional<QString> path = SaveFileName(request);
        if (!path)
            return std::nullopt;
        return SaveFileChoice{*path, request.filterIndex};
    }
    virtual std::optional<FontSpec> ChooseFont(const FontSpec& current) = 0;
    // Colours as red + 256 * green + 65536 * blue.
    virtual std::optional<long> ChooseColor(long current) = 0;
};

// The default answer of a style: the default button of its button set.
int DefaultAnswer(int style);

// The dialogs in use.
UserDialogs& Dialogs();
// Installs dialogs (the caller keeps ownership); nullptr restores the headless stand-in.
void SetDialogs(UserDialogs* dialogs);

// Shorthand for Dialogs().MsgBox.
inline int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString()) {
    return Dialogs().MsgBox(text, style, title);
}

}  // namespace mt52
