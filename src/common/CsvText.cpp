#include "common/CsvText.h"

namespace mt52 {

QString CsvField(const QString& text, QChar separator) {
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvLine(const QStringList& fields, QChar separator) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        line += CsvField(fields[i], separator);
    }
    return line;
}

}  // namespace mt52
