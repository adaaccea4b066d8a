// The event list reports (alarm, trouble and power events, sensor history), read from a fixture
// database by record number.
#include "PdfPrinting.h"
#include "PdfReading.h"
#include "ReportFixture.h"
#include "records/RecordDatabase.h"
#include "support/FakeDialogs.h"

#include "platform/RuntimeError.h"
#include "printing/EventListReport.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

using L = QStringList;

class EventListReportTest : public RecordDatabase {
protected:
    void SetUp() override {
        RecordDatabase::SetUp();
        options.databasePath = path_;
    }

    void Head(Long seqNo, Long kind) {
        Insert(QStringLiteral("Log_Head"), {{"SeqNo", seqNo},
                                            {"Types", kind},
                                            {"SerialNo", QStringLiteral("SN0042")},
                                            {"StationID", QStringLiteral("STATION-A")},
                                            {"UserID", QStringLiteral("USER-7")},
                                            {"Dates", At(2024, 5, 6, 9, 30)}});
    }
    void AlarmEvent(const QString& table, Long relNo, const Date& when, const Variant& gas, const Variant& code) {
        Insert(table, {{"RelNo", relNo}, {"GasNo", Long(1)}, {"GasName", gas}, {"Alarm_Type", code}, {"Dates", when}});
    }
    void PowerEvent(Long relNo, const Date& when, const Variant& on) {
        Insert(QStringLiteral("Power_Event"), {{"RelNo", relNo}, {"LogCnt", Long(1)}, {"Dates", when}, {"Power_Type", on}});
    }

    RecordingPrintTarget& Print(Long kind, Long seqNo, PrintTarget::Kind targetKind = PrintTarget::Kind::Printer) {
        ReportRequest request;
        request.kind = kind;
        request.seqNo = seqNo;
        form = std::make_unique<ReportForm>(request, options);
        target = std::make_unique<RecordingPrintTarget>(targetKind);
        PrintEventList(*target, *form);
        return *target;
    }
    void Execute(const QString& sql, const std::vector<Variant>& values = {}) {
        Database db(path_);
        db.execute(sql, values);
    }
    // The cells of the first line whose first cell is `first`.
    QStringList Line(const QString& first) const {
        const PrintedText* t = target->Find(first);
        return t == nullptr ? QStringList() : target->RowAt(t->page, t->y);
    }

    ReportOptions options;
    std::unique_ptr<ReportForm> form;
    std::unique_ptr<RecordingPrintTarget> target;
};

// Record numbers grow past 16 bits in a database used for years; the report prints the record
// asked for, not one whose number is cut to 16 bits.
TEST_F(EventListReportTest, ARecordNumberAbove32767PrintsThatRecord) {
    Head(40000, 5);
    Head(40000 - 65536, 5);  // the record that 40000 cut to 16 bits would name
    AlarmEvent("Alarm_Event", 40000, At(2024, 5, 6, 10, 0), "CH4", Long(-104));
    Print(5, 40000);
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/06 10:00:00", "CH4", "ALARM"}));
}

TEST_F(EventListReportTest, AlarmEventsPrintNewestFirstBelowTheRecordBlock) {
    Head(7, 5);
    AlarmEvent("Alarm_Event", 7, At(2024, 5, 6, 10, 0), "CH4", Long(-104));
    AlarmEvent("Alarm_Event", 7, At(2024, 5, 6, 11, 0), "O2", Long(-103));
    AlarmEvent("Alarm_Event", 7, At(2024, 5, 6, 9, 0), "H2S", Long(-999));  // a code without text
    AlarmEvent("Alarm_Event", 8, At(2024, 5, 6, 12, 0), "CO", Long(-104));  // another record's
    const RecordingPrintTarget& t = Print(5, 7);

    EXPECT_EQ(Line("Property"), (L{"Property", "", "Value"}));
    EXPECT_EQ(Line("Serial No."), (L{"Serial No.", "", "SN0042"}));
    EXPECT_EQ(Line("Station ID"), (L{"Station ID", "", "STATION-A"}));
    EXPECT_EQ(Line("User ID"), (L{"User ID", "", "USER-7"}));
    EXPECT_EQ(Line("Last Download"), (L{"Last Download", "", "2024/05/06 09:30:00"}));
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "Gas", "Event"}));
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/06 11:00:00", "O2", "WARNING"}));
    EXPECT_EQ(Line("2"), (L{"2", "2024/05/06 10:00:00", "CH4", "ALARM"}));
    EXPECT_EQ(Line("3"), (L{"3", "2024/05/06 09:00:00", "H2S", ""}));
    EXPECT_EQ(t.Find("CO"), nullptr);
    EXPECT_EQ(t.pages, 1);

    // The number is centred in its column, the date and texts start at their column's left edge,
    // the caption is centred; a rule under the "Property" caption and one under the column caption.
    const double sw = 11340;
    EXPECT_NEAR(t.Find("1")->x, 0.02 * sw + (0.08 * sw - 90) / 2, 0.01);
    EXPECT_NEAR(t.Find("2024/05/06 11:00:00")->x, 0.10 * sw, 0.01);
    EXPECT_NEAR(t.Find("O2")->x, 0.40 * sw, 0.01);
    EXPECT_GT(t.Find("Gas")->x, static_cast<Single>(0.40 * sw));
    ASSERT_EQ(t.lines.size(), 2u);
    for (const PrintedLine& rule : t.lines) {
        EXPECT_EQ(rule.x1, 0);
        EXPECT_EQ(rule.x2, sw);
    }
}

TEST_F(EventListReportTest, EachKindPrintsItsOwnColumnsAndNullsAsEmptyCells) {
    Head(1, 6);
    AlarmEvent("Trouble_Event", 1, At(2024, 5, 6, 10, 0), "Body", Long(-150));
    AlarmEvent("Trouble_Event", 1, At(2024, 5, 6, 9, 0), Variant::Null(), Variant::Null());
    Print(6, 1);
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "Gas/Body", "Event"}));
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/06 10:00:00", "Body", "Fail(ALK.)"}));
    EXPECT_EQ(Line("2"), (L{"2", "2024/05/06 09:00:00", "", ""}));

    Head(2, 7);
    PowerEvent(2, At(2024, 5, 6, 10, 0), true);
    PowerEvent(2, At(2024, 5, 6, 9, 0), false);
    PowerEvent(2, At(2024, 5, 6, 8, 0), Variant::Null());
    Print(7, 2);
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "Power"}));
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/06 10:00:00", "ON"}));
    EXPECT_EQ(Line("2"), (L{"2", "2024/05/06 09:00:00", "OFF"}));
    EXPECT_EQ(Line("3"), (L{"3", "2024/05/06 08:00:00", ""}));

    Head(3, 8);
    Insert("SensorHistory", {{"RelNo", Long(3)}, {"Dates", At(2024, 5, 6, 10, 0)}, {"SensorNo", Long(12)},
                             {"GasName", "CO"}, {"FullScale", 500.0}});
    Insert("SensorHistory", {{"RelNo", Long(3)}, {"Dates", Variant::Null()}, {"SensorNo", Long(13)},
                             {"GasName", "H2S"}, {"FullScale", Variant::Null()}});
    const RecordingPrintTarget& t = Print(8, 3);
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "SensorNO", "Gas", "FullScale"}));
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/06 10:00:00", "12", "CO", "500"}));
    EXPECT_EQ(Line("2"), (L{"2", "", "13", "H2S", ""}));
    // Only the full scale is centred among the sensor cells.
    const double sw = 11340;
    EXPECT_NEAR(t.Find("CO")->x, 0.55 * sw, 0.01);
    EXPECT_GT(t.Find("500")->x, static_cast<Single>(0.70 * sw));
}

TEST_F(EventListReportTest, LongListsBreakPagesWithTheCaptionRepeated) {
    Head(4, 5);
    for (int i = 0; i < 150; ++i)
        AlarmEvent("Alarm_Event", 4, At(2024, 5, 6, 0, 0).addSeconds(60.0 * i), "CH4", Long(-104));
    const RecordingPrintTarget& t = Print(5, 4);
    ASSERT_GE(t.pages, 3);
    int next = 1;
    for (int page = 1; page <= t.pages; ++page) {
        SCOPED_TRACE(page);
        const QStringList texts = t.TextsOn(page);
        EXPECT_EQ(texts.count("No"), 1);
        EXPECT_EQ(texts.contains("Property"), page == 1);
        const PrintedText* caption = nullptr;
        for (const PrintedText& text : t.texts)
            if (text.page == page && text.text == "No")
                caption = &text;
        ASSERT_NE(caption, nullptr);
        if (page > 1) {
            EXPECT_DOUBLE_EQ(caption->y, 0.1 * 11340);
        }
        bool rows = false;
        for (const PrintedText& text : t.texts) {
            if (text.page == page && text.text == QString::number(next) && text.x < 0.1 * 11340) {
                ++next;
                rows = true;
                // A row starts within the page; the break follows the row that passes 95 %.
                EXPECT_LT(text.y, 0.95 * 16272 + 1);
            }
        }
        EXPECT_TRUE(rows);
    }
    EXPECT_EQ(next, 151);

    // Off the printer (the preview) at most 30 entries, on one page.
    const RecordingPrintTarget& preview = Print(5, 4, PrintTarget::Kind::ReportForm);
    EXPECT_EQ(preview.pages, 1);
    EXPECT_NE(preview.Find("30"), nullptr);
    EXPECT_EQ(preview.Find("31"), nullptr);
}

TEST_F(EventListReportTest, ListEndingExactlyAtTheFootStartsNoEmptyPage) {
    Head(4, 7);
    // Find how many rows fill the first page, then print exactly that many.
    for (int i = 0; i < 100; ++i)
        PowerEvent(4, At(2024, 5, 6, 0, 0).addSeconds(-60.0 * i), true);
    const RecordingPrintTarget& full = Print(7, 4);
    int firstPage = 0;
    for (const PrintedText& text : full.texts)
        if (text.page == 1 && text.text == "ON")
            ++firstPage;
    Execute(QStringLiteral("DELETE FROM Power_Event WHERE SeqNo > ?"), {Long(firstPage)});
    const RecordingPrintTarget& t = Print(7, 4);
    EXPECT_EQ(t.pages, 1);
    EXPECT_NE(t.Find(QString::number(firstPage)), nullptr);
}

TEST_F(EventListReportTest, EmptyListAndMissingSensorTablePrintTheBlockOnly) {
    Head(5, 5);
    const RecordingPrintTarget& empty = Print(5, 5);
    EXPECT_NE(empty.Find("Last Download"), nullptr);
    EXPECT_EQ(empty.Find("No"), nullptr);
    EXPECT_EQ(empty.lines.size(), 1u);

    Head(6, 8);
    Execute(QStringLiteral("DROP TABLE SensorHistory"));
    const RecordingPrintTarget& t = Print(8, 6);
    EXPECT_NE(t.Find("Serial No."), nullptr);
    EXPECT_EQ(t.Find("No"), nullptr);

    // A kind without a list prints two blank lines and reads nothing.
    const RecordingPrintTarget& other = Print(12, 999);
    EXPECT_EQ(other.TextsOn(1), (L{"", ""}));
}

TEST_F(EventListReportTest, MissingRecordIsReportedBeforeAnythingPrints) {
    try {
        Print(5, 99);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrDatabase);
        EXPECT_TRUE(e.description().contains(QStringLiteral("99")));
    }
    EXPECT_TRUE(target->texts.empty());
    EXPECT_TRUE(target->lines.empty());

    // Through the job: the document is dropped unfinished and the user is told.
    FakeDialogs dialogs;
    FakePrinters printers;
    FakeChooser chooser;
    ReportJob job(printers, chooser);
    ReportRequest request;
    request.kind = 5;
    request.seqNo = 99;
    EXPECT_EQ(job.GoPrinter(request, options), ReportOutcome::Failed);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_FALSE(printers.documents[0].ended);
    EXPECT_TRUE(dialogs.lastText().contains(QStringLiteral("The record No. 99 is no longer in the database.")));
}

TEST_F(EventListReportTest, HundredFiftyRowsOverSeveralPdfPages) {
    if (!PdfToolsPresent())
        GTEST_SKIP() << "poppler-utils are not installed";
    Head(4, 5);
    for (int i = 0; i < 150; ++i)
        AlarmEvent("Alarm_Event", 4, At(2024, 5, 6, 0, 0).addSeconds(60.0 * i), "CH4", Long(-104));
    const QString pdf = dir_.filePath(QStringLiteral("events.pdf"));
    FakeDialogs dialogs;
    ReportRequest request;
    request.kind = 5;
    request.seqNo = 4;
    ASSERT_EQ(PrintToPdf(dialogs, request, options, pdf), ReportOutcome::Printed);

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 2);
    int next = 150;  // newest first: number 1 is the last stored minute
    int number = 1;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = PdfLines(pages[p]);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("MT-52 Data Logger (Alarm Event)")));
        EXPECT_TRUE(lines.contains(QStringLiteral("No Date/Time Gas Event")));
        EXPECT_EQ(lines.contains(QStringLiteral("Serial No. SN0042")), p == 0);
        for (const QString& line : lines) {
            const Date when = At(2024, 5, 6, 0, 0).addSeconds(60.0 * (next - 1));
            if (line == QStringLiteral("%1 %2 CH4 ALARM").arg(number).arg(GeneralDate(when))) {
                ++number;
                --next;
            }
        }
    }
    EXPECT_EQ(number, 151);
}

}  // namespace
}  // namespace mt52::test
