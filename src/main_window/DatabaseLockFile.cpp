#include "main_window/DatabaseLockFile.h"

#include <QByteArray>
#include <QStringList>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mt52 {

namespace {

QString ErrnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString LoginName() {
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

// The write lock over the whole file, as a request or as the answer of a query.
struct flock WholeFileWriteLock() {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    lock.l_pid = 0;
    return lock;
}

// The two lines of a lock file as another program wrote them.
LockHolder ReadHolder(int fd) {
    QByteArray content;
    char buffer[512];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0 || content.size() > 64 * 1024)
            break;
        content.append(buffer, n);
        offset += n;
    }
    const QStringList lines = QString::fromUtf8(content).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    LockHolder holder;
    holder.computer = lines.value(0);
    holder.user = lines.value(1);
    return holder;
}

// Whether another open file holds a lock on the file that conflicts with a write lock.
bool LockedByAnother(int fd) {
    struct flock query = WholeFileWriteLock();
    return fcntl(fd, F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = pwrite(fd, bytes.constData() + written, bytes.size() - written, written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// The open file is still the one the path names (its previous holder may have deleted the
// file between our open and our lock).
bool StillAtPath(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

LockHolder CurrentLockHolder() {
    LockHolder self;
    self.computer = qEnvironmentVariableIsSet("COMPUTERNAME") ? qEnvironmentVariable("COMPUTERNAME")
                                                              : QSysInfo::machineHostName();
    self.user = qEnvironmentVariableIsSet("USERNAME") ? qEnvironmentVariable("USERNAME") : LoginName();
    return self;
}

QString LockFilePathFor(const QString& databasePath) { return databasePath.chopped(qMin<qsizetype>(4, databasePath.size())) + QStringLiteral(".LCK"); }

DatabaseLockFile::~DatabaseLockFile() { Release(); }

void DatabaseLockFile::Release() {
    if (fd_ < 0)
        return;
    // Delete first, while the lock still keeps every other program out, then let go.
    ::unlink(path_.toLocal8Bit().constData());
    ::close(fd_);
    fd_ = -1;
}

DatabaseLockFile::Outcome DatabaseLockFile::Acquire(const QString& path, const LockHolder& self) {
    const QByteArray nativePath = path.toLocal8Bit();
    // A few rounds at most: each lost round means another program deleted the file just then.
    for (int round = 0; round < 5; ++round) {
        const int fd = ::open(nativePath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            const int error = errno;
            // Not writable here; a holder may still be named by a file we can read.
            if (const int readFd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC); readFd >= 0) {
                const bool held = LockedByAnother(readFd);
                const LockHolder holder = held ? ReadHolder(readFd) : LockHolder{};
                ::close(readFd);
                if (held)
                    return HeldByOther{holder};
            }
            return Failed{QStringLiteral("%1: %2").arg(path, ErrnoText(error))};
        }
        struct flock lock = WholeFileWriteLock();
        if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
            const int error = errno;
            if (error == EAGAIN || error == EACCES) {
                const LockHolder holder = ReadHolder(fd);
                ::close(fd);
                return HeldByOther{holder};
            }
            ::close(fd);
            return Failed{QStringLiteral("%1: %2").arg(path, ErrnoText(error))};
        }
        if (!StillAtPath(fd, nativePath)) {
            ::close(fd);
            continue;
        }
        const QByteArray lines = self.computer.toUtf8() + "\r\n" + self.user.toUtf8() + "\r\n";
        if (::ftruncate(fd, 0) != 0 || !WriteAll(fd, lines) || ::fsync(fd) != 0) {
            const int error = errno;
            ::unlink(nativePath.constData());
            ::close(fd);
            return Failed{QStringLiteral("%1: %2").arg(path, ErrnoText(error))};
        }
        return std::unique_ptr<DatabaseLockFile>(new DatabaseLockFile(path, fd));
    }
    return Failed{QStringLiteral("%1: the lock file was replaced repeatedly").arg(path)};
}

}  // namespace mt52
