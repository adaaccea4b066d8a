#pragma once
// The single-user lock of the database: a small text file beside it that names the computer and
// the user holding it. The lock is a write lock held on the open file (an open-file-description
// lock), not the file's existence, so a file left behind by a program that died does not block
// the next start: the lock is simply taken over and the file rewritten.
#include <QString>
#include <memory>
#include <variant>

namespace mt52 {

// Who holds (or wants) the lock: the two lines of the lock file.
struct LockHolder {
    QString computer;
    QString user;
    friend bool operator==(const LockHolder&, const LockHolder&) = default;
};

// The computer and user names of this process: COMPUTERNAME and USERNAME when set, otherwise
// the host name and the login name.
LockHolder CurrentLockHolder();

// An acquired lock. Releasing it (Release or destruction) deletes the file while the lock is
// still held and then closes it, so no other program can lose a lock it has just taken.
class DatabaseLockFile {
public:
    ~DatabaseLockFile();
    DatabaseLockFile(const DatabaseLockFile&) = delete;
    DatabaseLockFile& operator=(const DatabaseLockFile&) = delete;

    const QString& path() const { return path_; }
    bool isHeld() const { return fd_ >= 0; }
    // Deletes the file and closes it; afterwards the lock is free. Idempotent.
    void Release();

    // Another program holds the lock: its names as its file gives them.
    struct HeldByOther {
        LockHolder holder;
    };
    // The lock could be neither taken nor found held (missing folder, read-only folder without
    // a lock file, disk error): what went wrong, for the user.
    struct Failed {
        QString reason;
    };
    using Outcome = std::variant<std::unique_ptr<DatabaseLockFile>, HeldByOther, Failed>;

    // Takes the lock on the file at the path (creating it), then writes the holder's two lines,
    // each ended by CR LF. Never waits for another holder.
    static Outcome Acquire(const QString& path, const LockHolder& self);

private:
    DatabaseLockFile(QString path, int fd) : path_(std::move(path)), fd_(fd) {}

    QString path_;
    int fd_ = -1;
};

// The lock file's path for a database path: the database path without its last four
// characters (".mdb"), followed by ".LCK".
QString LockFilePathFor(const QString& databasePath);

}  // namespace mt52
