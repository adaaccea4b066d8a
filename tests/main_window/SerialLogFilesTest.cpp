#include "common/ModuleState.h"
#include "main_window/SerialLogFiles.h"
#include "platform/Clock.h"
#include "support/ErrorOf.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace mt52 {
namespace {

QString Name(int n) { return n == 0 ? QStringLiteral("SerialLog.log") : QStringLiteral("SerialLog%1.log").arg(n); }

class SerialLogFilesTest : public test::ProgramFolderTest {
protected:

    // Each file holds the name it was created with, so a test can follow it as it moves.
    void Create(std::initializer_list<int> generations) {
        for (int n : generations) {
            QFile file(dir.filePath(Name(n)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(Name(n).toUtf8());
        }
    }
    // Generation -> the name the file was created with, for every generation present.
    std::map<int, QString> Present() const {
        std::map<int, QString> present;
        for (int n = 0; n <= 10; ++n) {
            QFile file(dir.filePath(Name(n)));
            if (file.open(QIODevice::ReadOnly))
                present[n] = QString::fromUtf8(file.readAll());
        }
        return present;
    }
};

TEST_F(SerialLogFilesTest, RotationMovesEveryPresentGenerationUpAndDropsTheNinth) {
    struct Case {
        const char* what;
        std::initializer_list<int> before;
        std::map<int, QString> after;
    };
    const Case cases[] = {
        {"current only", {0}, {{1, Name(0)}}},
        {"current, 1 and 9", {0, 1, 9}, {{1, Name(0)}, {2, Name(1)}, {9, Name(9)}}},
        {"all ten",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         {{1, Name(0)}, {2, Name(1)}, {3, Name(2)}, {4, Name(3)}, {5, Name(4)}, {6, Name(5)}, {7, Name(6)},
          {8, Name(7)}, {9, Name(8)}}},
        {"none", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int n = 0; n <= 9; ++n)
            QFile::remove(dir.filePath(Name(n)));
        Create(c.before);
        EXPECT_EQ(RotateSerialLogs(), QString());
        EXPECT_EQ(Present(), c.after);
    }
}

TEST_F(SerialLogFilesTest, AFileThatCannotBeDeletedStopsTheRotationWithoutLosingAGeneration) {
    Create({0, 1, 8});
    // A folder in the ninth generation's place cannot be deleted as a file: the eighth
    // cannot move up, and so nothing below it may.
    ASSERT_TRUE(QDir(dir.path()).mkpath(Name(9) + "/inside"));
    EXPECT_EQ(RotateSerialLogs(), dir.filePath(Name(9)));
    EXPECT_EQ(Present(), (std::map<int, QString>{{0, Name(0)}, {1, Name(1)}, {8, Name(8)}}));

    QFile::remove(dir.filePath(Name(0)));
    ASSERT_TRUE(QDir(dir.path()).mkpath(Name(0) + "/inside"));
    EXPECT_FALSE(DeleteSerialLog());
}

TEST_F(SerialLogFilesTest, ArchiveMovesTheLogUnderItsTimeAndNeverOverwrites) {
    ManualClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7)));
    ScopedClock use(clock);
    ArchiveSerialLog();  // no log: nothing happens
    EXPECT_FALSE(QDir(dir.filePath("ErrorLogs")).exists());

    Create({0});
    ArchiveSerialLog();
    const QString archive = dir.filePath("ErrorLogs/SerialLog_20260314_090507.log");
    EXPECT_TRUE(QFile::exists(archive));
    EXPECT_TRUE(Present().empty());

    Create({0});
    EXPECT_EQ(ErrorOf([] { ArchiveSerialLog(); }), 58);
    EXPECT_EQ(Present(), (std::map<int, QString>{{0, Name(0)}}));
}

}  // namespace
}  // namespace mt52
