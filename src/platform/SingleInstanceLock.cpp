#include "platform/SingleInstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mt52 {

SingleInstanceLock::SingleInstanceLock(QString path) : path_(std::move(path)) {}

SingleInstanceLock::~SingleInstanceLock() { Release(); }

SingleInstanceLock::Result SingleInstanceLock::TryAcquire() {
    if (fd_ >= 0)
        return Result::Acquired;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const QByteArray native = QFile::encodeName(path_);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return Result::Unavailable;
    // Advisory locks belong to the open file description: a second open of the same file,
    // even in this process, is refused while the first holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Result::HeldByOther;
    }
    // The holder's process id, for a person looking at the file; the lock itself is what counts.
    const QByteArray pid = QByteArray::number(static_cast<qlonglong>(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, pid.constData(), static_cast<size_t>(pid.size()));
    }
    fd_ = fd;
    return Result::Acquired;
}

void SingleInstanceLock::Release() {
    if (fd_ < 0)
        return;
    // The file stays: removing it could race with a starting copy that already opened it.
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

QString DefaultInstanceLockPath() {
    const QString overridePath = qEnvironmentVariable("MT52_INSTANCE_LOCK");
    if (!overridePath.isEmpty())
        return overridePath;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        return QDir(folder).filePath(QStringLiteral("mt52.instance.lock"));
    // The shared temporary folder: one lock per user, so users do not block each other.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("mt52-%1.instance.lock").arg(::getuid()));
}

}  // namespace mt52
