#include "common/DataFolder.h"

#include "common/ModuleState.h"

#include <QDir>
#include <QFileInfo>

namespace mt52 {
namespace {

bool IsUnsafeFileNameChar(QChar ch) {
    switch (ch.unicode()) {
    case '*': case '/': case '\\': case ':': case '?': case '"': case '<': case '>': case '|':
        return true;
    default:
        return ch.unicode() < 0x20 || ch.unicode() == 0x7F;
    }
}

}  // namespace

QString SafeFileName(const QString& name) {
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString(name.size(), QLatin1Char('_'));
    QString safe = name;
    for (QChar& ch : safe) {
        if (IsUnsafeFileNameChar(ch))
            ch = QLatin1Char('_');
    }
    return safe;
}

QString DataLocation() {
    return State().DataRoot.isEmpty() ? State().StartDir : State().DataRoot;
}

bool DeleteFolderTree(const QString& path) {
    if (path.isEmpty() || DataLocation().isEmpty())
        return false;
    const QFileInfo target(path);
    if (!target.isDir())
        return false;
    const QString folder = target.canonicalFilePath();
    const QString root = QFileInfo(DataLocation()).canonicalFilePath();
    if (folder.isEmpty() || root.isEmpty() || QDir(folder).isRoot())
        return false;
    const QString rootPrefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!folder.startsWith(rootPrefix))
        return false;
    QDir(folder).removeRecursively();
    return !QFileInfo::exists(folder);
}

}  // namespace mt52
