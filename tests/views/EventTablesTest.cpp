// The event and sensor-history tables read from the database: newest rows first, event words,
// power states, the sensor history's summary, and empty cells for what is missing (a Log_Head
// row, the SensorHistory table, Null values).
#include "platform/Database.h"
#include "records/RecordDatabase.h"
#include "views/EventTables.h"
#include "views/RecordTableFixture.h"

namespace mt52 {
namespace {

using test::RowTexts;

class EventTables : public RecordDatabase {
protected:
    void SetUp() override {
        RecordDatabase::SetUp();
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        RecordDatabase::TearDown();
    }

    void Head(Long seqNo, Long types) {
        Insert("Log_Head", {{"SeqNo", seqNo}, {"Types", types}, {"SerialNo", "SN7"}, {"UserID", "U1"},
                            {"StationID", "ST"}, {"Dates", At(2024, 3, 5, 12, 30)}});
    }
    void Event(const QString& table, Long relNo, const Date& when, const Variant& gas, const Variant& code) {
        Insert(table, {{"RelNo", relNo}, {"Dates", when}, {"GasName", gas}, {"Alarm_Type", code}});
    }
    void Fill(int logType, Long seqNo) {
        Database db(path_);
        FillEventTable(logType, seqNo, db, table_, summary_);
    }
    QString Time(int hour) const { return GeneralDate(At(2024, 3, 5, hour)); }

    GridModel table_;
    GridModel summary_;
};

TEST_F(EventTables, AlarmEventsAreListedNewestFirstWithTheirEventWords) {
    Head(7, 5);
    Event("Alarm_Event", 7, At(2024, 3, 5, 10), "CH4", Long{-104});
    Event("Alarm_Event", 7, At(2024, 3, 5, 12), Variant::Null(), Long{-103});
    Event("Alarm_Event", 7, At(2024, 3, 5, 11), "O2", Long{-999});
    Event("Alarm_Event", 8, At(2024, 3, 5, 13), "CO", Long{-104});  // another entry's
    Fill(5, 7);

    ASSERT_EQ(table_.Rows(), 4);
    EXPECT_EQ(RowTexts(table_, 0), (QStringList{"No", "Date/Time", "Gas", "Event"}));
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", Time(12), "", "WARNING"}));
    EXPECT_EQ(RowTexts(table_, 2), (QStringList{"2", Time(11), "O2", ""}));
    EXPECT_EQ(RowTexts(table_, 3), (QStringList{"3", Time(10), "CH4", "ALARM"}));
    EXPECT_EQ(table_.CellAlignment(1, 0), AlignCenterCenter);
    EXPECT_EQ(table_.CellAlignment(1, 2), AlignLeftCenter);
    EXPECT_EQ(table_.CellAlignment(0, 2), AlignCenterCenter);
    EXPECT_EQ(table_.CellBackColor(1, 3), 0);
}

TEST_F(EventTables, TroubleEventsDifferOnlyInTheirTableAndHeading) {
    Head(3, 6);
    Event("Trouble_Event", 3, At(2024, 3, 5, 9), "BODY", Long{-151});
    Event("Alarm_Event", 3, At(2024, 3, 5, 10), "CH4", Long{-104});
    Fill(6, 3);

    ASSERT_EQ(table_.Rows(), 2);
    EXPECT_EQ(table_.TextMatrix(0, 2), "Gas/Body");
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", Time(9), "BODY", "Fail(Li-ion)"}));
}

TEST_F(EventTables, PowerEventsShowOnOffAndNothingForANullState) {
    Head(4, 7);
    Insert("Power_Event", {{"RelNo", Long{4}}, {"Dates", At(2024, 3, 5, 9)}, {"Power_Type", true}});
    Insert("Power_Event", {{"RelNo", Long{4}}, {"Dates", At(2024, 3, 5, 10)}, {"Power_Type", false}});
    Insert("Power_Event", {{"RelNo", Long{4}}, {"Dates", At(2024, 3, 5, 11)}});
    Insert("Power_Event", {{"RelNo", Long{4}}});
    Fill(7, 4);

    ASSERT_EQ(table_.Cols(), 3);
    ASSERT_EQ(table_.Rows(), 5);
    EXPECT_EQ(RowTexts(table_, 0), (QStringList{"No", "Date/Time", "Power"}));
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", Time(11), ""}));
    EXPECT_EQ(RowTexts(table_, 2), (QStringList{"2", Time(10), "OFF"}));
    EXPECT_EQ(RowTexts(table_, 3), (QStringList{"3", Time(9), "ON"}));
    EXPECT_EQ(RowTexts(table_, 4), (QStringList{"4", "", ""}));
}

TEST_F(EventTables, AnEntryWithoutEventsShowsItsCentredHeadingAlone) {
    Head(7, 5);
    Fill(5, 7);
    ASSERT_EQ(table_.Rows(), 1);
    EXPECT_EQ(table_.CellAlignment(0, 3), AlignCenterCenter);
}

TEST_F(EventTables, ASensorHistoryFillsItsSummaryAndTable) {
    Head(9, 8);
    Insert("SensorHistory", {{"RelNo", Long{9}}, {"Dates", At(2024, 3, 5, 9)}, {"SensorNo", Long{2}},
                             {"GasName", "O2"}, {"FullScale", 25.0}});
    Insert("SensorHistory", {{"RelNo", Long{9}}, {"Dates", At(2024, 3, 5, 10)}, {"SensorNo", Long{1}}});
    Fill(8, 9);

    ASSERT_EQ(summary_.Rows(), 4);
    ASSERT_EQ(summary_.Cols(), 2);
    EXPECT_EQ(RowTexts(summary_, 0), (QStringList{"Property", "Value"}));
    EXPECT_EQ(RowTexts(summary_, 1), (QStringList{"Serial No.", "SN7"}));
    EXPECT_EQ(RowTexts(summary_, 2), (QStringList{"User ID", "U1"}));
    EXPECT_EQ(RowTexts(summary_, 3), (QStringList{"Last Download", GeneralDate(At(2024, 3, 5, 12, 30))}));
    EXPECT_EQ(summary_.CellAlignment(2, 1), AlignLeftCenter);

    ASSERT_EQ(table_.Rows(), 3);
    EXPECT_EQ(RowTexts(table_, 0), (QStringList{"No", "Date/Time", "SensorNO", "Gas", "FullScale"}));
    EXPECT_EQ(RowTexts(table_, 1), (QStringList{"1", Time(10), "1", "", ""}));
    EXPECT_EQ(RowTexts(table_, 2), (QStringList{"2", Time(9), "2", "O2", "25"}));
    EXPECT_EQ(table_.CellAlignment(1, 4), AlignCenterCenter);
    EXPECT_EQ(table_.CellAlignment(1, 3), AlignLeftCenter);
}

TEST_F(EventTables, ADatabaseWithoutASensorHistoryTableShowsTheHeadingAlone) {
    Head(9, 8);
    Database(path_).execute("DROP TABLE SensorHistory");
    Fill(8, 9);

    EXPECT_EQ(table_.Rows(), 1);
    EXPECT_EQ(table_.TextMatrix(0, 2), "SensorNO");
    EXPECT_EQ(summary_.TextMatrix(1, 1), "SN7");
}

TEST_F(EventTables, AMissingHeaderRowGivesEmptyValuesAndNoRows) {
    Insert("SensorHistory", {{"RelNo", Long{9}}, {"Dates", At(2024, 3, 5, 9)}, {"SensorNo", Long{2}}});
    Fill(8, 9);

    EXPECT_EQ(table_.Rows(), 1);
    EXPECT_EQ(RowTexts(summary_, 1), (QStringList{"Serial No.", ""}));
    EXPECT_EQ(RowTexts(summary_, 3), (QStringList{"Last Download", ""}));
}

}  // namespace
}  // namespace mt52
