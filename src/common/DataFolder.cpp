#include "common/DataFolder.h"

#include "common/ModuleState.h"

#include <QDir>
#include <QFile>
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

// Deletes everything inside the folder and then the folder, going on past failures. A
// read-only file is not forced: it stays, and so do the folders that hold it.
bool RemoveTree(const QString& folder) {
    bool removedAll = true;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            removedAll = QFile::remove(entry.filePath()) && removedAll;  // the link, never its target
        else if (entry.isDir())
            removedAll = RemoveTree(entry.filePath()) && removedAll;
        else if (!(entry.permissions() & QFileDevice::WriteOwner))
            removedAll = false;
        else
            removedAll = QFile::remove(entry.filePath()) && removedAll;
    }
    return removedAll && QDir().rmdir(folder);
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
    RemoveTree(folder);
    return !QFileInfo::exists(folder);
}

}  // namespace mt52
