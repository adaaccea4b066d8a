#include "common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace mt52 {

QtTranslations::QtTranslations(Language language, const QString& folder) {
    if (language != Language::Japanese || QCoreApplication::instance() == nullptr)
        return;
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // "qtbase_ja.qm" holds the texts of the widgets the program uses.
    if (translator_.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"), from))
        installed_ = QCoreApplication::installTranslator(&translator_);
}

QtTranslations::~QtTranslations() {
    if (installed_ && QCoreApplication::instance() != nullptr)
        QCoreApplication::removeTranslator(&translator_);
}

}  // namespace mt52
