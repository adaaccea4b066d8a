// The calibration-history list's due colours and texts against a set clock, in each layout.
#include "browser/CalHistoryList.h"
#include "browser/BrowserFixture.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "support/FakeDialogs.h"

namespace mt52 {
namespace {

class CalHistoryListTest : public test::BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        clock_.set(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    }

    Date Now() const { return Date::FromDateTime(clock_.now()); }
    Date DaysFromNow(double days) const { return Date(Now().value() + days); }

    // One cLatestHist row: calibrated `calAgo` days ago with an interval of `limit` days.
    void AddInstrument(const QString& serial, double calAgo, Integer limit, bool enabled, const Date& written) {
        Database db = Open();
        const Long seq = db.query("SELECT COALESCE(MAX(SeqNo), 0) + 1 FROM cLatestHist").field(0).toLong();
        db.execute("INSERT INTO cLatestHist (SeqNo, SerialNo, UserID, StationID, WriteDates, CalLimit, Gas1Name, "
                   "Gas1Enable, Gas1CalDate, Gas1Before, Gas1After, Gas1AutoCal, Gas1Point, Gas2Enable, Gas2CalDate) "
                   "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                   {seq, serial, QStringLiteral("U1"), QStringLiteral(""), written, limit, QStringLiteral("CH4"),
                    enabled, DaysFromNow(-calAgo), Single(1.5f), Single(50), Single(50), Integer(1), true,
                    DaysFromNow(-3)});
    }

    static QStringList Row(const GridModel& grid, int row) {
        QStringList texts;
        for (int col = 0; col < grid.Cols(); ++col)
            texts << grid.TextMatrix(row, col);
        return texts;
    }

    ManualClock clock_;
    ScopedClock scoped_{clock_};
    test::FakeDialogs dialogs_;
    GridModel grid_;
};

TEST_F(CalHistoryListTest, DueColourAndTextFollowTheRemainingDays) {
    const Date now = Now();
    const Date calibrated(now.value() - 20);
    struct Case {
        Integer interval;
        Integer warn;
        Long colour;
        const char* text;
    } cases[] = {
        {19, 5, CalDueColor, "Now"},                 // due a day ago
        {30, 11, CalNearDueColor, "Remaining 10 Day"},
        {30, 10, 0, "Remaining 10 Day"},
        {24, 5, CalNearDueColor, "Remaining 4 Day"},
        {25, 5, 0, "Remaining 5 Day"},               // exactly the warning days is not near
        {25, 0, 0, "Remaining 5 Day"},               // no warning days, never orange
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GetCalDueColor(calibrated, c.interval, true, now, c.warn), c.colour);
        EXPECT_EQ(CalDueText(calibrated, c.interval, now), c.text);
    }
    // Half a day rounds to the even whole day; a future date counts as due.
    EXPECT_EQ(CalDueText(Date(now.value() - 19.5), 30, now), "Remaining 10 Day");
    EXPECT_EQ(CalDueText(Date(now.value() - 18.5), 30, now), "Remaining 12 Day");
    EXPECT_EQ(GetCalDueColor(Date(now.value() + 1), 365, true, now, 0), CalDueColor);
    EXPECT_EQ(CalDueText(Date(now.value() + 1), 365, now), "Now");
    // No date, a date before 2000 or a disabled gas: nothing.
    EXPECT_EQ(GetCalDueColor(calibrated, 1, false, now, 5), 0);
    EXPECT_EQ(GetCalDueColor(*Date::FromParts(1999, 12, 31), 1, true, now, 5), 0);
    EXPECT_EQ(CalDueText(InvalidDateMark, 1, now), "");
    EXPECT_EQ(FormatCalDate(Variant::Null()), "");
    EXPECT_EQ(FormatCalDate(*Date::FromParts(2024, 5, 2, 8, 30)), "2024/05/02 08:30:00");
}

TEST_F(CalHistoryListTest, EachLayoutListsAndPaintsItsRows) {
    AddInstrument("OVERDUE", 40, 30, true, DaysFromNow(-1));
    AddInstrument("FINE", 1, 30, true, DaysFromNow(-2));
    AddInstrument("NEAR", 28, 30, true, DaysFromNow(-3));
    AddInstrument("OFF", 40, 30, false, DaysFromNow(-4));
    Database db = Open();

    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 0, 5));
    ASSERT_EQ(grid_.Rows(), 3);
    EXPECT_EQ(Row(grid_, 0), QStringList({"No.", "SerialNo", "UserID", "StationID", "CH4", "", "", "", "",
                                          "Last Download"}));
    EXPECT_EQ(Row(grid_, 1).mid(0, 4), QStringList({"1", "OVERDUE", "U1", "----------------"}));
    EXPECT_EQ(grid_.TextMatrix(2, 0), "3");  // positions keep their gaps
    EXPECT_EQ(grid_.TextMatrix(1, 5), GeneralDate(DaysFromNow(-3)));
    EXPECT_EQ(grid_.CellBackColor(1, 4), CalDueColor);
    EXPECT_EQ(grid_.CellBackColor(2, 4), CalNearDueColor);
    EXPECT_TRUE(grid_.ColHidden(6) && grid_.ColHidden(7));

    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 1, 5));
    ASSERT_EQ(grid_.Rows(), 5);
    EXPECT_EQ(grid_.TextMatrix(2, 5), "");  // only the first gas in this layout
    EXPECT_EQ(grid_.TextMatrix(4, 4), "-----");
    EXPECT_EQ(grid_.CellBackColor(2, 4), 0);
    EXPECT_EQ(grid_.CellBackColor(3, 4), CalNearDueColor);
    EXPECT_EQ(grid_.CellBackColor(4, 4), 0);

    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 2, 5));
    ASSERT_EQ(grid_.Cols(), 9);
    ASSERT_EQ(grid_.Rows(), 13);
    EXPECT_FALSE(grid_.ColHidden(6) || grid_.ColHidden(7));  // shown again after layouts 0 and 1
    EXPECT_EQ(Row(grid_, 0), QStringList({"No.", "SerialNo", "UserID", "StationID", "Gas", "Before", "After",
                                          "A.Cal.", "Cal.Due(Days)"}));
    EXPECT_EQ(Row(grid_, 1).mid(4), QStringList({"CH4", "1.5", "50.0", "50.0", "Now"}));
    EXPECT_EQ(grid_.CellBackColor(1, 8), CalDueColor);
    EXPECT_EQ(Row(grid_, 2), QStringList(9, QString()));
    EXPECT_EQ(grid_.TextMatrix(4, 8), "Remaining 29 Day");
    EXPECT_EQ(Row(grid_, 10).mid(4), QStringList({"CH4", "-----", "-----", "-----", "-----"}));
}

TEST_F(CalHistoryListTest, AnEmptyTableSaysSoAndNullColumnsShowAsBlank) {
    Database db = Open();
    EXPECT_FALSE(ShowCalHistoryList(grid_, db, 2, 5));
    EXPECT_EQ(dialogs_.lastText(), "Calibration data not found.");
    EXPECT_EQ(dialogs_.shown.back().title, "Data not found");
    EXPECT_EQ(grid_.Rows(), 1);
    EXPECT_EQ(grid_.Cols(), 9);

    db.execute("INSERT INTO cLatestHist (SeqNo, Gas1Enable) VALUES (1, 1)");
    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 2, 5));
    EXPECT_EQ(Row(grid_, 1), QStringList({"1", "--------------------", "----------------", "----------------", "",
                                          "-----", "-----", "-----", ""}));
    ASSERT_TRUE(ShowCalHistoryList(grid_, db, 1, 5));
    EXPECT_EQ(grid_.TextMatrix(1, 4), "");
    EXPECT_EQ(grid_.TextMatrix(1, 9), "");
}

}  // namespace
}  // namespace mt52
