#include "main_window/LogBox.h"

#include <QStringList>

namespace mt52 {

QString LogBox::Append(const QString& text, Long color) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& line : normalised.split(QLatin1Char('\n')))
        lines_.push_back({line, color});
    return normalised + QLatin1Char('\n');
}

}  // namespace mt52
