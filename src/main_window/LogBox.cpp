#include "main_window/LogBox.h"

namespace mt52 {

QString LogBoxInsertion(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised + QLatin1Char('\n');
}

}  // namespace mt52
