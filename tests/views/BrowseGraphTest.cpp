// The data view's graph fill on the graph core and its recording surface: thinning of
// interval samples, over-range and unit conversions, event marks, the alarm moment, titles,
// series boxes and the zoom list.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/GraphTestHost.h"
#include "views/BrowseGraph.h"
#include "views/RecordModels.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

using test::Describe;
using test::Readings;
using test::When;

constexpr Single None = NoDataReading;

class BrowseGraphTest : public test::RecordTableTest {
protected:
    void SetUp() override {
        RecordTableTest::SetUp();
        test::Identify(interval, "iv0520", When(20, 12, 0));
        Describe(interval, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .ratio = 50000});
        Describe(interval, 1, {.name = "O2", .full = 25, .point = 1, .unit = "%"});
        Describe(interval, 2, {.enabled = false});
        Describe(interval, 3, {.enabled = false});
        Describe(interval, 4, {.name = "CH4", .full = 5, .point = 2, .unit = "vol%", .enabled = false});
        test::Identify(alarm, "al0520", When(20, 9, 0));
        Describe(alarm, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .ratio = 50000});
        Describe(alarm, 1, {.name = "O2", .full = 25, .point = 1, .unit = "%"});
        Describe(alarm, 2, {.enabled = false});
        Describe(alarm, 3, {.enabled = false});
        Describe(alarm, 4, {.name = "CH4", .full = 5, .point = 2, .unit = "vol%"});
    }

    BrowseGraphBoxes Draw(int logType, bool graphSelected = true) {
        BrowseGraphInputs in;
        in.logType = logType;
        in.interval = &interval;
        in.alarm = &alarm;
        in.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
        in.eventsTicked = true;
        in.cursorTicked = false;
        in.graphSelected = graphSelected;
        return DrawBrowseGraph(graph, in);
    }
    // The plotted sample times as seconds from the record's start.
    std::vector<long long> PlottedSeconds() const {
        std::vector<long long> seconds;
        for (int i = 0; i < graph.SampleCount(); ++i)
            seconds.push_back(When(20, 12, 0).secondsTo(graph.valueX(i)));
        return seconds;
    }
    // Interval samples 10 s apart with the first two gases as given and the rest empty.
    void IntervalOf(const std::vector<std::pair<Single, Single>>& readings) {
        std::vector<Readings> samples;
        for (const auto& [gas0, gas1] : readings)
            samples.push_back({gas0, gas1, None, None, None});
        test::SetSamples(interval, When(20, 12, 0), 10, samples);
    }

    clsInterval interval;
    clsAlarm alarm;
    GraphTestHost host;
    ZelGraph graph{&host};
};

TEST_F(BrowseGraphTest, AFlatIntervalTrendPlotsOnlyItsFirstAndLastSample) {
    IntervalOf(std::vector<std::pair<Single, Single>>(40, {5.0f, 20.9f}));
    const BrowseGraphBoxes boxes = Draw(1);
    EXPECT_EQ(PlottedSeconds(), (std::vector<long long>{0, 390}));
    EXPECT_EQ(boxes.zoomItems, QStringList({"1"}));
    EXPECT_EQ(graph.Zoom(), 1);
}

TEST_F(BrowseGraphTest, AStepPlotsTheSamplesOnEitherSideOfTheChange) {
    std::vector<std::pair<Single, Single>> readings(30, {5.0f, 20.9f});
    for (std::size_t i = 11; i < readings.size(); ++i)
        readings[i].first = 7.0f;
    IntervalOf(readings);
    Draw(1);
    EXPECT_EQ(PlottedSeconds(), (std::vector<long long>{0, 100, 110, 290}));
    EXPECT_FLOAT_EQ(graph.valueY(0, 1), 5.0f);
    EXPECT_FLOAT_EQ(graph.valueY(0, 2), 7.0f);
    EXPECT_FLOAT_EQ(graph.valueY(1, 2), 20.9f);
}

TEST_F(BrowseGraphTest, IntervalValuesAreShownAtTheirPrecisionCutAtFullScaleOrMissing) {
    Describe(interval, 1, {.name = "O2", .full = 25, .point = 0, .unit = "%"});
    IntervalOf({{5.04f, 20.6f}, {100.0f, 26.0f}, {250.0f, None}, {None, -130.0f}});
    Draw(1);
    ASSERT_EQ(graph.SampleCount(), 4);
    EXPECT_FLOAT_EQ(graph.valueY(0, 0), 5.0f);    // one decimal, as the table shows it
    EXPECT_FLOAT_EQ(graph.valueY(1, 0), 21.0f);   // no decimals
    EXPECT_FLOAT_EQ(graph.valueY(0, 1), 100.0f);  // at full scale
    EXPECT_FLOAT_EQ(graph.valueY(1, 1), 25.0f);   // above it
    EXPECT_FLOAT_EQ(graph.valueY(0, 2), 100.0f);
    EXPECT_EQ(graph.valueY(1, 2), GraphNoData);
    EXPECT_EQ(graph.valueY(0, 3), GraphNoData);
    EXPECT_EQ(graph.valueY(1, 3), GraphNoData);  // a failure code is no reading
    EXPECT_EQ(graph.valueY(2, 0), GraphNoData);  // a slot not in use
}

TEST_F(BrowseGraphTest, AfterAVolUnitEventTheFirstSeriesShowsTheOtherUnitConverted) {
    std::vector<Readings> samples;
    for (int i = 0; i < 6; ++i)
        samples.push_back({Single(10 + i), 20.9f, None, None, 0.5f + Single(i) / 10});
    test::SetSamples(interval, When(20, 12, 0), 10, samples);
    test::AddEvent(interval, When(20, 12, 0, 15), {-175, None, None, None, None});  // vol
    test::AddEvent(interval, When(20, 12, 0, 35), {-174, None, None, None, None});  // ppm
    test::AddEvent(interval, When(20, 12, 0, 45), {-173, -104, None, None, None});  // LEL, oxygen alarm

    Draw(1);
    ASSERT_EQ(graph.SampleCount(), 6);
    EXPECT_FLOAT_EQ(graph.valueY(0, 1), 11.0f);
    EXPECT_FLOAT_EQ(graph.valueY(0, 2), 0.7f * 1000000 / 50000);  // vol from 12:00:15 on
    EXPECT_FLOAT_EQ(graph.valueY(0, 3), 0.8f * 1000000 / 50000);
    EXPECT_FLOAT_EQ(graph.valueY(0, 4), 14.0f);                    // ppm from 12:00:35 on
    EXPECT_FLOAT_EQ(graph.valueY(0, 5), 15.0f);

    // The LEL and vol changes get no mark; the ppm change and the alarm do.
    ASSERT_EQ(graph.EventCount(0), 1);
    EXPECT_EQ(graph.EventFlag(0, 0), "ppm");
    EXPECT_EQ(graph.EventX(0, 0), When(20, 12, 0, 35));
    ASSERT_EQ(graph.EventCount(1), 1);
    EXPECT_EQ(graph.EventFlag(1, 0), "ALARM");
    EXPECT_TRUE(graph.EventVisible(0));
}

TEST_F(BrowseGraphTest, AMissingConversionRatioGivesNoPointInsteadOfAnEndlessOne) {
    Describe(interval, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .ratio = 0});
    test::SetSamples(interval, When(20, 12, 0), 10, {{10, 20.9f, None, None, 0.5f}, {11, 20.9f, None, None, 0.6f}});
    test::AddEvent(interval, When(20, 12, 0, 0), {-175, None, None, None, None});
    Draw(1);
    EXPECT_FLOAT_EQ(graph.valueY(0, 0), 10.0f);  // within one second the sample comes before the event
    EXPECT_EQ(graph.valueY(0, 1), GraphNoData);
}

TEST_F(BrowseGraphTest, WithTheFirstSensorOffItsOtherUnitFillsTheFirstSeries) {
    Describe(interval, 0, {.name = "CH4", .full = 100, .point = 1, .unit = "%LEL", .enabled = false});
    Describe(interval, 4, {.name = "CH4v", .full = 5, .point = 2, .unit = "vol%", .enabled = true});
    test::SetSamples(interval, When(20, 12, 0), 10, {{None, 20.9f, None, None, 1.234f}, {None, 20.9f, None, None, None}});
    const BrowseGraphBoxes boxes = Draw(1);
    EXPECT_EQ(graph.ValueName(0), "CH4v");
    EXPECT_EQ(graph.FormatY(0), "#0.00#");
    EXPECT_FLOAT_EQ(graph.valueY(0, 0), 1.23f);
    EXPECT_EQ(graph.valueY(0, 1), GraphNoData);
    EXPECT_EQ(boxes.series[0].caption, "CH4v(5.00vol%)");
    EXPECT_TRUE(boxes.series[0].ticked);
    EXPECT_TRUE(boxes.series[0].visible);
    EXPECT_TRUE(graph.SampleVisible(0));
    EXPECT_FALSE(boxes.series[2].visible);
    EXPECT_FALSE(graph.SampleVisible(2));
    // Interval series keep the graph's own full scale of 10; alarm series take the record's.
    EXPECT_FLOAT_EQ(graph.Store().Series(1).fullScale, 10.0f);
    Draw(2);
    EXPECT_FLOAT_EQ(graph.Store().Series(1).fullScale, 25.0f);
}

TEST_F(BrowseGraphTest, AnAlarmTrendPlotsEverySampleAndMarksItsAlarmMoment) {
    for (int samples : {361, 362}) {
        test::SetSamples(alarm, When(20, 9, 0), 1, std::vector<Readings>(std::size_t(samples), {5, 20.9f, None, None, None}));
        const BrowseGraphBoxes boxes = Draw(2);
        EXPECT_EQ(graph.SampleCount(), samples);
        EXPECT_EQ(graph.EventFlag(1000, 360), samples > 361 ? "Alarm" : "") << samples;
        EXPECT_EQ(boxes.zoomItems, QStringList({"1", "3", "5", "10", "20", "30"}));
    }
    EXPECT_TRUE(graph.EventVisible(1000));
}

TEST_F(BrowseGraphTest, AnAlarmTrendAboveFullScaleShowsTheOtherUnitWhereItHasOne) {
    test::SetSamples(alarm, When(20, 9, 0), 1,
                     {{100, 20.9f, None, None, 0.8f}, {100, 30, None, None, None}, {100, 20.9f, None, None, 6},
                      {None, None, None, None, None}, {50, 20.9f, None, None, None}});
    Draw(2);
    EXPECT_FLOAT_EQ(graph.valueY(0, 0), 0.8f * 1000000 / 50000);
    EXPECT_FLOAT_EQ(graph.valueY(0, 1), 100.0f);  // no reading in the other unit
    EXPECT_FLOAT_EQ(graph.valueY(1, 1), 25.0f);
    EXPECT_FLOAT_EQ(graph.valueY(0, 2), 100.0f);  // beyond the other unit's own full scale
    EXPECT_EQ(graph.valueY(0, 3), GraphNoData);
    EXPECT_FLOAT_EQ(graph.valueY(0, 4), 50.0f);
}

TEST_F(BrowseGraphTest, TitlesNameTheRecordAndItsPeriodAndAreDrawn) {
    IntervalOf({{5, 20.9f}, {6, 20.9f}, {7, 20.9f}});
    Draw(1);
    EXPECT_EQ(graph.TitleTop(), "Data Browse (iv0520) - Interval Trend");
    EXPECT_EQ(graph.TitleBottom(), "Sampling Date/Time: 2024/05/20 12:00:00 to 2024/05/20 12:00:20");
    EXPECT_NE(host.screen.FindText(graph.TitleTop()), nullptr);

    test::SetSamples(alarm, When(20, 9, 0), 5, std::vector<Readings>(5, {5, 20.9f, None, None, None}));
    Draw(2);
    EXPECT_EQ(graph.TitleTop(), "Data Browse (al0520) - Alarm Trend");
}

TEST_F(BrowseGraphTest, ZoomListGrowsWithTheSamplesAndOtherKindsGetAnEmptyGraph) {
    EXPECT_EQ(BrowseZoomItems(101), QStringList({"1", "3", "5", "10"}));
    EXPECT_EQ(BrowseZoomItems(30), QStringList({"1"}));
    EXPECT_EQ(BrowseZoomItems(501).size(), 7);

    IntervalOf({{5, 20.9f}, {6, 20.9f}});
    Draw(1);
    const BrowseGraphBoxes boxes = Draw(11);
    EXPECT_EQ(graph.SampleCount(), 0);
    EXPECT_FALSE(boxes.seriesSet);
    EXPECT_EQ(boxes.zoomItems, QStringList({"1"}));
}

TEST_F(BrowseGraphTest, EventAndCursorBoxesShowOnlyWithTheGraphSelected) {
    IntervalOf({{5, 20.9f}, {6, 20.9f}});
    EXPECT_TRUE(Draw(1, true).showEventAndCursorBoxes);
    EXPECT_FALSE(Draw(1, false).showEventAndCursorBoxes);
}

}  // namespace
}  // namespace mt52
