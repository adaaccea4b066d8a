// The graph page of a trend report: the print graph filled from the record, and the page printed
// to a PDF file with its titles and its ink where the page layout puts them.
#include "PdfPrinting.h"
#include "PdfReading.h"
#include "ReportFixture.h"
#include "ReportRecords.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include "common/ReadingCodes.h"
#include "platform/Clock.h"
#include "printing/GraphPage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class GraphPageTest : public testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        MakeInterval(interval, 0, 0);
        MakeAlarm(alarm, 0);
        options.graphColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
        options.printLineWidths = {3, 2, 1};
    }
    void TearDown() override { ResetProgramState(); }

    // An interval trend of `values` samples of gas slots 0 and 1 (slot 4 reads `slot4`), a minute
    // apart from 09:30.
    void Samples(const std::vector<std::pair<Single, Single>>& values, Single slot4 = NoDataReading) {
        interval.DataCount(static_cast<Long>(values.size()));
        for (Long i = 0; i < static_cast<Long>(values.size()); ++i) {
            interval.DateTimes(i, ReportDate(2024, 5, 6, 9, 30 + static_cast<int>(i / 60) % 30, static_cast<int>(i % 60)));
            interval.GasValue(0, i, values[static_cast<std::size_t>(i)].first);
            interval.GasValue(1, i, values[static_cast<std::size_t>(i)].second);
            for (Integer slot : {2, 3})
                interval.GasValue(slot, i, NoDataReading);
            interval.GasValue(4, i, slot4);
        }
    }
    void Event(Long row, Integer gas, Single code, const Date& when) {
        interval.EventCount(std::max(interval.EventCount(), row + 1));
        interval.EventDateTimes(row, when);
        for (Integer g = 0; g < 5; ++g)
            interval.GasEvent(g, row, g == gas ? code : NoDataReading);
    }

    ZelGraph& Build(Long kind) {
        ReportRequest request;
        request.kind = kind;
        request.graph = true;
        request.interval = &interval;
        request.alarm = &alarm;
        form = std::make_unique<ReportForm>(request, options);
        BuildPrintGraph(*form);
        return form->zelPrint();
    }
    static std::vector<Single> Series(const ZelGraph& graph, int series) {
        std::vector<Single> out;
        for (int i = 0; i < graph.SampleCount(); ++i)
            out.push_back(graph.valueY(series, i));
        return out;
    }

    clsInterval interval;
    clsAlarm alarm;
    ReportOptions options;
    std::unique_ptr<ReportForm> form;
};

TEST_F(GraphPageTest, IntervalTrendPlotsOnlyTheEndsOfEqualRuns) {
    // 100 equal samples: the first and the last.
    Samples(std::vector<std::pair<Single, Single>>(100, {5, 20.9f}));
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    EXPECT_EQ(graph.SampleCount(), 2);
    EXPECT_EQ(graph.valueX(1), interval.DateTimes(99));

    // A change: the sample before it is plotted too, so the curve stays level up to the change.
    Samples({{5, 20.9f}, {5, 20.9f}, {5, 20.9f}, {8, 20.9f}, {8, 20.9f}, {8, 20.9f}});
    ZelGraph& changed = Build(ReportKind::IntervalTrend);
    ASSERT_EQ(changed.SampleCount(), 4);
    EXPECT_EQ(changed.valueX(1), interval.DateTimes(2));
    EXPECT_EQ(changed.valueX(2), interval.DateTimes(3));
    EXPECT_EQ(Series(changed, 0), (std::vector<Single>{5, 5, 8, 8}));
}

TEST_F(GraphPageTest, IntervalValuesOverRangeGapsAndResolution) {
    // Over the full scale: the full scale; no data and status codes: gaps; the rest at the gas's
    // resolution (slot 1 has one decimal).
    Samples({{150, 20.94f}, {NoDataReading, 20.96f}, {ReadingCode::Alarm, 19.0f}, {12, ReadingCode::FailAir}});
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    ASSERT_EQ(graph.SampleCount(), 4);
    EXPECT_EQ(Series(graph, 0), (std::vector<Single>{100, GraphNoData, GraphNoData, 12}));
    EXPECT_EQ(Series(graph, 1), (std::vector<Single>{20.9f, 21.0f, 19.0f, GraphNoData}));
    // Slots without a gas are gaps and hidden.
    EXPECT_EQ(Series(graph, 2), std::vector<Single>(4, GraphNoData));
    EXPECT_TRUE(graph.SampleVisible(0));
    EXPECT_FALSE(graph.SampleVisible(2));
}

TEST_F(GraphPageTest, VolUnitEventConvertsTheFirstSeriesUntilTheUnitGoesBack) {
    interval.GasListInfo(0, GasInfoField::Ratio, Single(50000));
    Samples({{5, 20.9f}, {6, 20.9f}, {7, 20.9f}, {8, 20.9f}}, 2.5f);
    Event(0, 0, ReadingCode::UnitVol, interval.DateTimes(1));
    Event(1, 0, ReadingCode::UnitPpm, interval.DateTimes(3));
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    // Sample 1 comes before the event of its second; samples 2 and 3 are after it, the ppm event
    // at sample 3's second comes after that sample too.
    EXPECT_EQ(Series(graph, 0), (std::vector<Single>{5, 6, 50, 50}));

    // A ratio of 0 cannot convert: no data instead of a division.
    interval.GasListInfo(0, GasInfoField::Ratio, Single(0));
    EXPECT_EQ(Series(Build(ReportKind::IntervalTrend), 0), (std::vector<Single>{5, 6, GraphNoData, GraphNoData}));
}

TEST_F(GraphPageTest, SlotFourStandsInForADisabledFirstSlot) {
    interval.GasListInfo(0, GasInfoField::Enable, false);
    interval.GasListInfo(4, GasInfoField::Name, QStringLiteral("CH4vol"));
    interval.GasListInfo(4, GasInfoField::Point, Integer(2));
    interval.GasListInfo(4, GasInfoField::Enable, true);
    Samples({{5, 20.9f}, {6, 20.9f}}, 1.234f);
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    EXPECT_EQ(graph.ValueName(0), QStringLiteral("CH4vol"));
    EXPECT_EQ(graph.FormatY(0), QStringLiteral("#0.00#"));
    EXPECT_EQ(Series(graph, 0), (std::vector<Single>{1.23f, 1.23f}));
    EXPECT_TRUE(graph.SampleVisible(0));

    interval.GasListInfo(4, GasInfoField::Enable, false);
    ZelGraph& none = Build(ReportKind::IntervalTrend);
    EXPECT_EQ(Series(none, 0), std::vector<Single>(none.SampleCount(), GraphNoData));
    EXPECT_FALSE(none.SampleVisible(0));
}

TEST_F(GraphPageTest, IntervalEventMarksAreLoadedButHidden) {
    Samples({{5, 20.9f}, {6, 20.9f}, {7, 20.9f}});
    Event(0, 0, ReadingCode::UnitPpm, interval.DateTimes(0));
    Event(1, 0, ReadingCode::UnitVol, interval.DateTimes(1));
    Event(2, 1, ReadingCode::Warning, interval.DateTimes(2));
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    // The ppm unit change is a mark; the LEL and vol changes are not.
    EXPECT_EQ(graph.EventCount(0), 1);
    EXPECT_EQ(graph.EventFlag(0, 0), QStringLiteral("ppm"));
    EXPECT_EQ(graph.EventCount(1), 1);
    EXPECT_EQ(graph.EventFlag(1, 0), QStringLiteral("WARNING"));
    EXPECT_EQ(graph.EventX(1, 0), interval.DateTimes(2));
    for (int g = 0; g < 4; ++g)
        EXPECT_FALSE(graph.EventVisible(g));
    EXPECT_EQ(graph.DrawLineWidth(), 3);
    EXPECT_EQ(graph.ScaleLineWidth(), 2);
}

TEST_F(GraphPageTest, TitlesNameTheRecordAndItsTimeSpan) {
    Samples({{5, 20.9f}, {6, 20.9f}});
    ZelGraph& graph = Build(ReportKind::IntervalTrend);
    EXPECT_EQ(graph.TitleTop(), QStringLiteral("Data Browse (iv240506093000) - Interval Trend"));
    EXPECT_EQ(graph.TitleBottom(), QStringLiteral("Sampling Date/Time: 2024/05/06 09:30:00 to 2024/05/06 09:30:01"));
    EXPECT_EQ(graph.ValueColor(1), 0x00FF00);
}

TEST_F(GraphPageTest, AlarmTrendEveryPointAndTheAlarmMoment) {
    MakeAlarm(alarm, 720);
    alarm.GasListInfo(0, GasInfoField::Ratio, Single(50000));
    alarm.GasListInfo(4, GasInfoField::Full, Single(5));
    for (Long i = 0; i < 720; ++i) {
        alarm.DateTimes(i, ReportDate(2024, 5, 6, 9, 30 + static_cast<int>(i / 60) % 30, static_cast<int>(i % 60)));
        alarm.value(0, i, 10);
        alarm.value(1, i, 20.9f);
    }
    // At the top of the %LEL range the vol% reading shows how far it went.
    alarm.value(0, 5, 100);
    alarm.value(4, 5, 3);
    alarm.value(0, 6, 120);
    alarm.value(4, 6, 0);
    alarm.value(0, 7, ReadingCode::Over);
    ZelGraph& graph = Build(ReportKind::AlarmTrend);
    EXPECT_EQ(graph.SampleCount(), 720);
    EXPECT_EQ(graph.valueY(0, 4), 10);
    EXPECT_EQ(graph.valueY(0, 5), 60);
    EXPECT_EQ(graph.valueY(0, 6), 100);
    EXPECT_EQ(graph.valueY(0, 7), GraphNoData);
    EXPECT_EQ(graph.TitleTop(), QStringLiteral("Data Browse (al240506093000) - Alarm Trend"));
    EXPECT_EQ(graph.EventFlag(1000, 360), QStringLiteral("Alarm"));
    EXPECT_TRUE(graph.EventVisible(1000));

    alarm.DataCount(361);
    ZelGraph& short_ = Build(ReportKind::AlarmTrend);
    EXPECT_EQ(short_.EventFlag(1000, 360), QString());
    EXPECT_FALSE(short_.EventVisible(1000));
}

TEST_F(GraphPageTest, BarHoleGraphIsDrawnFromItsIntervalRecord) {
    Samples({{5, 20.9f}, {6, 20.9f}});
    ZelGraph& graph = Build(ReportKind::BarHole);
    EXPECT_EQ(graph.SampleCount(), 2);
    EXPECT_TRUE(graph.TitleTop().startsWith(QStringLiteral("Data Browse (iv240506093000)")));
}

TEST_F(GraphPageTest, GraphIsDrawnInItsRectangleInBold) {
    Samples({{5, 20.9f}, {60, 20.9f}, {5, 20.9f}});
    Build(ReportKind::IntervalTrend);
    RecordingPrintTarget target;
    PrintGraph(target, *form);
    const RecordingGraphSurface* surface = target.GraphDrawn();
    ASSERT_NE(surface, nullptr);
    ASSERT_FALSE(surface->strokes.empty());
    const double left = 0.02 * 11340, right = left + 0.95 * 11340;
    const double top = 0.40 * 16272, bottom = top + 0.45 * 16272;
    for (const GraphStroke& s : surface->strokes)
        for (const GraphPoint& p : s.points) {
            EXPECT_GE(p.x, left - 1);
            EXPECT_LE(p.x, right + 1);
            EXPECT_GE(p.y, top - 1);
            EXPECT_LE(p.y, bottom + 1);
        }
    const GraphStroke* title = surface->FindText(QStringLiteral("Data Browse (iv240506093000) - Interval Trend"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->bold);
}

// With a value scale right of the plot for every gas after the first, every text and line of
// the graph stays inside the page header's margins: from its left edge to 300 twips short of the
// printable area's right edge.
TEST_F(GraphPageTest, EveryScaleStaysInsideTheHeadersMargins) {
    const double width = 11340;
    for (int gases = 2; gases <= 4; ++gases) {
        SCOPED_TRACE(gases);
        MakeAlarm(alarm, 30);
        for (Integer slot = 2; slot < gases; ++slot) {
            GasFields gas = Oxygen();
            gas.name = slot == 2 ? QStringLiteral("H2S") : QStringLiteral("CO");
            SetGas(alarm, slot, gas);
        }
        for (Long i = 0; i < 30; ++i) {
            alarm.DateTimes(i, ReportDate(2024, 5, 6, 9, 30, static_cast<int>(i)));
            for (Integer slot = 0; slot < 4; ++slot)
                alarm.value(slot, i, Single(10 + i % 5));
        }
        Build(ReportKind::AlarmTrend);
        RecordingPrintTarget target;
        PrintGraph(target, *form);
        const RecordingGraphSurface* surface = target.GraphDrawn();
        ASSERT_NE(surface, nullptr);
        double right = 0;
        for (const GraphStroke& s : surface->strokes) {
            if (s.op == GraphStroke::Op::Cls)
                continue;
            for (const GraphPoint& p : s.points) {
                const double end = p.x + (s.op == GraphStroke::Op::Text ? surface->TextWidth(s.text) : 0);
                right = std::max(right, end);
                EXPECT_GE(p.x, 0.02 * width) << s.text.toStdString();
            }
        }
        EXPECT_LE(right, width - 300 + 0.5);  // the drawing width is a Single
        // The last scale is that of the last gas.
        EXPECT_NE(surface->FindText(gases == 4 ? QStringLiteral("CO") : gases == 3 ? QStringLiteral("H2S")
                                                                                  : QStringLiteral("O2")),
                  nullptr);
    }
}

// The graph page of an alarm trend printed to a PDF file through the program's printer list.
class GraphPagePdfTest : public GraphPageTest {
protected:
    void SetUp() override {
        GraphPageTest::SetUp();
        if (!PdfToolsPresent())
            GTEST_SKIP() << "poppler-utils are not installed";
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("graph.pdf"));
    }

    FakeDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(14, 5, 9))};
    ScopedClock useClock{clock};
    QTemporaryDir dir;
    QString pdf;
};

TEST_F(GraphPagePdfTest, TitlesAndInkLieInTheGraphRectangle) {
    MakeAlarm(alarm, 720);
    for (Long i = 0; i < 720; ++i) {
        alarm.DateTimes(i, ReportDate(2024, 5, 6, 9, 30 + static_cast<int>(i / 60) % 30, static_cast<int>(i % 60)));
        alarm.value(0, i, static_cast<Single>(i % 90));
        alarm.value(1, i, 20.9f);
    }
    ReportRequest request;
    request.kind = ReportKind::AlarmTrend;
    request.graph = true;
    request.alarm = &alarm;
    ASSERT_EQ(PrintToPdf(dialogs, request, options, pdf), ReportOutcome::Printed);

    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QString text = pages[0].simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Data Browse (al240506093000) - Alarm Trend")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sampling Date/Time: 2024/05/06 09:30:00 to 2024/05/06 09:41:59")));
    // The summary block above the graph.
    EXPECT_TRUE(text.contains(QStringLiteral("Property")));

    const GreyPage page = RenderPdfPage(pdf, 1);
    ASSERT_GT(page.width, 0);
    const int w = page.width, h = page.height;
    // The graph fills the band from 40 % to 85 % of the height across the page ...
    EXPECT_TRUE(page.InkIn(0, h * 45 / 100, w / 10, h * 80 / 100));
    EXPECT_TRUE(page.InkIn(w * 85 / 100, h * 45 / 100, w, h * 80 / 100));
    EXPECT_TRUE(page.InkIn(w * 3 / 10, h * 50 / 100, w * 7 / 10, h * 80 / 100));
    // ... and nothing lies below it.
    EXPECT_FALSE(page.InkIn(0, h * 90 / 100, w, h));
}

}  // namespace
}  // namespace mt52::test
