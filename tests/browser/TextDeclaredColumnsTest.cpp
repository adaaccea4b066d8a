// A database made by another tool: the program's tables with every date and Yes/No column
// declared TEXT, holding the same date texts and 0/1 values. The calibration-history list and
// the detail grid read them as dates and Yes/No values; a text that is no date is a damaged row.
#include "browser/BrowserFixture.h"
#include "browser/CalHistoryList.h"
#include "browser/LogDetail.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "platform/RuntimeError.h"
#include "support/FakeDialogs.h"

#include <QFile>
#include <functional>

namespace mt52 {
namespace {

class TextDeclaredColumnsTest : public test::BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        QStringList statements = SchemaStatements();
        for (QString& statement : statements)
            statement.replace(SqlTypeOf(ColumnType::Date), QStringLiteral("TEXT"))
                .replace(SqlTypeOf(ColumnType::YesNo), QStringLiteral("TEXT"));
        ASSERT_TRUE(QFile::remove(State().DatabasePath));
        CreateDatabaseFile(State().DatabasePath, statements);
        clock_.set(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    }

    // One cLatestHist row; `calDate` as the column should hold it (a date or a text).
    void AddInstrument(Long seq, const QString& serial, const Variant& calDate, Integer limit) {
        Open().execute("INSERT INTO cLatestHist (SeqNo, SerialNo, UserID, WriteDates, CalLimit, Gas1Name, Gas1Enable, "
                       "Gas1CalDate) VALUES (?,?,'U1',?,?,'CH4',1,?)",
                       {seq, serial, *Date::FromParts(2024, 5, 31, 8), limit, calDate});
    }
    void AddTrendHeader(const Variant& last, const Variant& enable = true) {
        Open().execute("INSERT INTO Log_Head (SeqNo, Types, Names, Dates, Last, SerialNo, UserID, Dcount, Interval, "
                       "FolderID, Gas1Name, Gas1Unit, Gas1Full, Gas1Point, Gas1Enable, Gas1Max, Gas1MaxDate) "
                       "VALUES (5, 1, 'rec5', ?, ?, 'SN1', 'U1', 60, 10, '05/24', 'CH4', '%LEL', 100, 1, ?, 40, ?)",
                       {*Date::FromParts(2024, 5, 20, 12), last, enable, *Date::FromParts(2024, 5, 20, 12, 30)});
    }
    void ShowDetail() {
        Database db = Open();
        ShowLogDetail(grid_, db, QStringLiteral("5 G"), {});
    }

    ManualClock clock_;
    ScopedClock scoped_{clock_};
    test::FakeDialogs dialogs_;
    GridModel grid_;
};

TEST_F(TextDeclaredColumnsTest, NeedCalibrationListsTheOverdueInstruments) {
    AddInstrument(1, "OVERDUE", *Date::FromParts(2024, 4, 1, 9, 30), 30);
    AddInstrument(2, "FINE", *Date::FromParts(2024, 5, 30), 30);
    AddInstrument(3, "DAYONLY", QStringLiteral("2024-04-02"), 30);  // the date alone, as a tool may write it
    Database db = Open();
    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 0, 5));
    ASSERT_EQ(grid_.Rows(), 3);
    EXPECT_EQ(grid_.TextMatrix(1, 1), "OVERDUE");
    EXPECT_EQ(grid_.TextMatrix(1, 4), "2024/04/01 09:30:00");
    EXPECT_EQ(grid_.TextMatrix(1, 9), "2024/05/31 08:00:00");
    EXPECT_EQ(grid_.CellBackColor(1, 4), CalDueColor);
    EXPECT_EQ(grid_.TextMatrix(2, 1), "DAYONLY");
    EXPECT_EQ(grid_.TextMatrix(2, 4), "2024/04/02");
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(TextDeclaredColumnsTest, TheDetailGridShowsDatesThePeriodsEndAndTheMaximumTime) {
    AddTrendHeader(*Date::FromParts(2024, 5, 20, 13));
    ShowDetail();
    EXPECT_EQ(grid_.TextMatrix(2, 1), "2024/05/20 12:00:00 to 2024/05/20 13:00:00");
    EXPECT_EQ(grid_.TextMatrix(10, 1), "40.0 %LEL");
    EXPECT_EQ(grid_.TextMatrix(11, 1), "05/20 12:30:00");
}

// A text in a date or Yes/No column that is none is reported with the column's name.
TEST_F(TextDeclaredColumnsTest, AColumnHoldingNoDateOrYesNoIsADamagedRow) {
    const struct {
        const char* column;
        std::function<void()> run;
    } cases[] = {
        {"Gas1CalDate",
         [this] {
             AddInstrument(1, "A1", QStringLiteral("soon"), 30);
             Database db = Open();
             ShowCalHistoryList(grid_, db, 0, 5);
         }},
        {"Last",
         [this] {
             AddTrendHeader(QStringLiteral("2024-05-20 25:00:00"));
             ShowDetail();
         }},
        {"Gas1Enable",
         [this] {
             AddTrendHeader(*Date::FromParts(2024, 5, 20, 13), QStringLiteral("yes"));
             ShowDetail();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        Open().execute("DELETE FROM cLatestHist");
        Open().execute("DELETE FROM Log_Head");
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrTypeMismatch);
            EXPECT_TRUE(e.description().contains(QLatin1String(c.column))) << e.description().toStdString();
        }
    }
}

}  // namespace
}  // namespace mt52
