// Storing event logs and histories: one record per instrument and kind, merged entry by entry,
// each store one transaction that writes all of itself or nothing.
#include "RecordDatabase.h"

#include "instrument/clsInstrument.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsPowerEvent.h"
#include "records/clsTroubleEvent.h"
#include "support/ErrorOf.h"

namespace mt52 {
namespace {

class RecordWriters : public RecordDatabase {
protected:
    void SetUp() override {
        RecordDatabase::SetUp();
        instrument_.UserID(QStringLiteral("INST-USER"));
        instrument_.StationID(QStringLiteral("INST-ST"));
        instrument_.SerialNo(QStringLiteral("INST-SN"));
        instrument_.RomNumber(1207);
    }

    // A log of the identity U1 / S1 / N1 with two gas slots described.
    template <typename Log>
    void Describe(Log& log) {
        log.Instrument(&instrument_);
        log.GasBaseInfo(LogHeaderField::UserID, "U1");
        log.GasBaseInfo(LogHeaderField::StationID, "S1");
        log.GasBaseInfo(LogHeaderField::SerialNo, "N1");
        log.GasBaseInfo(LogHeaderField::LogNo, 4);
        log.GasListInfo(0, GasInfoField::Name, "CH4");
        log.GasListInfo(0, GasInfoField::Unit, "%LEL");
        log.GasListInfo(0, GasInfoField::Full, 100);
        log.GasListInfo(0, GasInfoField::Point, 0);
        log.GasListInfo(0, GasInfoField::Enable, true);
        log.GasListInfo(4, GasInfoField::Name, "CO");
        log.GasListInfo(4, GasInfoField::Unit, "ppm");
        log.GasListInfo(4, GasInfoField::Full, 500);
        log.GasListInfo(4, GasInfoField::Point, 1);
    }

    // Events appended through the flash decoder: gas number and event number.
    static void AddEvents(EventLogFrame& log, const Date& when, std::initializer_list<std::pair<int, int>> events) {
        log.GasBaseInfo(LogHeaderField::Dates, when);
        for (const auto& [gas, number] : events) {
            QByteArray bytes;
            bytes.append(static_cast<char>(0x70 + gas)).append(static_cast<char>(number));
            Integer st = 0;
            log.SetData(bytes, st);
        }
    }

    clsInstrument instrument_;
};

TEST_F(RecordWriters, AlarmEventsMergeIntoTheInstrumentsOneRecord) {
    clsAlarmEvent first;
    Describe(first);
    AddEvents(first, At(2024, 4, 1, 10), {{0, 1}, {0, 2}, {4, 1}, {0, 1}});  // the last repeats the first
    first.Update();

    const Recordset head = Rows("SELECT * FROM Log_Head");
    ASSERT_EQ(head.recordCount(), 1);
    EXPECT_EQ(head.field("Types").toLong(), 5);
    EXPECT_EQ(head.field("Names").toString(), "Alarm Events");
    EXPECT_EQ(head.field("FolderID").toString(), "-----");
    EXPECT_EQ(head.field("LogNo").toLong(), 4);
    EXPECT_EQ(head.field("RomNum").toLong(), 1207);
    EXPECT_EQ(head.field("UserID").toString(), "U1");
    EXPECT_EQ(head.field("Dates").toDate(), Now());
    EXPECT_EQ(head.field("Gas1Name").toString(), "CH4");
    EXPECT_EQ(head.field("Gas5Full").toDouble(), 500.0);
    EXPECT_EQ(head.field("Gas3Name").toString(), " ");  // blank texts are stored as one blank
    const Long key = head.field("SeqNo").toLong();

    Recordset events = Rows("SELECT * FROM Alarm_Event ORDER BY SeqNo");
    ASSERT_EQ(events.recordCount(), 3);
    EXPECT_EQ(events.field("RelNo").toLong(), key);
    EXPECT_EQ(events.field("Alarm_Type").toLong(), -103);
    EXPECT_EQ(events.field("GasName").toString(), "CH4(100%LEL)");
    EXPECT_EQ(events.field("Dates").toDate(), At(2024, 4, 1, 10));
    events.moveLast();
    EXPECT_EQ(events.field("GasNo").toLong(), 4);
    EXPECT_EQ(events.field("GasName").toString(), "CO(500.0ppm)");

    // Stored again a day later with one new event: only that one is added, and the record
    // only moves its date.
    clock_.set(QDateTime(QDate(2025, 6, 2), QTime(9, 0)));
    clsAlarmEvent second;
    Describe(second);
    second.GasBaseInfo(LogHeaderField::StationID, "s1");  // identities compare without regard to case
    AddEvents(second, At(2024, 4, 1, 10), {{0, 1}, {0, 3}});
    second.Update();
    EXPECT_EQ(Count("Log_Head"), 1);
    EXPECT_EQ(Rows("SELECT Dates FROM Log_Head").field("Dates").toDate(), Now());
    EXPECT_EQ(Count("Alarm_Event"), 4);
    EXPECT_EQ(Rows("SELECT RelNo FROM Alarm_Event WHERE Alarm_Type = -104").field("RelNo").toLong(), key);
}

TEST_F(RecordWriters, TroubleEventsAreAllStoredByTheFirstStoreAndTheBodyHasNoSlot) {
    clsTroubleEvent log;
    Describe(log);
    AddEvents(log, At(2024, 4, 2), {{15, 16}, {15, 16}, {1, 17}});
    log.Update();
    EXPECT_EQ(Rows("SELECT Types FROM Log_Head").field("Types").toLong(), 6);
    EXPECT_TRUE(Rows("SELECT LogNo FROM Log_Head").field("LogNo").isNull());
    // The log that makes the record stores every event, the two equal ones included.
    ASSERT_EQ(Count("Trouble_Event"), 3);
    EXPECT_EQ(Rows("SELECT COUNT(*) AS n FROM Trouble_Event WHERE GasNo = 15").field("n").toLong(), 2);
    EXPECT_EQ(Rows("SELECT GasName FROM Trouble_Event WHERE GasNo = 15").field("GasName").toString(), "Body");
    EXPECT_EQ(Rows("SELECT GasName FROM Trouble_Event WHERE GasNo = 1").field("GasName").toString(), "----(---)");
    // Stored again, into the record that is there now: nothing is added.
    log.Update();
    EXPECT_EQ(Count("Trouble_Event"), 3);
}

TEST_F(RecordWriters, EventLogsThatCannotBeStoredWriteNothing) {
    // A gas number without a slot (alarm logs have no body), found before anything is written.
    clsAlarmEvent bodyAlarm;
    Describe(bodyAlarm);
    AddEvents(bodyAlarm, At(2024, 1, 1), {{0, 1}, {15, 1}});
    EXPECT_EQ(ErrorOf([&] { bodyAlarm.Update(); }), ErrSubscript);
    clsTroubleEvent slot7;
    Describe(slot7);
    AddEvents(slot7, At(2024, 1, 1), {{7, 1}});
    EXPECT_EQ(ErrorOf([&] { slot7.Update(); }), ErrSubscript);

    // A faulty log of an instrument without a record; a log without events; no instrument.
    clsAlarmEvent faulty;
    Describe(faulty);
    AddEvents(faulty, At(2024, 1, 1), {{0, 1}});
    faulty.Error(true);
    faulty.Update();
    clsAlarmEvent empty;
    Describe(empty);
    empty.Update();
    clsAlarmEvent orphan;
    Describe(orphan);
    orphan.Instrument(nullptr);
    AddEvents(orphan, At(2024, 1, 1), {{0, 1}});
    EXPECT_EQ(ErrorOf([&] { orphan.Update(); }), ErrObjectNotSet);
    EXPECT_EQ(Count("Log_Head"), 0);
    EXPECT_EQ(Count("Alarm_Event"), 0);
    EXPECT_EQ(Count("Trouble_Event"), 0);

    // A failure after the header row was written takes the header back with it.
    Database(path_).execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON Alarm_Event BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    clsAlarmEvent refused;
    Describe(refused);
    AddEvents(refused, At(2024, 1, 1), {{0, 1}});
    EXPECT_EQ(ErrorOf([&] { refused.Update(); }), ErrDatabase);
    EXPECT_EQ(Count("Log_Head"), 0);

    // With its record present, a faulty log adds its events.
    Database(path_).execute(QStringLiteral("DROP TRIGGER refuse"));
    refused.Update();
    faulty.Update();
    EXPECT_EQ(Count("Log_Head"), 1);
    EXPECT_EQ(Count("Alarm_Event"), 1);
}

TEST_F(RecordWriters, PowerEventsTakeTheInstrumentsIdentityAndOneEntryPerMoment) {
    clsPowerEvent log;
    Describe(log);
    for (const char* line : {"01FD2404011015001111    ", "01FD2404011015000000    ", "01FD2404011115000000    "})
        log.SetDataF0(QString::fromLatin1(line), false);
    ASSERT_EQ(log.DataCount(), 3);
    log.Update();

    const Recordset head = Rows("SELECT * FROM Log_Head");
    EXPECT_EQ(head.field("Types").toLong(), 7);
    EXPECT_EQ(head.field("Names").toString(), "Power Events");
    EXPECT_EQ(head.field("UserID").toString(), "INST-USER");
    EXPECT_EQ(head.field("SerialNo").toString(), "INST-SN");
    EXPECT_EQ(head.field("Gas1Name").toString(), "CH4");
    EXPECT_TRUE(head.field("Gas5Name").isNull());
    Recordset entries = Rows("SELECT * FROM Power_Event ORDER BY Dates");
    ASSERT_EQ(entries.recordCount(), 2);
    EXPECT_TRUE(entries.field("Power_Type").toBool());
    EXPECT_EQ(entries.field("Dates").toDate(), At(2024, 4, 1, 10, 15));
    entries.moveNext();
    EXPECT_FALSE(entries.field("Power_Type").toBool());
}

TEST_F(RecordWriters, HistoriesReplaceTheirHeaderAndAddNewDatesOnly) {
    clsHistory history;
    Describe(history);
    history.AddHistory(0, At(2024, 3, 1, 9), 0.5f, 50.0f, QStringLiteral("CH4"), 1);
    history.AddHistory(4, At(2024, 3, 1, 9), 1.0f, 250.0f, QStringLiteral("CO"), 0);
    history.AddHistory(0, At(2024, 3, 2, 9), 0.0f, 49.0f, QStringLiteral("CH4"), 1);
    history.HistoryUpdate();

    const Recordset head = Rows("SELECT * FROM Log_Head");
    EXPECT_EQ(head.field("Types").toLong(), 3);
    EXPECT_EQ(head.field("Names").toString(), "Calibration Histories");
    const Long key = head.field("SeqNo").toLong();
    Recordset rows = Rows("SELECT * FROM cHistory ORDER BY Dates");
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.field("RelNo").toLong(), key);
    EXPECT_EQ(rows.field("Gas1Before").toDouble(), 0.5);
    EXPECT_EQ(rows.field("Gas5After").toDouble(), 250.0);
    EXPECT_EQ(rows.field("Gas1Name").toString(), "CH4");
    EXPECT_EQ(rows.field("WriteDates").toDate(), Now());

    // Stored again with a new date and a new description: same key, header replaced, one row added.
    history.GasListInfo(0, GasInfoField::Name, "Methane");
    history.AddHistory(0, At(2024, 3, 3, 9), 0.0f, 51.0f, QStringLiteral("CH4"), 1);
    history.HistoryUpdate();
    EXPECT_EQ(Count("Log_Head"), 1);
    EXPECT_EQ(Rows("SELECT SeqNo, Gas1Name FROM Log_Head").field("Gas1Name").toString(), "Methane");
    EXPECT_EQ(Rows("SELECT SeqNo FROM Log_Head").field("SeqNo").toLong(), key);
    EXPECT_EQ(Count("cHistory"), 3);

    // A bump test is its own record, with its judgements; without entries only the header.
    clsHistory bump;
    Describe(bump);
    bump.GasBaseInfo(LogHeaderField::Sampling, 1);
    bump.HistoryUpdate();
    EXPECT_EQ(Count("Bump"), 0);
    ASSERT_EQ(Count("Log_Head"), 2);
    bump.AddHistory(0, At(2024, 5, 5), 5.0f, 50.0f, QStringLiteral("CH4"), 0);
    bump.Judge(0, 0, 2.0f);
    bump.HistoryUpdate();
    const Recordset stored = Rows("SELECT * FROM Bump");
    ASSERT_EQ(stored.recordCount(), 1);
    EXPECT_EQ(stored.field("Gas1Judge").toLong(), 2);
    EXPECT_EQ(Rows("SELECT Names FROM Log_Head WHERE Types = 10").field("Names").toString(), "Bump Test");
}

TEST_F(RecordWriters, HistoryKeysGrowPast16Bits) {
    Insert("cHistory", {{"SeqNo", Long{40000}}, {"RelNo", Long{999}}});
    clsHistory history;
    Describe(history);
    history.AddHistory(0, At(2024, 3, 1), 1.0f, 2.0f, QString(), 0);
    history.HistoryUpdate();
    EXPECT_EQ(Rows("SELECT MAX(SeqNo) AS m FROM cHistory").field("m").toLong(), 40001);
}

}  // namespace
}  // namespace mt52
