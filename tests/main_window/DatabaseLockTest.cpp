// The single-user lock of the database and the data folder it lives in.
#include "common/ModuleState.h"
#include "main_window/DatabaseLocation.h"
#include "main_window/DatabaseLockFile.h"
#include "platform/RuntimeError.h"

#include "support/Files.h"
#include "support/ScopedEnv.h"
#include "support/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mt52 {
namespace {

using Lock = std::unique_ptr<DatabaseLockFile>;

TEST(DatabaseLockFile, HolderWritesItsNamesAndReleaseDeletesTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MT52.LCK");
    auto outcome = DatabaseLockFile::Acquire(path, {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<Lock>(outcome));
    Lock lock = std::move(std::get<Lock>(outcome));
    EXPECT_EQ(test::ReadFile(path), QByteArray("PC-1\r\nalice\r\n"));

    lock->Release();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(lock->isHeld());
}

TEST(DatabaseLockFile, AnotherOpenFileIsRefusedWithTheHoldersNamesUntilReleased) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MT52.LCK");
    auto first = DatabaseLockFile::Acquire(path, {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<Lock>(first));

    auto second = DatabaseLockFile::Acquire(path, {"PC-2", "bob"});
    ASSERT_TRUE(std::holds_alternative<DatabaseLockFile::HeldByOther>(second));
    EXPECT_EQ(std::get<DatabaseLockFile::HeldByOther>(second).holder, (LockHolder{"PC-1", "alice"}));
    EXPECT_EQ(test::ReadFile(path), QByteArray("PC-1\r\nalice\r\n")) << "the refused copy must not touch the file";

    std::get<Lock>(first).reset();
    auto third = DatabaseLockFile::Acquire(path, {"PC-2", "bob"});
    ASSERT_TRUE(std::holds_alternative<Lock>(third));
    EXPECT_EQ(test::ReadFile(path), QByteArray("PC-2\r\nbob\r\n"));
}

TEST(DatabaseLockFile, ALockHeldByAnotherProcessRefusesAndIsFreeOnceItEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MT52.LCK");
    const QByteArray nativePath = path.toLocal8Bit();
    int ready[2];
    int finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Plain system calls only: the child of a threaded process must not allocate.
        const int fd = open(nativePath.constData(), O_RDWR | O_CREAT, 0644);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const bool locked = fd >= 0 && fcntl(fd, F_OFD_SETLK, &lock) == 0 && write(fd, "OTHER\r\ncarol\r\n", 14) == 14;
        char c = locked ? '1' : '0';
        (void)!write(ready[1], &c, 1);
        (void)!read(finish[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');

    auto refused = DatabaseLockFile::Acquire(path, {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<DatabaseLockFile::HeldByOther>(refused));
    EXPECT_EQ(std::get<DatabaseLockFile::HeldByOther>(refused).holder, (LockHolder{"OTHER", "carol"}));

    (void)!write(finish[1], "x", 1);
    int status = 0;
    waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], finish[0], finish[1]})
        close(fd);

    // The other process died without deleting its file: the file is stale and is taken over.
    ASSERT_TRUE(QFile::exists(path));
    auto taken = DatabaseLockFile::Acquire(path, {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<Lock>(taken));
    EXPECT_EQ(test::ReadFile(path), QByteArray("PC-1\r\nalice\r\n"));
}

TEST(DatabaseLockFile, AFileThatCannotBeCreatedIsAFailureNotAHolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::WriteFile(dir.filePath("plain-file"), "x"));
    auto outcome = DatabaseLockFile::Acquire(dir.filePath("plain-file/MT52.LCK"), {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<DatabaseLockFile::Failed>(outcome));
    EXPECT_FALSE(std::get<DatabaseLockFile::Failed>(outcome).reason.isEmpty());
}

TEST(DatabaseLockFile, HolderNamesComeFromTheEnvironmentOrTheSystem) {
    test::ScopedEnv computer("COMPUTERNAME", "LAB-PC");
    test::ScopedEnv user("USERNAME", "tanaka");
    EXPECT_EQ(CurrentLockHolder(), (LockHolder{"LAB-PC", "tanaka"}));
    qunsetenv("COMPUTERNAME");
    qunsetenv("USERNAME");
    const LockHolder fallback = CurrentLockHolder();
    EXPECT_FALSE(fallback.computer.isEmpty());
    EXPECT_FALSE(fallback.user.isEmpty());
}

class OpenDatabaseLockTest : public ::testing::Test {
protected:
    void SetUp() override { test::ResetProgramState(); }
    void TearDown() override { test::ResetProgramState(); }
    QTemporaryDir dir;
    int creations = 0;
    std::function<void(const QString&)> create = [this](const QString& path) {
        ++creations;
        ASSERT_TRUE(test::WriteFile(path, "db"));
    };
};

TEST_F(OpenDatabaseLockTest, AFreshRootGetsDataFolderDatabaseAndLock) {
    for (const QString& root : {dir.path(), dir.path() + "/"}) {
        SCOPED_TRACE(root.toStdString());
        State().DataRoot = root;
        auto outcome = OpenDatabaseLock(create, {"PC-1", "alice"});
        ASSERT_TRUE(std::holds_alternative<Lock>(outcome));
        EXPECT_EQ(State().DataFolder, dir.path() + "/Data");
        EXPECT_EQ(State().DatabasePath, dir.path() + "/MT52.mdb");
        EXPECT_EQ(std::get<Lock>(outcome)->path(), dir.path() + "/MT52.LCK");
        EXPECT_EQ(State().LockFileNumber, 1);
        EXPECT_TRUE(QDir(dir.path() + "/Data").exists());
    }
    EXPECT_EQ(creations, 1) << "an existing database is not created again";
}

TEST_F(OpenDatabaseLockTest, AMissingRootOrAFailedCreationStopsThere) {
    State().DataRoot = dir.filePath("missing");
    auto missing = OpenDatabaseLock(create, {"PC-1", "alice"});
    EXPECT_TRUE(std::holds_alternative<DatabaseLockFile::Failed>(missing));
    EXPECT_TRUE(State().DatabasePath.isEmpty());
    EXPECT_EQ(creations, 0);

    State().DataRoot = dir.path();
    auto failed = OpenDatabaseLock([](const QString&) { Raise(ErrDatabase, "disk full"); }, {"PC-1", "alice"});
    ASSERT_TRUE(std::holds_alternative<DatabaseLockFile::Failed>(failed));
    EXPECT_TRUE(std::get<DatabaseLockFile::Failed>(failed).reason.contains("disk full"));
    EXPECT_FALSE(QFile::exists(dir.filePath("MT52.LCK")));
    EXPECT_EQ(State().LockFileNumber, 0);
}

}  // namespace
}  // namespace mt52
