// The calibration history and bump test report, loaded by record number from a fixture database.
#include "PdfPrinting.h"
#include "PdfReading.h"
#include "ReportFixture.h"
#include "records/RecordDatabase.h"
#include "support/FakeDialogs.h"

#include "platform/RuntimeError.h"
#include "printing/CalibrationHistoryReport.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

using L = QStringList;

class CalibrationHistoryReportTest : public RecordDatabase {
protected:
    void SetUp() override {
        RecordDatabase::SetUp();
        options.databasePath = path_;
    }

    // A record with CH4 in %LEL (slot 0), O2 in % with one decimal (slot 1), no gas in slots 2
    // and 3, and CH4 in vol% with two decimals (slot 4).
    void Head(Long seqNo, Long kind) {
        Columns c{{"SeqNo", seqNo},
                  {"Types", kind},
                  {"SerialNo", QStringLiteral("SN0042")},
                  {"StationID", QStringLiteral("STATION-A")},
                  {"UserID", QStringLiteral("USER-7")},
                  {"Dates", At(2024, 5, 6, 9, 30)}};
        const struct {
            int group;
            const char* name;
            double full;
            Long point;
            const char* unit;
        } gases[] = {{1, "CH4", 100, 0, "%LEL"}, {2, "O2", 25, 1, "%"}, {5, "CH4", 5, 2, "vol%"}};
        for (const auto& g : gases) {
            c.push_back({QStringLiteral("Gas%1Name").arg(g.group), g.name});
            c.push_back({QStringLiteral("Gas%1Full").arg(g.group), g.full});
            c.push_back({QStringLiteral("Gas%1Point").arg(g.group), g.point});
            c.push_back({QStringLiteral("Gas%1Unit").arg(g.group), g.unit});
            c.push_back({QStringLiteral("Gas%1Enable").arg(g.group), true});
        }
        Insert(QStringLiteral("Log_Head"), c);
    }
    // One entry: the same before / after (and judgement) for every gas slot.
    void Entry(const QString& table, Long relNo, const Date& when, double before, double after, Long judge = 2) {
        Columns c{{"RelNo", relNo}, {"Dates", when}};
        for (int group = 1; group <= 5; ++group) {
            c.push_back({QStringLiteral("Gas%1Before").arg(group), before});
            c.push_back({QStringLiteral("Gas%1After").arg(group), after});
            if (table == QStringLiteral("Bump"))
                c.push_back({QStringLiteral("Gas%1Judge").arg(group), judge});
        }
        Insert(table, c);
    }

    void Execute(const QString& sql) {
        Database db(path_);
        db.execute(sql);
    }
    RecordingPrintTarget& Print(Long kind, Long seqNo, PrintTarget::Kind targetKind = PrintTarget::Kind::Printer) {
        ReportRequest request;
        request.kind = kind;
        request.seqNo = seqNo;
        form = std::make_unique<ReportForm>(request, options);
        target = std::make_unique<RecordingPrintTarget>(targetKind);
        PrintCalibrationHistory(*target, *form);
        return *target;
    }
    QStringList Line(const QString& first, int nth = 0) const {
        for (const PrintedText& t : target->texts)
            if (t.text == first && nth-- == 0)
                return target->RowAt(t.page, t.y);
        return {};
    }

    ReportOptions options;
    std::unique_ptr<ReportForm> form;
    std::unique_ptr<RecordingPrintTarget> target;
};

TEST_F(CalibrationHistoryReportTest, CalibrationEntriesPrintBeforeAndAfterPerGas) {
    Head(3, 3);
    Entry("cHistory", 3, At(2024, 5, 1, 8, 0), 1, 50);
    Entry("cHistory", 3, At(2024, 5, 2, 8, 0), 2.26, -131);  // -131: a span failure
    const RecordingPrintTarget& t = Print(3, 3);

    EXPECT_EQ(t.texts.front().y, 16272 / 20.0);
    EXPECT_EQ(Line("Property"), (L{"Property", "", "Value"}));
    EXPECT_EQ(Line("Serial No."), (L{"Serial No.", "", "SN0042"}));
    EXPECT_EQ(Line("Last Download"), (L{"Last Download", "", "2024/05/06 09:30:00"}));
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "", "CH4(100%LEL)", "O2(25.0%)", "CH4(5.00vol%)"}));
    // Newest first; a number gets its unit after a blank, a status text none.
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/02 08:00:00", "Before", " 2%LEL", " 2.3%", " 2.26vol%"}));
    EXPECT_EQ(Line("After"), (L{"", "", "After", "Fail(Span)", "Fail(Span)", "Fail(Span)"}));
    EXPECT_EQ(Line("2"), (L{"2", "2024/05/01 08:00:00", "Before", " 1%LEL", " 1.0%", " 1.00vol%"}));
    EXPECT_EQ(Line("After", 1), (L{"", "", "After", " 50%LEL", " 50.0%", " 50.00vol%"}));
    EXPECT_EQ(t.Find("Judge"), nullptr);

    // The rules: under the property caption, under the column caption, and the closing line four
    // times as thick.
    ASSERT_EQ(t.lines.size(), 3u);
    EXPECT_EQ(t.lines.back().width, 4);
    EXPECT_EQ(target->DrawWidth, 1);
}

TEST_F(CalibrationHistoryReportTest, BumpTestsPrintTheJudgementAndEmptySlotsAsDashes) {
    Head(10, 10);
    Entry("Bump", 10, At(2024, 5, 3, 8, 0), 48, 50, 2);
    Entry("Bump", 10, At(2024, 5, 2, 8, 0), 20, 50, 1);
    Entry("Bump", 10, At(2024, 5, 1, 8, 0), 0, 50, 0);
    // Slot 1 without a gas: dashes on every line of its column.
    Execute(QStringLiteral("UPDATE Log_Head SET Gas2Name = '  ' WHERE SeqNo = 10"));
    Print(10, 10);
    EXPECT_EQ(Line("No"), (L{"No", "Date/Time", "", "CH4(100%LEL)", "----(---)", "CH4(5.00vol%)"}));
    EXPECT_EQ(Line("1"), (L{"1", "2024/05/03 08:00:00", "Test Result", " 48%LEL", "-----", " 48.00vol%"}));
    EXPECT_EQ(Line("Concentration"), (L{"", "", "Concentration", " 50%LEL", "-----", " 50.00vol%"}));
    EXPECT_EQ(Line("Judge"), (L{"", "", "Judge", "PASS", "-----", "PASS"}));
    EXPECT_EQ(Line("Judge", 1), (L{"", "", "Judge", "FAIL", "-----", "FAIL"}));
    EXPECT_EQ(Line("Judge", 2), (L{"", "", "Judge", "-----", "-----", "-----"}));
}

TEST_F(CalibrationHistoryReportTest, LongHistoriesBreakOnlyBetweenEntries) {
    Head(10, 10);
    for (int i = 0; i < 120; ++i)
        Entry("Bump", 10, At(2024, 1, 1, 8, 0).addSeconds(3600.0 * i), 48, 50);
    const RecordingPrintTarget& t = Print(10, 10);
    ASSERT_GE(t.pages, 3);
    int entries = 0;
    for (int page = 1; page <= t.pages; ++page) {
        SCOPED_TRACE(page);
        const QStringList texts = t.TextsOn(page);
        EXPECT_EQ(texts.count("No"), 1);
        EXPECT_EQ(texts.contains("Property"), page == 1);
        // Every entry on the page has all three lines there.
        const int results = static_cast<int>(texts.count("Test Result"));
        EXPECT_EQ(texts.count("Concentration"), results);
        EXPECT_EQ(texts.count("Judge"), results);
        entries += results;
        for (const PrintedText& text : t.texts) {
            if (text.page == page) {
                EXPECT_LT(text.y + 180, 16272);
            }
        }
    }
    EXPECT_EQ(entries, 120);
    // The closing line ends the last page.
    EXPECT_EQ(t.lines.back().page, t.pages);
    EXPECT_EQ(t.lines.back().width, 4);

    // Off the printer at most 15 entries, on one page.
    const RecordingPrintTarget& preview = Print(10, 10, PrintTarget::Kind::ReportForm);
    EXPECT_EQ(preview.pages, 1);
    EXPECT_EQ(preview.TextsOn(1).count("Test Result"), 15);
}

TEST_F(CalibrationHistoryReportTest, EmptyHistoryAndMissingRecord) {
    Head(3, 3);
    const RecordingPrintTarget& empty = Print(3, 3);
    EXPECT_NE(empty.Find("No"), nullptr);
    EXPECT_EQ(empty.Find("Before"), nullptr);
    EXPECT_EQ(empty.lines.size(), 3u);

    try {
        Print(3, 77);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrDatabase);
        EXPECT_TRUE(e.description().contains(QStringLiteral("77")));
    }
    EXPECT_TRUE(target->texts.empty());
    EXPECT_TRUE(target->lines.empty());
}

TEST_F(CalibrationHistoryReportTest, PdfEntriesAreNeverSplitAcrossPages) {
    if (!PdfToolsPresent())
        GTEST_SKIP() << "poppler-utils are not installed";
    Head(10, 10);
    for (int i = 0; i < 120; ++i)
        Entry("Bump", 10, At(2024, 1, 1, 8, 0).addSeconds(3600.0 * i), 48, 50);
    const QString pdf = dir_.filePath(QStringLiteral("bump.pdf"));
    FakeDialogs dialogs;
    ReportRequest request;
    request.kind = 10;
    request.seqNo = 10;
    ASSERT_EQ(PrintToPdf(dialogs, request, options, pdf), ReportOutcome::Printed);

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 2);
    int number = 1;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = PdfLines(pages[p]);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("MT-52 Data Logger (Bump Test)")));
        EXPECT_TRUE(lines.contains(QStringLiteral("No Date/Time CH4(100%LEL) O2(25.0%) CH4(5.00vol%)")));
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith(QStringLiteral("%1 ").arg(number)) || !lines[i].contains(QStringLiteral("Test Result")))
                continue;
            // The entry's other two lines follow on the same page.
            ASSERT_LT(i + 2, lines.size()) << "entry " << number << " split";
            EXPECT_EQ(lines[i + 1], QStringLiteral("Concentration 50%LEL 50.0% 50.00vol%"));
            EXPECT_EQ(lines[i + 2], QStringLiteral("Judge PASS PASS PASS"));
            ++number;
        }
    }
    EXPECT_EQ(number, 121);
}

}  // namespace
}  // namespace mt52::test
