#include "common/StringTable.h"

#include <QFile>

namespace mt52 {

StringTable StringTable::Parse(const QByteArray& data, QStringList* problems) {
    StringTable table;
    const auto report = [problems](int lineNo, const QString& what) {
        if (problems)
            problems->append(QStringLiteral("line %1: %2").arg(lineNo).arg(what));
    };
    const QList<QByteArray> lines = data.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const int lineNo = i + 1;
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            report(lineNo, QStringLiteral("no tab between id and text"));
            continue;
        }
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (!ok || id < 0 || id > 65535) {
            report(lineNo, QStringLiteral("\"%1\" is not a text id").arg(QString::fromUtf8(line.left(tab))));
            continue;
        }
        if (table.texts_.contains(id)) {
            report(lineNo, QStringLiteral("text %1 is given twice").arg(id));
            continue;
        }
        table.texts_.insert(id, QString::fromUtf8(line.mid(tab + 1)));
    }
    return table;
}

StringTable StringTable::Load(const QString& path, QStringList* problems) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problems)
            problems->append(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return StringTable();
    }
    return Parse(file.readAll(), problems);
}

}  // namespace mt52
