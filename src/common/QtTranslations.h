#pragma once
// Qt's own translations (the texts of standard message-box buttons, dialogs and context
// menus) for the interface language, installed into the application for as long as the
// object lives. English needs none; for Japanese the file comes from the system's Qt
// translations and, when that is not installed, Qt's English texts stay.
#include "common/ResText.h"

#include <QString>
#include <QTranslator>

namespace mt52 {

class QtTranslations {
public:
    // `folder` empty: the folder where Qt keeps its translations on this system.
    explicit QtTranslations(Language language, const QString& folder = {});
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Whether a translation was loaded and installed.
    bool Installed() const { return installed_; }

private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace mt52
