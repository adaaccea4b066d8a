#include "views/BrowseGraph.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "graph/ZelGraph.h"
#include "platform/Numbers.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"

#include <algorithm>

namespace mt52 {

namespace {

// The sample-indexed event track, and the sample of an alarm trend that is the alarm moment.
constexpr int EventTrack = 1000;
constexpr int AlarmMomentSample = 360;

// A vol% reading of the first sensor as %LEL. A ratio of 0 or less cannot convert it: no data.
Single VolToLel(Single reading, Single ratio) {
    if (ratio <= 0)
        return GraphNoData;
    return static_cast<Single>(static_cast<double>(reading) * 1000000.0 / ratio);
}

QString SeriesFormat(Integer decimals) { return DecimalFormat(decimals) + QLatin1Char('#'); }

// The gas slot fields the fill reads.
class Slots {
public:
    explicit Slots(const RecordFrame& record) : record_(record) {}
    QString Name(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Name).toString(); }
    Single Full(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Full).toSingle(); }
    Integer Point(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Point).toInteger(); }
    bool Enabled(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Enable).toBool(); }
    Single Ratio(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Ratio).toSingle(); }
    // Series 0 shows the other unit's slot 4 when the first sensor's slot is off and slot 4 on.
    int SlotOfSeries(int series) const { return (series == 0 && !Enabled(0) && Enabled(4)) ? 4 : series; }

private:
    const RecordFrame& record_;
};

QString TitleDate(const Date& date) { return GeneralDate(date); }

void SetBoxesFromEnabled(ZelGraph& graph, const Slots& gas, BrowseGraphBoxes& boxes, bool slot4StandsIn) {
    for (int f = 0; f < 4; ++f) {
        const bool enabled = gas.Enabled(slot4StandsIn ? gas.SlotOfSeries(f) : f);
        boxes.series[static_cast<std::size_t>(f)].ticked = enabled;
        boxes.series[static_cast<std::size_t>(f)].visible = enabled;
        graph.SampleVisible(f, enabled);
    }
}

// The value of series f at interval sample s; unitVol: gas slot 0 reports in vol% now.
Single IntervalPoint(const clsInterval& record, const Slots& gas, int f, Long s, bool unitVol) {
    const auto reading = [&](int slot) { return record.GasValue(Integer(slot), s).toSingle(); };
    if (gas.Enabled(f) && !(f == 0 && unitVol)) {
        const Single r = reading(f);
        if (r <= NoDataReading)
            return GraphNoData;
        return r >= gas.Full(f) ? ShownGraphValue(gas.Full(f), gas.Point(f)) : ShownGraphValue(r, gas.Point(f));
    }
    if (gas.Enabled(f) && f == 0) {
        const Single r4 = reading(4);
        return r4 > NoDataReading ? VolToLel(r4, gas.Ratio(0)) : GraphNoData;
    }
    if (f == 0 && gas.Enabled(4))
        return ShownGraphValue(reading(4), gas.Point(4));
    return GraphNoData;
}

void FillIntervalGraph(ZelGraph& graph, clsInterval& record, const BrowseGraphInputs& in, BrowseGraphBoxes& boxes) {
    const Slots gas(record);
    boxes.seriesSet = true;
    for (int f = 0; f < 4; ++f) {
        const int g = gas.SlotOfSeries(f);
        BrowseSeriesBox& box = boxes.series[static_cast<std::size_t>(f)];
        box.colour = in.colours[static_cast<std::size_t>(f)];
        box.caption = GasCaptionOf(record, Integer(g));
        graph.AddSample(gas.Name(g), box.colour, SeriesFormat(gas.Point(g)));
        graph.EventVisible(f, in.eventsTicked);
    }
    graph.TitleTop(GetResText(5602, {record.GasBaseInfo(LogHeaderField::Names)}) + QStringLiteral(" - ") +
                   GetResText(5624));
    graph.TitleBottom(GetResText(5603, {TitleDate(record.DateTimes(0)), TitleDate(record.DateTimes(record.DataCount() - 1))}));
    graph.FormatX(QStringLiteral("hh:nn:ss"));

    // Of a run of equal samples only the first and the last are drawn.
    const Long count = record.DataCount();
    const auto readings = [&record](Long s) {
        std::array<Single, RecordGasSlots> values{};
        for (int slot = 0; slot < RecordGasSlots; ++slot)
            values[static_cast<std::size_t>(slot)] = record.GasValue(Integer(slot), s).toSingle();
        return values;
    };
    std::array<Single, RecordGasSlots> previous;
    previous.fill(-99.0f);
    Integer unitState = ReadingCode::UnitLel;
    int n = 0;
    record.getOrder(0);
    for (Long item = record.getOrder(); item != 0; item = record.getOrder()) {
        if (item < 0) {
            const Single code = record.GasEvent(0, -item - 1).toSingle();
            if (code == ReadingCode::UnitLel || code == ReadingCode::UnitPpm || code == ReadingCode::UnitVol)
                unitState = Integer(code);
            continue;
        }
        const Long s = item - 1;
        const std::array<Single, RecordGasSlots> current = readings(s);
        const bool plotted = s == 0 || s == count - 1 || current != previous ||
                             (s + 1 < count && readings(s + 1) != previous);
        if (!plotted)
            continue;
        graph.valueX(n, record.DateTimes(s));
        for (int f = 0; f < 4; ++f)
            graph.valueY(f, n, IntervalPoint(record, gas, f, s, unitState == ReadingCode::UnitVol));
        ++n;
        previous = current;
        if (n > graph.MaxSamples())
            break;
    }

    // Every event but the LEL and vol unit changes gets a mark on its series.
    for (int g = 0; g < 4; ++g) {
        int k = 0;
        for (Long e = 0; e < record.EventCount() && k < graph.MaxEvents(); ++e) {
            const Single code = record.GasEvent(Integer(g), e).toSingle();
            if (code < NoDataReading && code != ReadingCode::UnitLel && code != ReadingCode::UnitVol) {
                graph.EventX(g, k, record.EventDateTimes(e));
                graph.EventFlag(g, k, FormatTrendCell(code, gas.Point(g)));
                ++k;
            }
        }
        graph.EventCount(g, k);
    }
    graph.SampleCount(n);
    SetBoxesFromEnabled(graph, gas, boxes, true);
    boxes.showEventAndCursorBoxes = in.graphSelected;
}

void FillAlarmGraph(ZelGraph& graph, const clsAlarm& record, const BrowseGraphInputs& in, BrowseGraphBoxes& boxes) {
    const Slots gas(record);
    boxes.seriesSet = true;
    for (int f = 0; f < 4; ++f) {
        BrowseSeriesBox& box = boxes.series[static_cast<std::size_t>(f)];
        box.caption = GasCaptionOf(record, Integer(f));
        box.colour = in.colours[static_cast<std::size_t>(f)];
        graph.AddSample(gas.Name(f), box.colour, SeriesFormat(gas.Point(f)), gas.Full(f));
        graph.EventVisible(f, in.eventsTicked);
    }
    graph.TitleTop(GetResText(5602, {record.GasBaseInfo(LogHeaderField::Names)}) + QStringLiteral(" - ") +
                   GetResText(5625));
    graph.TitleBottom(GetResText(5603, {TitleDate(record.DateTimes(0)), TitleDate(record.DateTimes(record.DataCount() - 1))}));
    graph.FormatX(QStringLiteral("hh:nn:ss"));

    const Long count = record.DataCount();
    for (Long i = 0; i < count; ++i) {
        graph.valueX(int(i), record.DateTimes(i));
        for (int f = 0; f < 4; ++f) {
            const Single r = record.value(Integer(f), i);
            Single point = GraphNoData;
            if (r >= gas.Full(f) && gas.Enabled(f)) {
                const Single r4 = record.value(4, i);
                // At the top of the %LEL range the other unit's reading shows how far beyond it went.
                if (f == 0 && r4 > 0 && r4 <= gas.Full(4))
                    point = VolToLel(r4, gas.Ratio(0));
                else
                    point = ShownGraphValue(gas.Full(f), gas.Point(f));
            } else if (r > NoDataReading) {
                point = ShownGraphValue(r, gas.Point(f));
            }
            graph.valueY(f, int(i), point);
        }
    }
    graph.SampleCount(int(count));
    SetBoxesFromEnabled(graph, gas, boxes, false);
    boxes.showEventAndCursorBoxes = in.graphSelected;
    if (count > AlarmMomentSample + 1) {
        graph.EventFlag(EventTrack, AlarmMomentSample, QStringLiteral("Alarm"));
        graph.EventVisible(EventTrack, in.eventsTicked);
    }
}

}  // namespace

QStringList BrowseZoomItems(int samples) {
    QStringList items{QStringLiteral("1")};
    const std::pair<int, const char*> steps[] = {{30, "3"}, {50, "5"}, {100, "10"}, {200, "20"}, {300, "30"}, {500, "50"}};
    for (const auto& [above, item] : steps)
        if (samples > above)
            items << QString::fromLatin1(item);
    return items;
}

Single ShownGraphValue(Single reading, Integer decimals) {
    if (reading <= NoDataReading)
        return GraphNoData;
    const QString text = FormatTrendCell(reading, decimals);
    return IsNumeric(text) ? ToSingle(ParseNumber(text)) : GraphNoData;
}

BrowseGraphBoxes DrawBrowseGraph(ZelGraph& graph, const BrowseGraphInputs& inputs) {
    BrowseGraphBoxes boxes;
    graph.Clear();
    if (inputs.logType == 1 && inputs.interval != nullptr)
        FillIntervalGraph(graph, *inputs.interval, inputs, boxes);
    else if (inputs.logType == 2 && inputs.alarm != nullptr)
        FillAlarmGraph(graph, *inputs.alarm, inputs, boxes);

    boxes.zoomItems = BrowseZoomItems(graph.SampleCount());
    graph.Zoom(1);
    graph.MinX(0);
    graph.MaxX(0);
    graph.MinY(0, 0);
    graph.MaxY(0, 0);
    graph.Refresh();
    return boxes;
}

}  // namespace mt52
