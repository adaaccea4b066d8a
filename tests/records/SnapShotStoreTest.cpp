// Storing downloaded snapshots: one Log_Head row of kind 11 and its SnapShot row, written
// together or not at all, once per instrument identity and moment.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"
#include "records/RecordStore.h"
#include "records/clsSnapShot.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class SnapShotStore : public testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("MT52.mdb"));
        CreateDataBase(path_);
        State().DatabasePath = path_;
        instrument_.UserID(QStringLiteral("USER-1"));
        instrument_.StationID(QStringLiteral("ST-9"));
        instrument_.SerialNo(QStringLiteral("SN0042"));
        instrument_.RomNumber(1207);
    }
    void TearDown() override { test::ResetProgramState(); }

    // Fills the model as the instrument link does for one snapshot record of a dump block.
    void Fill(clsSnapShot& snap, const Date& when, const QString& gasName = QStringLiteral("CH4")) {
        snap.Instrument(&instrument_);
        snap.GasListInfo(0, SnapShotGasField::LogNo, "0012");
        snap.GasListInfo(0, SnapShotGasField::GasName, gasName);
        snap.GasListInfo(0, SnapShotGasField::FullScale, "100");
        snap.GasListInfo(0, SnapShotGasField::Digit, "");
        snap.GasListInfo(0, SnapShotGasField::Unit, "%LEL");
        snap.GasBaseInfo(LogHeaderField::Dates, when);
        snap.GasListInfo(0, SnapShotGasField::gasval, " 12.5");
        snap.GasBaseInfo(LogHeaderField::UserID, instrument_.UserID());
        snap.GasBaseInfo(LogHeaderField::StationID, instrument_.StationID());
        snap.GasBaseInfo(LogHeaderField::SerialNo, instrument_.SerialNo());
        snap.GasBaseInfo(LogHeaderField::FolderID, FormatDate(when, QStringLiteral("mm/yy")));
        snap.GasBaseInfo(LogHeaderField::Last, Now());
        snap.GasBaseInfo(LogHeaderField::Names, QStringLiteral("ss") + FormatDate(when, QStringLiteral("ddhhnnss")) +
                                                    u'_' + snap.GasBaseInfo(LogHeaderField::SerialNo).toString());
        snap.GasListInfo(0, GasInfoField::Enable, true);
    }

    Recordset Rows(const QString& sql) {
        Database db(path_);
        return db.query(sql);
    }
    Long Count(const QString& table) {
        return Rows(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table).field(QStringLiteral("n")).toLong();
    }
    void Execute(const QString& sql) {
        Database db(path_);
        db.execute(sql);
    }

    QTemporaryDir dir_;
    QString path_;
    clsInstrument instrument_;
    ManualClock clock_{QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0))};
    ScopedClock scopedClock_{clock_};
    const Date when_ = *Date::FromParts(2024, 3, 15, 14, 5, 9);
};

TEST_F(SnapShotStore, WritesOneHeaderOfKind11AndItsSnapShotRow) {
    clsSnapShot snap;
    Fill(snap, when_);
    snap.Update();

    ASSERT_EQ(Count(QStringLiteral("Log_Head")), 1);
    ASSERT_EQ(Count(QStringLiteral("SnapShot")), 1);
    const Recordset head = Rows(QStringLiteral("SELECT * FROM Log_Head"));
    const std::vector<std::pair<const char*, Variant>> headColumns{
        {"SeqNo", Long{1}},
        {"Names", "ss15140509_SN0042"},
        {"Dates", when_},
        {"Last", InvalidDateMark},
        {"LogNo", Long{0}},
        {"UserID", "USER-1"},
        {"StationID", "ST-9"},
        {"SerialNo", "SN0042"},
        {"Types", Long{11}},
        {"RomNum", Long{1207}},
        {"Interval", Long{0}},
        {"Sampling", Long{0}},
        {"FolderID", "03/24"},
        {"Dcount", Long{1}},
        {"LunchBreak", Long{0}},
        {"vol_hi", Long{0}},
        {"Gas1Name", " "},
        {"Gas1Unit", " "},
        {"Gas1Enable", true},
        {"Gas1Point", Long{-101}},
        {"Gas1Full", -101.0},
        {"Gas1STEL", -101.0},
        {"Gas1Ratio", -101.0},
        {"Gas1MaxDate", InvalidDateMark},
        {"Gas1MinDate", InvalidDateMark},
        {"Gas2Name", Variant::Null()},
        {"Gas5Ratio", Variant::Null()},
    };
    for (const auto& [column, expected] : headColumns)
        EXPECT_EQ(head.field(QString::fromLatin1(column)), expected) << column;

    const Recordset row = Rows(QStringLiteral("SELECT * FROM SnapShot"));
    const std::vector<std::pair<const char*, Variant>> snapColumns{
        {"SeqNo", Long{1}},
        {"RelNo", Long{1}},
        {"UserID", "USER-1"},
        {"StationID", "ST-9"},
        {"SerialNo", "SN0042"},
        {"WriteDates", Now()},
        {"Dates", when_},
        {"LogNo", "0012"},
        {"GasName", "CH4"},
        {"FullScale", "100"},
        {"Digit", ""},  // an empty text stays an empty text
        {"Unit", "%LEL"},
        {"Gasval", " 12.5"},
        {"Gas1Name", " "},
        {"Gas1Full", -101.0},
        {"Gas1Point", Long{-101}},
        {"Gas1Unit", " "},
        {"Gas1Enable", true},
        {"Gas1val", 0.0},
        {"Gas1sts", Long{0}},
        {"Gas2val", Variant::Null()},
    };
    for (const auto& [column, expected] : snapColumns)
        EXPECT_EQ(row.field(QString::fromLatin1(column)), expected) << column;

    // Storing changes nothing of the model.
    EXPECT_FALSE(snap.Duplicate());
    EXPECT_FALSE(snap.Error());
}

TEST_F(SnapShotStore, StoresEachSnapshotOnce) {
    clsSnapShot snap;
    Fill(snap, when_);
    snap.Update();
    snap.Update();  // the same record downloaded again
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 1);

    // The identity compares without regard to case; another reading of the same moment is the same snapshot.
    clsSnapShot sameMoment;
    Fill(sameMoment, when_, QStringLiteral("CO"));
    sameMoment.GasBaseInfo(LogHeaderField::UserID, "user-1");
    sameMoment.GasBaseInfo(LogHeaderField::SerialNo, "sn0042");
    sameMoment.Update();
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);

    // One second later, or another station, is another snapshot.
    Fill(snap, when_.addSeconds(1));
    snap.Update();
    Fill(snap, when_);
    snap.GasBaseInfo(LogHeaderField::StationID, "ST-10");
    snap.Update();
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 3);
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 3);
}

TEST_F(SnapShotStore, ConsecutiveRecordsTakeTheNextKeysOfEachTable) {
    // A record of another kind already holds key 7 of Log_Head.
    Execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Types) VALUES (7, 1)"));
    clsSnapShot snap;  // the link refills one model for every record
    Fill(snap, when_);
    snap.Update();
    Fill(snap, when_.addSeconds(60));
    snap.Update();

    Recordset rows = Rows(QStringLiteral("SELECT SeqNo, RelNo, Dates FROM SnapShot ORDER BY SeqNo"));
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.field(QStringLiteral("SeqNo")), Variant(Long{1}));
    EXPECT_EQ(rows.field(QStringLiteral("RelNo")), Variant(Long{8}));
    rows.moveNext();
    EXPECT_EQ(rows.field(QStringLiteral("SeqNo")), Variant(Long{2}));
    EXPECT_EQ(rows.field(QStringLiteral("RelNo")), Variant(Long{9}));
    EXPECT_EQ(Rows(QStringLiteral("SELECT Dates FROM Log_Head WHERE SeqNo = 9")).field(QStringLiteral("Dates")),
              Variant(when_.addSeconds(60)));
}

TEST_F(SnapShotStore, QuotesAndBlankIdentitiesAreStoredAsTheyStand) {
    instrument_.UserID(QStringLiteral("   "));
    instrument_.SerialNo(QStringLiteral("O'Neil"));
    clsSnapShot snap;
    Fill(snap, when_, QStringLiteral("H2'S"));
    snap.Update();
    snap.Update();
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);
    const Recordset head = Rows(QStringLiteral("SELECT * FROM Log_Head"));
    EXPECT_EQ(head.field(QStringLiteral("UserID")), Variant(QString(16, u'-')));
    EXPECT_EQ(head.field(QStringLiteral("SerialNo")), Variant("O'Neil"));
    EXPECT_EQ(head.field(QStringLiteral("Names")), Variant("ss15140509_O'Neil"));
    EXPECT_EQ(Rows(QStringLiteral("SELECT GasName FROM SnapShot")).field(QStringLiteral("GasName")), Variant("H2'S"));
}

TEST_F(SnapShotStore, WritesNothingForAFaultyRecordOrOneWithoutInstrument) {
    clsSnapShot faulty;
    Fill(faulty, when_);
    faulty.Error(true);
    faulty.Update();
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);
    EXPECT_TRUE(faulty.Error());

    clsSnapShot orphan;
    Fill(orphan, when_);
    orphan.Instrument(nullptr);
    EXPECT_EQ(ErrorOf([&] { orphan.Update(); }), ErrObjectNotSet);
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 0);
}

TEST_F(SnapShotStore, AFailedSnapShotInsertLeavesNoHeaderBehind) {
    Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON SnapShot BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    clsSnapShot snap;
    Fill(snap, when_);
    EXPECT_EQ(ErrorOf([&] { snap.Update(); }), ErrDatabase);
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 0);

    // The next download of the same record is not mistaken for a stored one.
    Execute(QStringLiteral("DROP TRIGGER refuse"));
    snap.Update();
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 1);
}

TEST_F(SnapShotStore, UsesTheDatabaseOfTheLastClearingAndCreatesNone) {
    State().DatabasePath = dir_.filePath(QStringLiteral("missing.mdb"));
    clsSnapShot snap;
    Fill(snap, when_);
    EXPECT_EQ(ErrorOf([&] { snap.Update(); }), ErrDatabase);
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("missing.mdb"))));

    State().DatabasePath = path_;
    snap.ClearDatas();
    Fill(snap, when_);
    snap.Update();
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 1);
}

// A download keeps one store: each record is whole or absent, and nothing is permanent (or
// seen by another connection) before the commit that ends its block.
TEST_F(SnapShotStore, AStoreCommitsWholeRecordsAtItsCommitPoints) {
    RecordStore store(path_);
    clsSnapShot snap;
    Fill(snap, when_);
    snap.Update(store);
    EXPECT_EQ(store.Pending(), 1);
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);  // another connection sees nothing yet

    // The second record of the block fails halfway: its header goes, the first record stays.
    store.db().execute(QStringLiteral(
        "CREATE TEMP TRIGGER refuse BEFORE INSERT ON main.SnapShot BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    Fill(snap, when_.addSeconds(1));
    EXPECT_EQ(ErrorOf([&] { snap.Update(store); }), ErrDatabase);
    store.db().execute(QStringLiteral("DROP TRIGGER temp.refuse"));
    Fill(snap, when_.addSeconds(2));
    snap.Update(store);
    store.Commit();
    EXPECT_EQ(store.Pending(), 0);
    Recordset dates = Rows(QStringLiteral("SELECT h.Dates FROM Log_Head h JOIN SnapShot s ON s.RelNo = h.SeqNo "
                                          "ORDER BY h.Dates"));
    ASSERT_EQ(dates.recordCount(), 2);
    EXPECT_EQ(dates.field(0), Variant(when_));
    dates.moveNext();
    EXPECT_EQ(dates.field(0), Variant(when_.addSeconds(2)));
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 2);

    // What is finished when the store goes away is committed too.
    {
        RecordStore last(path_);
        Fill(snap, when_.addSeconds(3));
        snap.Update(last);
    }
    EXPECT_EQ(Count(QStringLiteral("SnapShot")), 3);
}

// A database made before the lookup indexes existed gets them when a store opens it, and
// the same snapshots are stored (and found again) as in a new one.
TEST_F(SnapShotStore, AnOldDatabaseGetsTheLookupIndexesAndStoresTheSameRows) {
    const QString oldPath = dir_.filePath(QStringLiteral("old.mdb"));
    QStringList oldSchema;
    for (const QString& statement : SchemaStatements())
        if (!statement.contains(QStringLiteral("_Lookup")))
            oldSchema << statement;
    CreateDatabaseFile(oldPath, oldSchema);

    for (const QString& path : {path_, oldPath}) {
        RecordStore store(path);
        clsSnapShot snap;
        for (int i = 0; i < 3; ++i) {
            Fill(snap, when_.addSeconds(i));
            snap.Update(store);
            snap.Update(store);  // a duplicate
        }
        store.Commit();
    }
    const auto dump = [](const QString& path, const QString& sql) {
        Database db(path);
        Recordset rows = db.query(sql);
        QStringList lines;
        for (; !rows.atEnd(); rows.moveNext()) {
            QStringList cells;
            for (int i = 0; i < rows.fieldCount(); ++i)
                cells << (rows.field(i).isNull() ? QStringLiteral("NULL") : rows.field(i).toString());
            lines << cells.join(u'|');
        }
        return lines;
    };
    for (const char* table : {"Log_Head", "SnapShot"}) {
        const QString sql = QStringLiteral("SELECT * FROM %1 ORDER BY SeqNo").arg(QLatin1String(table));
        EXPECT_EQ(dump(oldPath, sql), dump(path_, sql)) << table;
        EXPECT_EQ(dump(oldPath, sql).size(), 3) << table;
    }
    const QString indexes = QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE '%_Lookup' "
                                           "ORDER BY name");
    EXPECT_EQ(dump(oldPath, indexes), dump(path_, indexes));
    EXPECT_EQ(dump(oldPath, indexes).size(), LookupIndexStatements().size());

    // The duplicate check reads the index, not the whole table.
    const QStringList plan = dump(oldPath, QStringLiteral(
        "EXPLAIN QUERY PLAN SELECT COUNT(*) FROM Log_Head WHERE Dates = '2024-03-15 14:05:09' AND UserID = 'a' "
        "COLLATE NOCASE AND SerialNo = 'b' COLLATE NOCASE AND StationID = 'c' COLLATE NOCASE AND Types = 11"));
    EXPECT_TRUE(plan.join(u' ').contains(QStringLiteral("USING COVERING INDEX Log_head_Lookup"))) << plan.join(u' ').toStdString();
}

}  // namespace
}  // namespace mt52
