#include "common/DatabaseSchema.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"

#include "support/ErrorOf.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// The column names of slot 1 repeated for the five gas slots.
QStringList Groups(const QStringList& slotColumns) {
    QStringList names;
    for (int slot = 1; slot <= 5; ++slot)
        for (const QString& c : slotColumns)
            names << QStringLiteral("Gas%1%2").arg(slot).arg(c);
    return names;
}

QStringList Split(const char* names) { return QString::fromLatin1(names).split(u' '); }

struct ColumnInfo {
    QString name;
    QString type;
    bool key;
};
std::vector<ColumnInfo> TableInfo(Database& db, const QString& table) {
    // PRAGMA arguments cannot be bound; the table names here are the test's own constants.
    Recordset rs = db.query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    std::vector<ColumnInfo> columns;
    for (; !rs.atEnd(); rs.moveNext())
        columns.push_back({rs.field("name").toString(), rs.field("type").toString(), rs.field("pk").toLong() == 1});
    return columns;
}

class DatabaseSchemaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("MT52.mdb"));
    }
    QStringList filesInDir() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(DatabaseSchemaTest, NewDatabaseHasEveryTableAndColumnInOrder) {
    CreateDataBase(path_);
    ASSERT_TRUE(QFileInfo(path_).isFile());
    EXPECT_EQ(filesInDir(), QStringList{"MT52.mdb"});  // nothing else left beside it

    const QStringList historyIds = Split("RelNo UserID StationID SerialNo WriteDates Dates");
    const QStringList event = Split("SeqNo RelNo GasNo GasName Alarm_Type Dates");
    const std::vector<std::pair<QString, QStringList>> expected{
        {"Log_Head", Split("SeqNo Names UserID StationID SerialNo RomNum Types LogNo Dcount FolderID Dates Last "
                           "Interval Sampling LunchBreak LEL_lo LEL_hi ppm_lo ppm_hi vol_lo vol_hi") +
                         Groups(Split("Name Full Desit Enable Point Unit Avr Max Min Warning Alarm TWA STEL MaxDate "
                                      "MinDate Ratio"))},
        {"Interval_Data", Split("SeqNo RelNo Datetimes EvtTime") + Groups({"Value", "cnt"})},
        {"Interval_Event", Split("SeqNo RelNo Datetimes BaseDate") + Groups({"Event"})},
        {"Alarm_Data", Split("SeqNo RelNo Datetimes") + Groups({"Value"})},
        {"SnapShot", Split("SeqNo RelNo UserID StationID SerialNo WriteDates Dates LogNo GasName FullScale Digit "
                           "Unit Gasval") +
                         Groups(Split("Name Full Desit Point Unit Enable val sts"))},
        {"Bump", QStringList{"SeqNo"} + historyIds + Groups(Split("Name Desit Point Unit Enable Before After Judge"))},
        {"cHistory", QStringList{"SeqNo"} + historyIds + Groups(Split("Name Desit Point Unit Enable Before After"))},
        {"cLatestHist", Split("SeqNo UserID StationID SerialNo WriteDates CalLimit") +
                            Groups(Split("Name Desit Point Unit Enable AutoCal CalDate Before After"))},
        {"Alarm_Event", event},
        {"Trouble_Event", event},
        {"Power_Event", Split("SeqNo RelNo LogCnt Dates Power_Type")},
        {"SensorHistory", Split("SeqNo RelNo Dates SensorNo GasName FullScale")},
    };
    Database db(path_);
    Recordset tables = db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"));
    QStringList created;
    for (; !tables.atEnd(); tables.moveNext())
        created << tables.field("name").toString();
    EXPECT_EQ(created, (QStringList{"Log_head", "Interval_Data", "Interval_Event", "Alarm_Data", "SnapShot", "Bump",
                                    "cHistory", "cLatestHist", "Alarm_Event", "Trouble_Event", "Power_Event",
                                    "SensorHistory"}));
    for (const auto& [table, columns] : expected) {
        const std::vector<ColumnInfo> info = TableInfo(db, table);
        QStringList names;
        for (const ColumnInfo& c : info)
            names << c.name;
        EXPECT_EQ(names, columns) << table.toStdString();
        ASSERT_FALSE(info.empty());
        EXPECT_TRUE(info.front().key) << table.toStdString();
        EXPECT_EQ(std::count_if(info.begin(), info.end(), [](const ColumnInfo& c) { return c.key; }), 1);
        EXPECT_EQ(db.query(QStringLiteral("SELECT * FROM %1").arg(table)).recordCount(), 0);
    }

    // Storage types as the database layer maps them, one column of each kind.
    const std::vector<ColumnInfo> head = TableInfo(db, QStringLiteral("log_head"));
    auto typeOf = [&](const char* name) {
        for (const ColumnInfo& c : head)
            if (c.name == QLatin1String(name))
                return c.type;
        return QString();
    };
    EXPECT_EQ(typeOf("SeqNo"), "INTEGER");
    EXPECT_EQ(typeOf("Gas1Full"), "REAL");
    EXPECT_EQ(typeOf("Names"), "TEXT");
    EXPECT_TRUE(typeOf("Gas1Enable").contains("INTEGER"));
    EXPECT_TRUE(typeOf("Dates").contains("TEXT"));
}

TEST_F(DatabaseSchemaTest, RowsAreStoredAndQueriedAsTheWritersAndReadersDoIt) {
    CreateDataBase(path_);
    Database db(path_);
    const Date start = *Date::FromParts(2024, 3, 15, 14, 5, 9);
    // Column names as the writers spell them, "Last" and "Interval" among them.
    db.execute(QStringLiteral("Insert Into Log_Head(SeqNo,Names,Dates,Last,UserID,StationID,SerialNo,Types,Interval,"
                              "Gas1Enable) Values (?,?,?,?,?,?,?,?,?,?);"),
               {Long(1), "A", start, InvalidDateMark, "user-a", "Station", "SN0001", Long(1), Long(60), true});
    db.execute(QStringLiteral("Insert Into SnapShot (SeqNo,RelNo,Gasval,Gas4sts) Values (?,?,?,?)"),
               {Long(1), Long(1), "12.5", Long(-102)});

    // Table and column names in any letter case; identities compare without regard to case.
    Recordset rs = db.query(QStringLiteral("SELECT * FROM LOG_HEAD WHERE dates = ? AND userid = ? AND SerialNo = ? "
                                           "AND StationID = ? AND Types = ?"),
                            {start, "USER-A", "sn0001", "STATION", Long(1)});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.field("last"), Variant(InvalidDateMark));
    EXPECT_EQ(rs.field("GAS1ENABLE"), Variant(true));
    EXPECT_TRUE(rs.field("Gas2Enable").isNull());
    EXPECT_EQ(db.query(QStringLiteral("Select * From snapshot Where RelNo = ?"), {Long(1)}).field("gasval"),
              Variant("12.5"));
    EXPECT_EQ(db.query(QStringLiteral("Select * From SnapShot")).field("Gas4STS"), Variant(Long(-102)));
    EXPECT_EQ(db.query(QStringLiteral("SELECT * FROM Log_Head WHERE Names = ?"), {"a"}).recordCount(), 0);  // other texts keep their case
}

TEST_F(DatabaseSchemaTest, AnExistingFileIsNeverChanged) {
    CreateDataBase(path_);
    {
        Database db(path_);
        db.execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Names) VALUES (1, 'kept')"));
    }
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    CreateDataBase(path_);
    EXPECT_EQ(QFile(path_).size(), before.size());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    // A file that is no database at all: creation passes it by, opening refuses it, it stays as it was.
    const QByteArray foreign("Standard Jet DB\0 and more", 25);
    for (const QByteArray& content : {foreign, QByteArray()}) {
        QFile other(path_);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
        other.write(content);
        other.close();
        CreateDataBase(path_);
        EXPECT_EQ(ErrorOf([&] { Database db(path_); }), ErrDatabase);
        ASSERT_TRUE(other.open(QIODevice::ReadOnly));
        EXPECT_EQ(other.readAll(), content);
        other.close();
        EXPECT_EQ(filesInDir(), QStringList{"MT52.mdb"});
    }
}

TEST_F(DatabaseSchemaTest, FailedCreationLeavesNoFile) {
    const QString inMissingFolder = dir_.filePath(QStringLiteral("no such folder/MT52.mdb"));
    EXPECT_EQ(ErrorOf([&] { CreateDataBase(inMissingFolder); }), ErrDatabase);
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    // A statement that fails part-way: the tables made before it vanish with the scratch file.
    EXPECT_EQ(ErrorOf([&] {
                  CreateDatabaseFile(path_, {QStringLiteral("CREATE TABLE A (SeqNo INTEGER)"), QStringLiteral("CREATE nonsense")});
              }),
              ErrDatabase);
    EXPECT_TRUE(filesInDir().isEmpty()) << filesInDir().join(u',').toStdString();

    // A folder in the way of the file.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("MT52.mdb")));
    EXPECT_EQ(ErrorOf([&] { CreateDataBase(path_); }), ErrDatabase);
    EXPECT_TRUE(filesInDir().isEmpty());
}

TEST_F(DatabaseSchemaTest, ACreationRemovesTheScratchFilesOfAKilledOne) {
    const auto makeFile = [this](const QString& name, qint64 ageSeconds) {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("half made");
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    };
    makeFile(QStringLiteral("MT52.mdb.new-0a1b2c3d"), 3600);
    makeFile(QStringLiteral("MT52.mdb.new-0a1b2c3d-journal"), 3600);
    makeFile(QStringLiteral("MT52.mdb.new-99887766"), 0);       // another creation may be writing it now
    makeFile(QStringLiteral("MT52.mdb.new-notmine"), 3600);     // not of the pattern
    makeFile(QStringLiteral("Other.mdb.new-0a1b2c3d"), 3600);   // beside another database

    CreateDataBase(path_);
    QStringList left = filesInDir();
    left.sort();
    EXPECT_EQ(left, (QStringList{"MT52.mdb", "MT52.mdb.new-99887766", "MT52.mdb.new-notmine", "Other.mdb.new-0a1b2c3d"}));
}

}  // namespace
}  // namespace mt52
