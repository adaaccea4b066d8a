#pragma once
// Fills the trend graph from an interval or alarm trend record: one series per gas column
// (the first able to show the first sensor in its other unit), curves thinned to the samples
// where a reading changes, over-range and unit conversions, event marks and titles. The data
// views and the printed graph page draw the same curves from it.
#include "platform/Types.h"

#include <array>

namespace mt52 {

class RecordFrame;
class ZelGraph;
class clsAlarm;
class clsInterval;

struct TrendGraphStyle {
    std::array<Long, 4> colours{};   // colour of each series
    bool eventsVisible = false;      // the series' event marks
    bool alarmMomentVisible = false; // the alarm trend's mark of its alarm moment
};

// The gas slot shown by series 0 to 3: slot 4 stands in for series 0 when the first sensor's
// slot is off and slot 4 is on.
int TrendSeriesSlot(const RecordFrame& record, int series);

// The value a reading is drawn at: the reading as its cell text shows it with `decimals` (the
// curve carries the displayed precision); no data for -101, the codes below it and any text
// that is no number.
Single ShownGraphValue(Single reading, Integer decimals);

// Add the four series to an empty graph and fill them, with titles, event marks and the sample
// count; each series is visible when its gas slot is enabled.
void FillIntervalTrendGraph(ZelGraph& graph, clsInterval& record, const TrendGraphStyle& style);
void FillAlarmTrendGraph(ZelGraph& graph, const clsAlarm& record, const TrendGraphStyle& style);

}  // namespace mt52
