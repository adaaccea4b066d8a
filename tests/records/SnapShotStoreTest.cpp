// Storing downloaded snapshots: one Log_Head row of kind 11 and its SnapShot row, written
// together or not at all, once per instrument identity and moment.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"
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

}  // namespace
}  // namespace mt52
