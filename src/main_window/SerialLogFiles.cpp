#include "main_window/SerialLogFiles.h"

#include "common/ModuleState.h"
#include "common/FolderPath.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>

namespace mt52 {

namespace {

QString Generation(int n) {
    const QString name = n == 0 ? QStringLiteral("SerialLog.log") : QStringLiteral("SerialLog%1.log").arg(n);
    return JoinFolder(State().StartDir, name);
}

// Deletes a file and yields to the message loop until it is gone, a bounded number of times.
bool DeleteAndWait(const QString& path) {
    constexpr int Turns = 20;
    QFile::remove(path);
    for (int turn = 0; turn < Turns && QFile::exists(path); ++turn) {
        DoEvents(5);
        QFile::remove(path);
    }
    return !QFile::exists(path);
}

}  // namespace

QString RotateSerialLogs() {
    for (int n = 8; n >= 0; --n) {
        const QString source = Generation(n);
        const QString target = Generation(n + 1);
        if (!QFile::exists(source))
            continue;
        if (QFile::exists(target) && !DeleteAndWait(target))
            return target;
        if (!QFile::rename(source, target))
            return source;
    }
    return QString();
}

bool DeleteSerialLog() {
    const QString current = Generation(0);
    return !QFile::exists(current) || DeleteAndWait(current);
}

void ArchiveSerialLog() {
    const QString folder = JoinFolder(State().StartDir, QStringLiteral("ErrorLogs"));
    const QString log = Generation(0);
    if (!QFile::exists(log))
        return;
    if (!QDir().mkpath(folder))
        Raise(ErrPathFileAccess, folder);
    const QString archive =
        JoinFolder(folder, QStringLiteral("SerialLog_") + FormatDate(Now(), QStringLiteral("yyyymmdd_hhnnss")) +
                               QStringLiteral(".log"));
    if (QFile::exists(archive))
        Raise(ErrFileExists, archive);
    if (!QFile::rename(log, archive))
        Raise(ErrPathFileAccess, log);
}

}  // namespace mt52
