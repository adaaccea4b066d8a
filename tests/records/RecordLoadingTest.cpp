// Loading stored histories, event logs and snapshots into their models: the columns each kind
// reads, what a Null column gives, the 301-entry cap, and that a damaged row or a missing
// database leaves the model as it was.
#include "RecordDatabase.h"

#include "instrument/clsInstrument.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarm.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsPowerEvent.h"
#include "records/clsSnapShot.h"
#include "records/clsTroubleEvent.h"
#include "support/ErrorOf.h"

#include <QFile>
#include <functional>

namespace mt52 {
namespace {

const QString Dashes16(16, u'-');
const QString Dashes20(20, u'-');
const Variant Null = Variant::Null();

using RecordLoading = RecordDatabase;

// A history header with gas groups 1 and 3 described and group 2 left Null.
Columns HistoryHead(Long seqNo, Long kind) {
    return {{"SeqNo", seqNo},          {"Types", kind},         {"UserID", "U1"},
            {"StationID", Null},       {"SerialNo", "SN7"},     {"FolderID", "05/24"},
            {"Dates", Date(45413.5)},  {"Gas1Name", "CH4"},     {"Gas1Full", 100.0},
            {"Gas1Desit", 50.0},       {"Gas1Point", Long{1}},  {"Gas1Enable", true},
            {"Gas1Unit", "%LEL"},      {"Gas3Name", "CO"},      {"Gas3Full", 500.0},
            {"Gas3Point", Long{0}},    {"Gas3Unit", Null},      {"Gas3Enable", true}};
}

TEST_F(RecordLoading, CalibrationHistoryLoadsHeaderAndEntriesNewestFirst) {
    Insert("Log_Head", HistoryHead(4, 3));
    // Entries dated 1, 3 and 2 May; the 2 May row leaves its values and dates Null in places.
    Insert("cHistory", {{"SeqNo", Long{10}}, {"RelNo", Long{4}}, {"Dates", At(2024, 5, 1)},
                        {"Gas1Name", "CH4"}, {"Gas1Before", 1.5}, {"Gas1After", 50.0}, {"Gas5Before", 7.0}});
    Insert("cHistory", {{"SeqNo", Long{11}}, {"RelNo", Long{4}}, {"Dates", At(2024, 5, 3)},
                        {"Gas1Name", "CH4b"}, {"Gas1Before", 2.5}, {"Gas1After", 49.5}});
    Insert("cHistory", {{"SeqNo", Long{12}}, {"RelNo", Long{4}}, {"Dates", At(2024, 5, 2)},
                        {"Gas1Name", Null}, {"Gas1Before", Null}, {"Gas1After", 48.0}});
    Insert("cHistory", {{"SeqNo", Long{13}}, {"RelNo", Long{9}}, {"Dates", At(2024, 5, 9)}});  // another record

    clsHistory history;
    history.SeqNo(4);
    history.ReLoad();

    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::UserID).toString(), "U1");
    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::StationID).toString(), Dashes16);
    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::SerialNo).toString(), "SN7");
    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::FolderID).toString(), "05/24");
    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::Dates).toDate(), Date(45413.5));
    EXPECT_EQ(history.GasListInfo(0, GasInfoField::Name).toString(), "CH4");
    EXPECT_EQ(history.GasListInfo(0, GasInfoField::Full).toSingle(), 100.0f);
    EXPECT_EQ(history.GasListInfo(0, GasInfoField::Point).toInteger(), 1);
    EXPECT_EQ(history.GasListInfo(0, GasInfoField::Unit).toString(), "%LEL");
    EXPECT_TRUE(history.GasListInfo(0, GasInfoField::Enable).toBool());
    // An undescribed group: empty texts, the no-data code, and Enable as a Null column reads.
    EXPECT_EQ(history.GasListInfo(1, GasInfoField::Name).toString(), "");
    EXPECT_EQ(history.GasListInfo(1, GasInfoField::Full).toSingle(), -101.0f);
    EXPECT_EQ(history.GasListInfo(1, GasInfoField::Desit).toSingle(), -101.0f);
    EXPECT_EQ(history.GasListInfo(1, GasInfoField::Point).toInteger(), -101);
    EXPECT_TRUE(history.GasListInfo(1, GasInfoField::Enable).toBool());
    EXPECT_EQ(history.GasListInfo(2, GasInfoField::Name).toString(), "CO");
    EXPECT_EQ(history.GasListInfo(2, GasInfoField::Unit).toString(), "");

    ASSERT_EQ(history.DataCount(), 3);
    EXPECT_EQ(history.EntriesNotShown(), 0);
    EXPECT_EQ(history.Dates(0), At(2024, 5, 3));
    EXPECT_EQ(history.Dates(1), At(2024, 5, 2));
    EXPECT_EQ(history.Dates(2), At(2024, 5, 1));
    EXPECT_EQ(history.GasName(0, 0), "CH4b");
    EXPECT_EQ(history.Before(0, 0), 2.5f);
    EXPECT_EQ(history.After(0, 0), 49.5f);
    EXPECT_EQ(history.GasName(0, 1), "");
    EXPECT_EQ(history.Before(0, 1), -101.0f);
    EXPECT_EQ(history.After(0, 1), 48.0f);
    EXPECT_EQ(history.Before(4, 2), 7.0f);
    EXPECT_EQ(history.After(4, 2), -101.0f);
    // A calibration history has no judgement: the cleared value stays.
    EXPECT_EQ(history.Judge(0, 0), 0.0f);
    // Fields the load does not reach keep their values.
    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::Names).toString(), "");
}

TEST_F(RecordLoading, BumpTestLoadsTheJudgementOfEverySlot) {
    Insert("Log_Head", HistoryHead(6, 10));
    // The fourth judgement column is named in another letter case; lookups ignore case.
    const Columns entry{{"SeqNo", Long{1}},    {"RelNo", Long{6}},     {"Dates", Null},
                        {"Gas1Judge", Long{1}}, {"Gas2Judge", Long{2}}, {"Gas3Judge", Null},
                        {"Gas4judge", Long{4}}, {"Gas5Judge", Long{5}}};
    Insert("Bump", entry);

    clsHistory history;
    history.SeqNo(6);
    history.ReLoad();

    ASSERT_EQ(history.DataCount(), 1);
    EXPECT_EQ(history.Judge(0, 0), 1.0f);
    EXPECT_EQ(history.Judge(1, 0), 2.0f);
    EXPECT_EQ(history.Judge(2, 0), -101.0f);
    EXPECT_EQ(history.Judge(3, 0), 4.0f);
    EXPECT_EQ(history.Judge(4, 0), 5.0f);
    // A missing entry date is the invalid-date mark, not the time of loading.
    EXPECT_EQ(history.Dates(0), InvalidDateMark);
}

TEST_F(RecordLoading, HistoryWithoutHeaderRowLoadsItsBumpEntriesOnly) {
    Insert("Bump", {{"SeqNo", Long{1}}, {"RelNo", Long{8}}, {"Dates", At(2024, 1, 2)}, {"Gas1Before", 3.0}});
    clsHistory history;
    history.GasBaseInfo(LogHeaderField::UserID, "KEPT");
    history.SeqNo(8);
    history.ReLoad();

    EXPECT_EQ(history.GasBaseInfo(LogHeaderField::UserID).toString(), "KEPT");
    ASSERT_EQ(history.DataCount(), 1);
    EXPECT_EQ(history.Before(0, 0), 3.0f);
}

TEST_F(RecordLoading, HistoryLoadsTheNewest301EntriesAndCountsTheRest) {
    Insert("Log_Head", HistoryHead(2, 3));
    {
        Database db(path_);
        Transaction t(db);
        for (int i = 0; i < 305; ++i) {
            db.execute(QStringLiteral("INSERT INTO cHistory (SeqNo, RelNo, Dates, Gas1Before) VALUES (?, 2, ?, ?)"),
                       {Long{i + 1}, At(2020, 1, 1).addSeconds(3600.0 * i), Single(i)});
        }
        t.commit();
    }
    clsHistory history;
    history.SeqNo(2);
    history.ReLoad();

    EXPECT_EQ(history.DataCount(), 301);
    EXPECT_EQ(history.EntriesNotShown(), 4);
    EXPECT_EQ(history.Before(0, 0), 304.0f);
    EXPECT_EQ(history.Before(0, 300), 4.0f);
}

TEST_F(RecordLoading, ALoadWithoutEntriesKeepsTheEntriesHeld) {
    Insert("Log_Head", HistoryHead(1, 3));
    Insert("cHistory", {{"SeqNo", Long{1}}, {"RelNo", Long{1}}, {"Dates", At(2024, 1, 2)}, {"Gas1Before", 3.0}});
    Insert("Log_Head", HistoryHead(2, 3));

    clsHistory history;
    history.SeqNo(1);
    history.ReLoad();
    history.SeqNo(2);
    history.ReLoad();
    EXPECT_EQ(history.DataCount(), 1);
    EXPECT_EQ(history.Before(0, 0), 3.0f);
}

TEST_F(RecordLoading, NoDatabaseFileOrADamagedRowLeavesEveryModelAsItWas) {
    Insert("Log_Head", {{"SeqNo", Long{1}}, {"Types", Long{3}}, {"UserID", "NEW"}, {"Names", "n"},
                        {"Gas1Full", "lots"}});
    Insert("SnapShot", {{"SeqNo", Long{1}}, {"RelNo", Long{1}}, {"Gas1val", "??"}});
    const auto check = [&](RecordFrame& model, const std::function<void()>& reload) {
        model.SeqNo(1);
        model.GasBaseInfo(LogHeaderField::UserID, "OLD");
        model.GasListInfo(0, GasInfoField::Full, 5.0f);
        const RaisedError error = ErrorRaisedBy(reload);
        EXPECT_EQ(error.number, ErrTypeMismatch);
        EXPECT_TRUE(error.text.contains("Gas1Full") || error.text.contains("Gas1val")) << error.text.toStdString();
        EXPECT_EQ(model.GasBaseInfo(LogHeaderField::UserID).toString(), "OLD");
        EXPECT_EQ(model.GasListInfo(0, GasInfoField::Full).toSingle(), 5.0f);

        State().DatabasePath = dir_.filePath(QStringLiteral("none.mdb"));
        model.ClearDatas();
        model.SeqNo(1);
        model.GasBaseInfo(LogHeaderField::UserID, "OLD");
        reload();
        EXPECT_EQ(model.GasBaseInfo(LogHeaderField::UserID).toString(), "OLD");
        EXPECT_FALSE(QFile::exists(State().DatabasePath));
        State().DatabasePath = path_;
    };
    clsHistory history;
    check(history, [&] { history.ReLoad(); });
    clsAlarmEvent alarm;
    check(alarm, [&] { alarm.ReLoad(); });
    clsPowerEvent power;
    check(power, [&] { power.ReLoad(); });

    // The snapshot's damaged reading comes after a readable header: neither is taken.
    Database(path_).execute(QStringLiteral("UPDATE Log_Head SET Gas1Full = 1"));
    clsSnapShot snap;
    snap.SeqNo(1);
    snap.GasValue(0, 9.0f);
    EXPECT_EQ(ErrorOf([&] { snap.ReLoad(); }), ErrTypeMismatch);
    EXPECT_EQ(snap.GasValue(0), 9.0f);
    EXPECT_EQ(snap.GasBaseInfo(LogHeaderField::UserID).toString(), Dashes16);
}

// An event-log header with every column filled, gas groups 1 to 5.
Columns FullEventHead(Long seqNo, Long kind) {
    Columns c{{"SeqNo", seqNo},       {"Types", kind},       {"Names", "Alarm Events"}, {"Dates", At(2024, 2, 3, 4, 5, 6)},
              {"UserID", "U"},        {"StationID", "S"},    {"SerialNo", "N"},         {"Interval", Long{30}},
              {"Sampling", Long{2}},  {"Dcount", Long{77}},  {"FolderID", "02/24"},     {"LunchBreak", Long{1}},
              {"LEL_lo", Long{10}},   {"LEL_hi", Long{20}},  {"ppm_lo", Long{30}},      {"ppm_hi", Long{40}},
              {"vol_lo", Long{50}},   {"vol_hi", Long{60}}};
    for (int g = 1; g <= 5; ++g) {
        auto col = [g](const char* f) { return QStringLiteral("Gas%1").arg(g) + QLatin1String(f); };
        c.insert(c.end(), {{col("Name"), QStringLiteral("G%1").arg(g)}, {col("Full"), 100.0 * g}, {col("Desit"), 1.0},
                           {col("Point"), Long{g}}, {col("Unit"), "ppm"}, {col("Avr"), 2.0}, {col("Max"), 3.0},
                           {col("Min"), 1.0}, {col("MaxDate"), At(2024, 2, 3)}, {col("MinDate"), At(2024, 2, 4)},
                           {col("Enable"), true}, {col("Warning"), 25.0}, {col("Alarm"), 50.0}, {col("STEL"), 6.0},
                           {col("TWA"), 7.0}, {col("Ratio"), 0.5}});
    }
    return c;
}

TEST_F(RecordLoading, AlarmAndTroubleLogsReadTheirHeaderAndFourGasGroups) {
    Insert("Log_Head", FullEventHead(3, 5));
    clsAlarmEvent alarm;
    clsTroubleEvent trouble;
    for (EventLogFrame* log : {static_cast<EventLogFrame*>(&alarm), static_cast<EventLogFrame*>(&trouble)}) {
        log->SeqNo(3);
        log->ReLoad();
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Names).toString(), "Alarm Events");
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Dates).toDate(), At(2024, 2, 3, 4, 5, 6));
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::SerialNo).toString(), "N");
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Interval).toLong(), 30);
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::FolderID).toString(), "02/24");
        // Not in the alarm and trouble column set.
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Sampling).toLong(), 0);
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Dcount).toLong(), 0);
        EXPECT_EQ(log->GasBaseInfo(LogHeaderField::LEL_hi).toLong(), 0);
        EXPECT_EQ(log->GasListInfo(3, GasInfoField::Name).toString(), "G4");
        EXPECT_EQ(log->GasListInfo(3, GasInfoField::Full).toSingle(), 400.0f);
        EXPECT_EQ(log->GasListInfo(0, GasInfoField::Warning).toSingle(), 25.0f);
        EXPECT_EQ(log->GasListInfo(0, GasInfoField::MinDate).toDate(), At(2024, 2, 4));
        EXPECT_EQ(log->GasListInfo(0, GasInfoField::Unit).toString(), "");
        EXPECT_EQ(log->GasListInfo(0, GasInfoField::Stel).toSingle(), -101.0f);
        EXPECT_EQ(log->GasListInfo(4, GasInfoField::Name).toString(), "");
    }
}

TEST_F(RecordLoading, PowerLogReadsCountsLimitsAndGasGroupOneOnly) {
    Insert("Log_Head", FullEventHead(3, 7));
    clsPowerEvent power;
    power.SeqNo(3);
    power.ReLoad();
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Sampling).toLong(), 2);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Dcount).toLong(), 77);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::LunchBreak).toLong(), 1);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::vol_hi).toLong(), 60);
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::Unit).toString(), "ppm");
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::Stel).toSingle(), 6.0f);
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::Twa).toSingle(), 7.0f);
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::Ratio).toSingle(), 0.5f);
    EXPECT_EQ(power.GasListInfo(1, GasInfoField::Name).toString(), "");
}

TEST_F(RecordLoading, EventHeaderNullColumnsAndASecondLoad) {
    Insert("Log_Head", FullEventHead(1, 7));
    Insert("Log_Head", {{"SeqNo", Long{2}}, {"Types", Long{7}}, {"Sampling", Long{4}}});

    clsPowerEvent power;
    power.SeqNo(1);
    power.ReLoad();
    power.SeqNo(2);
    power.ReLoad();  // the second row replaces every column read, Null ones by their stand-ins
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Names).toString(), "Name None");
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Dates).toDate(), InvalidDateMark);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::UserID).toString(), Dashes16);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::SerialNo).toString(), Dashes20);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::FolderID).toString(), "00/00");
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Interval).toLong(), 0);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Sampling).toLong(), 4);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Dcount).toLong(), 0);
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::LEL_lo).toLong(), -101);
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::MaxDate).toDate(), InvalidDateMark);
    EXPECT_TRUE(power.GasListInfo(0, GasInfoField::Enable).toBool());
    EXPECT_EQ(power.GasListInfo(0, GasInfoField::Max).toSingle(), -101.0f);

    // A key without a row leaves everything as it was.
    power.SeqNo(99);
    power.ReLoad();
    EXPECT_EQ(power.GasBaseInfo(LogHeaderField::Sampling).toLong(), 4);
}

// A Null Gas<n>Enable reads as a gas in use in every model that loads a Log_Head row, the
// trend records included; a stored No stays No.
TEST_F(RecordLoading, ANullEnableReadsAsInUseWhicheverModelLoadsTheRow) {
    Insert("Log_Head", {{"SeqNo", Long{8}}, {"Types", Long{3}}, {"Names", "enable"}, {"Dates", At(2024, 5, 1)},
                        {"Gas1Name", "CH4"}, {"Gas2Enable", false}});
    // The slots each model reads, and what it has loaded into them.
    using Enables = std::vector<bool>;
    const auto load = [](auto& model, int slotCount) {
        model.SeqNo(8);
        model.ReLoad();
        Enables enables;
        for (int slot = 0; slot < slotCount; ++slot)
            enables.push_back(model.GasListInfo(static_cast<Integer>(slot), GasInfoField::Enable).toBool());
        return enables;
    };
    struct Case {
        const char* what;
        std::function<Enables()> loaded;
        Enables expected;
    };
    const Case cases[] = {
        {"history", [&] { clsHistory m; return load(m, 5); }, {true, false, true, true, true}},
        {"alarm events", [&] { clsAlarmEvent m; return load(m, 4); }, {true, false, true, true}},
        {"trouble events", [&] { clsTroubleEvent m; return load(m, 4); }, {true, false, true, true}},
        {"power events", [&] { clsPowerEvent m; return load(m, 1); }, {true}},
        {"snapshot", [&] { clsSnapShot m; return load(m, 1); }, {true}},
        {"interval trend", [&] { clsInterval m; return load(m, 5); }, {true, false, true, true, true}},
        {"alarm trend", [&] { clsAlarm m; return load(m, 5); }, {true, false, true, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.loaded(), c.expected) << c.what;
}

TEST_F(RecordLoading, SnapshotStoredByTheDownloadLoadsBack) {
    clsInstrument instrument;
    instrument.UserID(QStringLiteral("USER-1"));
    instrument.StationID(QStringLiteral("ST-9"));
    instrument.SerialNo(QStringLiteral("SN0042"));
    clsSnapShot stored;
    stored.Instrument(&instrument);
    stored.GasListInfo(0, SnapShotGasField::LogNo, "0012");
    stored.GasListInfo(0, SnapShotGasField::GasName, "CH4");
    stored.GasListInfo(0, SnapShotGasField::FullScale, "100");
    stored.GasListInfo(0, SnapShotGasField::Digit, "1");
    stored.GasListInfo(0, SnapShotGasField::Unit, "%LEL");
    stored.GasListInfo(0, SnapShotGasField::gasval, " 12.5");
    stored.GasBaseInfo(LogHeaderField::Dates, At(2024, 3, 15, 14, 5, 9));
    stored.GasBaseInfo(LogHeaderField::UserID, "USER-1");
    stored.GasBaseInfo(LogHeaderField::FolderID, "03/24");
    stored.GasListInfo(0, GasInfoField::Name, "Methane");
    stored.GasListInfo(0, GasInfoField::Enable, true);
    stored.GasValue(0, 12.5f);
    stored.GasEvent(0, 0, -103.0f);
    stored.Update();
    const Long key = Rows("SELECT SeqNo FROM Log_Head").field(QStringLiteral("SeqNo")).toLong();

    clsSnapShot loaded;
    loaded.SeqNo(key);
    loaded.ReLoad();
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::Dates).toDate(), At(2024, 3, 15, 14, 5, 9));
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::UserID).toString(), "USER-1");
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::FolderID).toString(), "03/24");
    EXPECT_EQ(loaded.GasListInfo(0, GasInfoField::Name).toString(), "Methane");
    EXPECT_TRUE(loaded.GasListInfo(0, GasInfoField::Enable).toBool());
    EXPECT_EQ(loaded.GasValue(0), 12.5f);
    EXPECT_EQ(loaded.GasEvent(0, 0), -103.0f);
    for (Long field : {SnapShotGasField::LogNo, SnapShotGasField::GasName, SnapShotGasField::FullScale,
                       SnapShotGasField::Digit, SnapShotGasField::Unit, SnapShotGasField::gasval})
        EXPECT_EQ(loaded.GasListInfo(0, field), stored.GasListInfo(0, field)) << field;
}

TEST_F(RecordLoading, SnapshotNullsFirstRowAndMissingHeader) {
    Insert("Log_Head", {{"SeqNo", Long{5}}, {"Types", Long{11}}, {"Dates", At(2024, 1, 1)}, {"Gas2Name", "X"}});
    Insert("SnapShot", {{"SeqNo", Long{1}}, {"RelNo", Long{5}}, {"GasName", "first"}});
    Insert("SnapShot", {{"SeqNo", Long{2}}, {"RelNo", Long{5}}, {"GasName", "second"}, {"Gas1val", 3.0}});
    Insert("SnapShot", {{"SeqNo", Long{3}}, {"RelNo", Long{6}}, {"GasName", "orphan"}, {"Gas1val", 4.0}});

    clsSnapShot snap;
    snap.SeqNo(5);
    snap.ReLoad();
    EXPECT_EQ(snap.GasBaseInfo(LogHeaderField::Last).toDate(), InvalidDateMark);
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::GasName).toString(), "first");
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::Digit).toString(), "");
    EXPECT_EQ(snap.GasValue(0), -101.0f);
    EXPECT_EQ(snap.GasListInfo(1, GasInfoField::Name).toString(), "");

    snap.SeqNo(6);
    snap.ReLoad();
    EXPECT_EQ(snap.GasBaseInfo(LogHeaderField::Dates).toDate(), At(2024, 1, 1));
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::GasName).toString(), "orphan");
    EXPECT_EQ(snap.GasValue(0), 4.0f);
}

}  // namespace
}  // namespace mt52
