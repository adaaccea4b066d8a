// The one entry point of the record tables: each kind reaches its table, the event kinds
// read the database at the program's database path, and kinds without a table leave it alone.
#include "common/ModuleState.h"
#include "records/RecordDatabase.h"
#include "records/clsSnapShot.h"
#include "views/RecordTableFixture.h"
#include "views/RecordTables.h"
#include "views/ViewRecords.h"

namespace mt52 {
namespace {

class RecordTables : public RecordDatabase {
protected:
    void SetUp() override {
        RecordDatabase::SetUp();
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        RecordDatabase::TearDown();
    }
    void Fill(int logType, Long seqNo) { FillRecordTable(logType, seqNo, records_, table_, summary_, options_); }

    ViewRecords records_;
    GridModel table_;
    GridModel summary_;
    RecordTableOptions options_;
};

TEST_F(RecordTables, EachKindFillsItsOwnTable) {
    Insert("Log_Head", {{"SeqNo", Long{5}}, {"Types", Long{5}}});
    Insert("Alarm_Event", {{"RelNo", Long{5}}, {"Dates", At(2024, 3, 5, 9)}, {"GasName", "CH4"},
                           {"Alarm_Type", Long{-104}}});
    Fill(5, 5);
    EXPECT_EQ(table_.Rows(), 2);
    EXPECT_EQ(table_.TextMatrix(1, 3), "ALARM");

    records_.SnapShot().GasValue(0, -121.0f);
    Fill(11, 0);
    EXPECT_EQ(table_.Cols(), 3);
    EXPECT_EQ(table_.TextMatrix(1, 2), "*****");

    Fill(2, 0);
    EXPECT_EQ(table_.Cols(), 6);
    EXPECT_EQ(table_.Rows(), 1);
}

TEST_F(RecordTables, KindsWithoutATableLeaveItAsItWas) {
    table_.SetCols(2);
    table_.SetRows(2);
    table_.SetTextMatrix(1, 1, "kept");
    for (const int kind : {9, 4, 12, 0})
        Fill(kind, 1);
    EXPECT_EQ(table_.TextMatrix(1, 1), "kept");
    EXPECT_EQ(table_.Cols(), 2);
}

}  // namespace
}  // namespace mt52
