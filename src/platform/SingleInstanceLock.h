#pragma once
// "Is another copy of the program running?" A lock file in the user's runtime folder, held
// with an exclusive advisory lock for as long as the program runs. The kernel drops the lock
// when the holding process ends in any way, so a file left behind by a crashed copy never
// blocks a new start.
#include <QString>

namespace mt52 {

class SingleInstanceLock {
public:
    // The lock at `path`; nothing is taken until TryAcquire.
    explicit SingleInstanceLock(QString path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    enum class Result {
        Acquired,     // this object holds the lock now (or held it already)
        HeldByOther,  // another holder, in this process or another, has it
        Unavailable,  // the lock file cannot be created or opened; nothing is known
    };
    // Takes the lock when nobody holds it.
    Result TryAcquire();
    // Gives the lock up (also done by the destructor).
    void Release();
    bool IsHeld() const { return fd_ >= 0; }
    const QString& Path() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

// The program's lock: "mt52.instance.lock" in the user's runtime folder (a per-user file in the
// temporary folder when there is none). MT52_INSTANCE_LOCK, when set, names another file.
QString DefaultInstanceLockPath();

}  // namespace mt52
