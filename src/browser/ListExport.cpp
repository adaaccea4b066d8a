#include "browser/ListExport.h"

#include "common/CsvText.h"

#include <QDir>
#include <QSaveFile>

namespace mt52 {

QString ProposedListExportPath(const QString& lastExportFile, const QString& startDir) {
    if (lastExportFile.isEmpty())
        return QDir(startDir).filePath(QStringLiteral("DataList.csv"));
    if (lastExportFile.right(3).toUpper() == QLatin1String("CSV"))
        return lastExportFile;
    return lastExportFile.left(lastExportFile.size() - 3) + QStringLiteral("csv");
}

QByteArray ListExportText(const QStringList& captions, const std::vector<QStringList>& rows) {
    QString text = CsvLine(captions) + QStringLiteral("\r\n");
    for (const QStringList& row : rows)
        text += CsvLine(row) + QStringLiteral("\r\n");
    return text.toUtf8();
}

bool WriteExportFile(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace mt52
