#include "main_window/SerialLogFiles.h"

#include "common/ModuleState.h"
#include "main_window/FolderPath.h"
#include "platform/RuntimeError.h"

#include <QFile>

namespace mt52 {

namespace {

QString Generation(int n) {
    const QString name = n == 0 ? QStringLiteral("SerialLog.log") : QStringLiteral("SerialLog%1.log").arg(n);
    return JoinFolder(State().StartDir, name);
}

}  // namespace

void RotateSerialLogs() {
    for (int n = 8; n >= 0; --n) {
        const QString source = Generation(n);
        const QString target = Generation(n + 1);
        if (!QFile::exists(source))
            continue;
        if (QFile::exists(target) && !QFile::remove(target))
            Raise(ErrPermissionDenied, target);
        if (!QFile::rename(source, target))
            Raise(ErrPathFileAccess, source);
    }
}

bool DeleteSerialLog() {
    const QString current = Generation(0);
    if (QFile::exists(current))
        QFile::remove(current);
    return !QFile::exists(current);
}

}  // namespace mt52
