#include "common/CsvText.h"

namespace mt52 {

namespace {

bool NeedsQuotes(QStringView text, QChar separator) {
    for (const QChar c : text)
        if (c == separator || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

}  // namespace

void AppendCsvField(QString& out, QStringView text, QChar separator) {
    if (!NeedsQuotes(text, separator)) {
        out += text;
        return;
    }
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

QString CsvField(const QString& text, QChar separator) {
    if (!NeedsQuotes(text, separator))
        return text;
    QString quoted;
    AppendCsvField(quoted, text, separator);
    return quoted;
}

QString CsvLine(const QStringList& fields, QChar separator) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        AppendCsvField(line, fields[i], separator);
    }
    return line;
}

}  // namespace mt52
