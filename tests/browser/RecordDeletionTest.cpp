// Deleting entries, folders and all stored data: exactly the chosen rows and files go, in one
// transaction, and a failure leaves everything as it was.
#include "browser/RecordDeletion.h"
#include "browser/BrowserFixture.h"
#include "common/PendingRemovals.h"
#include "common/TrendFile.h"
#include "platform/RuntimeError.h"
#include "support/Files.h"

#include <QDirIterator>
#include <map>

namespace mt52 {
namespace {

using test::HeadRow;

class RecordDeletionTest : public test::BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        AddHead({.SeqNo = 1, .Types = 1, .Names = "iv01"});
        AddHead({.SeqNo = 2, .Types = 1, .Names = "iv01b"});  // its name begins with the first's
        AddHead({.SeqNo = 3, .Types = 2, .Names = "al1"});
        AddHead({.SeqNo = 4, .Types = 8, .Names = "sh1"});
        AddHead({.SeqNo = 5, .Types = 11, .SerialNo = "SN2", .FolderID = "06/24", .Names = "ss1"});
        AddChild("Interval_Data", 1, 1);
        AddChild("Interval_Data", 2, 1);
        AddChild("Interval_Data", 3, 2);
        AddChild("Interval_Event", 1, 1);
        AddChild("Alarm_Data", 1, 3);
        AddChild("SensorHistory", 1, 4);
        AddChild("SnapShot", 1, 5);
        {
            Database db = Open();
            for (const char* serial : {"SN1", "SN1 ", " ", "SN3"})
                db.execute("INSERT INTO cLatestHist (SeqNo, SerialNo, UserID, StationID) "
                           "VALUES ((SELECT COALESCE(MAX(SeqNo), 0) + 1 FROM cLatestHist), ?, 'U1', 'ST')",
                           {QString::fromUtf8(serial)});
        }
        for (const char* name : {"iv01", "iv01b", "al1"}) {
            ASSERT_TRUE(MakeTrendFolder("05/24"));
            ASSERT_TRUE(test::WriteFile(TrendFilePath("05/24", name), "x"));
        }
        ASSERT_TRUE(MakeTrendFolder("06/24"));
        ASSERT_TRUE(test::WriteFile(QDir(TrendFolderPath("05/24")).filePath("notes.txt"), "mine"));
    }

    // Row counts of every table and the files below the data folder.
    std::map<QString, Long> Contents() {
        std::map<QString, Long> contents;
        for (const char* table : {"Log_Head", "Interval_Data", "Interval_Event", "Alarm_Data", "SensorHistory",
                                  "SnapShot", "cLatestHist"})
            contents[table] = Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
        QDirIterator it(State().DataFolder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            contents[QDir(State().DataFolder).relativeFilePath(it.next())] = 1;
        return contents;
    }

    Long Rows(const char* table, Long relNo) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE RelNo = ?").arg(table), {relNo});
    }
};

TEST_F(RecordDeletionTest, AnEntryTakesItsRowsAndExactlyItsOwnFile) {
    Database db = Open();
    const DeletionOutcome outcome = DeleteLogEntry(db, 1, 1);
    EXPECT_EQ(outcome.HeadersDeleted, 1);
    EXPECT_EQ(outcome.FilesDeleted, 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 4);
    EXPECT_EQ(Rows("Interval_Data", 1), 0);
    EXPECT_EQ(Rows("Interval_Event", 1), 0);
    EXPECT_EQ(Rows("Interval_Data", 2), 1);
    EXPECT_FALSE(QFile::exists(TrendFilePath("05/24", "iv01")));
    EXPECT_TRUE(QFile::exists(TrendFilePath("05/24", "iv01b")));
    EXPECT_TRUE(QFile::exists(QDir(TrendFolderPath("05/24")).filePath("notes.txt")));

    // A number of another kind deletes nothing.
    EXPECT_EQ(DeleteLogEntry(db, 2, 2).HeadersDeleted, 0);
    EXPECT_EQ(Rows("Interval_Data", 2), 1);
}

TEST_F(RecordDeletionTest, ASensorHistoryEntryTakesItsRowsEvenWhereTheTableIsMissingElsewhere) {
    Database db = Open();
    EXPECT_EQ(DeleteLogEntry(db, 8, 4).HeadersDeleted, 1);
    EXPECT_EQ(Rows("SensorHistory", 4), 0);
    db.execute("DROP TABLE SensorHistory");
    AddHead({.SeqNo = 6, .Types = 8});
    EXPECT_EQ(DeleteLogEntry(db, 8, 6).HeadersDeleted, 1);
}

TEST_F(RecordDeletionTest, AFolderTakesEveryRowUnderItAndNothingElse) {
    Database db = Open();
    const LogTree tree = LogTree::Load(db, {.BySerialNo = true});
    const DeletionOutcome outcome = DeleteLogFolder(db, *tree.Condition("SN1>05/24 M"));
    EXPECT_EQ(outcome.HeadersDeleted, 4);
    EXPECT_EQ(outcome.FilesDeleted, 3);
    EXPECT_TRUE(outcome.FilesNotDeleted.isEmpty());
    const auto contents = Contents();
    EXPECT_EQ(contents.at("Log_Head"), 1);
    EXPECT_EQ(contents.at("Interval_Data"), 0);
    EXPECT_EQ(contents.at("Alarm_Data"), 0);
    EXPECT_EQ(contents.at("SensorHistory"), 0);
    EXPECT_EQ(contents.at("SnapShot"), 1);
    EXPECT_EQ(contents.at("cLatestHist"), 4);
    EXPECT_EQ(contents.count("24/05/notes.txt"), 1u);
    EXPECT_EQ(contents.count("24/05/iv01b.Dat"), 0u);
}

TEST_F(RecordDeletionTest, EverythingEmptiesTheDataFolderAndLeavesTheHistoryList) {
    Database db = Open();
    const DeletionOutcome outcome = DeleteAllLogs(db);
    EXPECT_EQ(outcome.HeadersDeleted, 5);
    const auto contents = Contents();
    for (const char* table : {"Log_Head", "Interval_Data", "Interval_Event", "Alarm_Data", "SensorHistory", "SnapShot"})
        EXPECT_EQ(contents.at(table), 0) << table;
    EXPECT_EQ(contents.at("cLatestHist"), 4);
    EXPECT_TRUE(QDir(State().DataFolder).exists());
    EXPECT_TRUE(QDir(State().DataFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PendingRemoval"), 0);
}

TEST_F(RecordDeletionTest, AnEntryWhoseHeaderIsGoneStillTakesTheRowsThatCarryItsNumber) {
    AddChild("Interval_Data", 9, 77);
    AddChild("Interval_Event", 9, 77);
    AddChild("Alarm_Data", 9, 77);
    Database db = Open();
    EXPECT_EQ(DeleteLogEntry(db, 1, 77).HeadersDeleted, 0);
    EXPECT_EQ(Rows("Interval_Data", 77), 0);
    EXPECT_EQ(Rows("Interval_Event", 77), 0);
    EXPECT_EQ(Rows("Alarm_Data", 77), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 5);
    EXPECT_EQ(Rows("Interval_Data", 1), 2);  // other records keep theirs
}

TEST_F(RecordDeletionTest, ARemovalCutShortIsFinishedLaterAndNeverTakesAFileARowNames) {
    // What a deletion that died after its commit leaves: its entries, and the files.
    {
        Database db = Open();
        db.execute("DELETE FROM Log_Head WHERE SeqNo = 1");
        AddPendingFile(db, "05/24", "iv01");
        AddPendingFile(db, "05/24", "iv01b");  // row 2 still names this one
        AddPendingFile(db, "05/24", "gone");   // a file already removed
    }
    AddHead({.SeqNo = 6, .Types = 1, .Names = "iv01b"});  // a second row naming the same file
    Database db = Open();
    const DeletionOutcome outcome = DeleteLogEntry(db, 1, 2);  // the next deletion finishes the first
    EXPECT_EQ(outcome.FilesDeleted, 1);
    EXPECT_FALSE(QFile::exists(TrendFilePath("05/24", "iv01")));
    EXPECT_TRUE(QFile::exists(TrendFilePath("05/24", "iv01b"))) << "row 6 still names it";
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PendingRemoval"), 0);

    DeleteLogEntry(db, 1, 6);
    EXPECT_FALSE(QFile::exists(TrendFilePath("05/24", "iv01b")));

    // At the start, the same completion runs on its own.
    ASSERT_TRUE(test::WriteFile(TrendFilePath("05/24", "left"), "x"));
    AddPendingFile(db, "05/24", "left");
    EXPECT_EQ(CompletePendingRemovals(db).FilesRemoved, 1);
    EXPECT_FALSE(QFile::exists(TrendFilePath("05/24", "left")));
}

TEST_F(RecordDeletionTest, AFailureLeavesRowsAndFilesAsTheyWere) {
    {
        Database db = Open();
        db.execute("CREATE TRIGGER refuse BEFORE DELETE ON Log_Head BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    const auto before = Contents();
    Database db = Open();
    const LogTree tree = LogTree::Load(db, {});
    EXPECT_THROW(DeleteLogEntry(db, 1, 1), RuntimeError);
    EXPECT_THROW(DeleteLogFolder(db, *tree.Condition("05/24 M")), RuntimeError);
    EXPECT_THROW(DeleteAllLogs(db), RuntimeError);
    EXPECT_EQ(Contents(), before);
}

TEST_F(RecordDeletionTest, HistoryRowsGoByTheShownSerialAndUser) {
    Database db = Open();
    EXPECT_EQ(DeleteLatestHistory(db, "sn1", "U1"), 2);  // "SN1" and "SN1 " whatever their station
    EXPECT_EQ(DeleteLatestHistory(db, "--------------------", "U1"), 1);  // the blank serial number
    EXPECT_EQ(Count("SELECT COUNT(*) FROM cLatestHist"), 1);
}

}  // namespace
}  // namespace mt52
