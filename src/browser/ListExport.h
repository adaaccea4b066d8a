#pragma once
// The record list written to a CSV file ("DataList.csv"): a line of the column captions, then
// one line per item in the list's order, lines ended by CR LF, UTF-8. Fields that hold a comma,
// a quote, CR or LF are quoted (see common/CsvText.h); all others stand as they are.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace mt52 {

// The file the save dialog proposes: the last exported file with "csv" in place of its last
// three characters (unchanged when they already read "csv" in any case), or "DataList.csv" in
// the program folder before the first export.
QString ProposedListExportPath(const QString& lastExportFile, const QString& startDir);

// The file's bytes: the captions, then each row (the item's text and its cells).
QByteArray ListExportText(const QStringList& captions, const std::vector<QStringList>& rows);

// Writes the bytes to a temporary file and renames it over the path, so that no partial file
// is ever left. False with the reason when that fails; the old file (if any) then stays.
bool WriteExportFile(const QString& path, const QByteArray& bytes, QString& error);

}  // namespace mt52
