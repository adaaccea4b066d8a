#pragma once
// Lines of comma- (or tab-) separated text for the exports. A field is written as it stands
// unless it holds the separator, a double quote, CR or LF: then it is put between double
// quotes with its quotes doubled, so that every line keeps its number of fields.
#include <QString>
#include <QStringList>

namespace mt52 {

QString CsvField(const QString& text, QChar separator = u',');
// Appends CsvField(text, separator) to `out`.
void AppendCsvField(QString& out, QStringView text, QChar separator = u',');
// The fields joined by the separator (no line end).
QString CsvLine(const QStringList& fields, QChar separator = u',');

}  // namespace mt52
