#include "platform/SingleInstanceLock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace mt52 {
namespace {

// Another running copy: a child process that takes the lock and keeps it until told to end,
// then ends without releasing it, as a crashed copy would.
class OtherCopy {
public:
    explicit OtherCopy(const QString& path) {
        if (::pipe(toChild_) != 0 || ::pipe(fromChild_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            SingleInstanceLock lock(path);
            const char took = lock.TryAcquire() == SingleInstanceLock::Result::Acquired ? '1' : '0';
            [[maybe_unused]] ssize_t n = ::write(fromChild_[1], &took, 1);
            char go = 0;
            n = ::read(toChild_[0], &go, 1);
            ::_exit(0);  // no destructor runs: the lock is never released by the program
        }
        char took = 0;
        if (::read(fromChild_[0], &took, 1) == 1)
            holds_ = took == '1';
    }
    ~OtherCopy() { End(); }

    bool Holds() const { return holds_; }
    void End() {
        if (pid_ <= 0)
            return;
        [[maybe_unused]] const ssize_t n = ::write(toChild_[1], "x", 1);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        for (int fd : {toChild_[0], toChild_[1], fromChild_[0], fromChild_[1]})
            ::close(fd);
    }

private:
    int toChild_[2] = {-1, -1};
    int fromChild_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool holds_ = false;
};

TEST(SingleInstanceLock, RefusedWhileAnotherCopyRunsAndFreeOnceItDied) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run/mt52.lock"));
    OtherCopy other(path);
    ASSERT_TRUE(other.Holds());

    SingleInstanceLock mine(path);
    EXPECT_EQ(mine.TryAcquire(), SingleInstanceLock::Result::HeldByOther);
    EXPECT_FALSE(mine.IsHeld());

    other.End();
    ASSERT_TRUE(QFile::exists(path));  // the dead copy's file is still there
    EXPECT_EQ(mine.TryAcquire(), SingleInstanceLock::Result::Acquired);
    EXPECT_TRUE(mine.IsHeld());
}

TEST(SingleInstanceLock, OneHolderInThisProcessToo) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mt52.lock"));
    SingleInstanceLock first(path);
    SingleInstanceLock second(path);
    EXPECT_EQ(first.TryAcquire(), SingleInstanceLock::Result::Acquired);
    EXPECT_EQ(first.TryAcquire(), SingleInstanceLock::Result::Acquired);
    EXPECT_EQ(second.TryAcquire(), SingleInstanceLock::Result::HeldByOther);
    first.Release();
    EXPECT_EQ(second.TryAcquire(), SingleInstanceLock::Result::Acquired);
}

TEST(SingleInstanceLock, UncreatableFileIsNotMistakenForAnotherCopy) {
    SingleInstanceLock lock(QStringLiteral("/proc/mt52-no-such-folder/mt52.lock"));
    EXPECT_EQ(lock.TryAcquire(), SingleInstanceLock::Result::Unavailable);
}

}  // namespace
}  // namespace mt52
