#include "graph/TrendGraphFill.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "graph/ZelGraph.h"
#include "platform/Numbers.h"
#include "platform/OleDate.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"

namespace mt52 {

namespace {

// The sample-indexed event track, and the sample of an alarm trend that is the alarm moment.
constexpr int EventTrack = 1000;
constexpr int AlarmMomentSample = 360;
constexpr int SeriesCount = 4;

// The gas slot fields the fill reads.
class GasSlots {
public:
    explicit GasSlots(const RecordFrame& record) : record_(record) {}
    QString Name(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Name).toString(); }
    Single Full(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Full).toSingle(); }
    Integer Point(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Point).toInteger(); }
    bool Enabled(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Enable).toBool(); }
    Single Ratio(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Ratio).toSingle(); }

private:
    const RecordFrame& record_;
};

// A vol% reading of the first sensor as %LEL. A ratio of 0 or less cannot convert it: no data.
Single VolToLel(Single reading, Single ratio) {
    if (ratio <= 0)
        return GraphNoData;
    return static_cast<Single>(static_cast<double>(reading) * 1000000.0 / ratio);
}

QString SeriesFormat(Integer decimals) { return DecimalFormat(decimals) + QLatin1Char('#'); }

// A sample time in the bottom title: the date and always the time, midnight included.
QString TitleDate(const Date& date) { return FormatDate(date, QStringLiteral("yyyy/mm/dd hh:nn:ss")); }

// The titles above and below the plot; the bottom one names the first and the last sample's
// time (none for a record without samples).
template <typename Record>
void SetTitles(ZelGraph& graph, const Record& record, int kindText) {
    graph.TitleTop(GetResText(5602, {record.GasBaseInfo(LogHeaderField::Names)}) + QStringLiteral(" - ") +
                   GetResText(kindText));
    const Long count = record.DataCount();
    graph.TitleBottom(count > 0 ? GetResText(5603, {TitleDate(record.DateTimes(0)), TitleDate(record.DateTimes(count - 1))})
                                : GetResText(5603, {QString(), QString()}));
    graph.FormatX(QStringLiteral("hh:nn:ss"));
}

// The value of series g at interval sample i; unitVol: slot 0 reports in vol% from here on.
Single IntervalPoint(const clsInterval& record, const GasSlots& gas, int g, Long i, bool unitVol) {
    const auto reading = [&](int slot) { return record.GasValue(Integer(slot), i).toSingle(); };
    if (!gas.Enabled(g)) {
        if (g == 0 && gas.Enabled(4))
            return ShownGraphValue(reading(4), gas.Point(4));
        return GraphNoData;
    }
    if (g == 0 && unitVol)
        return reading(4) > NoDataReading ? VolToLel(reading(4), gas.Ratio(0)) : GraphNoData;
    const Single v = reading(g);
    if (v <= NoDataReading)
        return GraphNoData;
    return ShownGraphValue(v >= gas.Full(g) ? gas.Full(g) : v, gas.Point(g));
}

}  // namespace

int TrendSeriesSlot(const RecordFrame& record, int series) {
    const GasSlots gas(record);
    return (series == 0 && !gas.Enabled(0) && gas.Enabled(4)) ? 4 : series;
}

Single ShownGraphValue(Single reading, Integer decimals) {
    if (reading <= NoDataReading)
        return GraphNoData;
    const QString text = FormatTrendCell(reading, decimals);
    return IsNumeric(text) ? ToSingle(ParseNumber(text)) : GraphNoData;
}

void FillIntervalTrendGraph(ZelGraph& graph, clsInterval& record, const TrendGraphStyle& style) {
    const GasSlots gas(record);
    for (int g = 0; g < SeriesCount; ++g) {
        const int s = TrendSeriesSlot(record, g);
        graph.AddSample(gas.Name(s), style.colours[static_cast<std::size_t>(g)], SeriesFormat(gas.Point(s)));
        graph.EventVisible(g, style.eventsVisible);
    }
    SetTitles(graph, record, 5624);

    // Of a run of equal samples only the first and the last are plotted.
    const Long count = record.DataCount();
    const auto readings = [&record](Long i) {
        std::array<Single, RecordGasSlots> values{};
        for (int slot = 0; slot < RecordGasSlots; ++slot)
            values[static_cast<std::size_t>(slot)] = record.GasValue(Integer(slot), i).toSingle();
        return values;
    };
    std::array<Single, RecordGasSlots> previous;
    previous.fill(-99.0f);
    Integer unit = ReadingCode::UnitLel;
    int n = 0;
    record.getOrder(0);
    for (Long k = record.getOrder(); k != 0; k = record.getOrder()) {
        if (k < 0) {
            const Single code = record.GasEvent(0, -k - 1).toSingle();
            if (code == ReadingCode::UnitLel || code == ReadingCode::UnitPpm || code == ReadingCode::UnitVol)
                unit = Integer(code);
            continue;
        }
        const Long i = k - 1;
        const std::array<Single, RecordGasSlots> current = readings(i);
        const bool plotted =
            i == 0 || i == count - 1 || current != previous || (i + 1 < count && readings(i + 1) != previous);
        if (!plotted)
            continue;
        graph.valueX(n, record.DateTimes(i));
        for (int g = 0; g < SeriesCount; ++g)
            graph.valueY(g, n, IntervalPoint(record, gas, g, i, unit == ReadingCode::UnitVol));
        ++n;
        previous = current;
        if (n > graph.MaxSamples())
            break;
    }

    // Every event below the no-data code but the LEL and vol unit changes is a mark of its series.
    for (int g = 0; g < SeriesCount; ++g) {
        int c = 0;
        for (Long e = 0; e < record.EventCount() && c < graph.MaxEvents(); ++e) {
            const Single code = record.GasEvent(Integer(g), e).toSingle();
            if (code < NoDataReading && code != ReadingCode::UnitLel && code != ReadingCode::UnitVol) {
                graph.EventX(g, c, record.EventDateTimes(e));
                graph.EventFlag(g, c, FormatTrendCell(code, gas.Point(g)));
                ++c;
            }
        }
        graph.EventCount(g, c);
    }
    graph.SampleCount(n);
    for (int g = 0; g < SeriesCount; ++g)
        graph.SampleVisible(g, gas.Enabled(TrendSeriesSlot(record, g)));
}

void FillAlarmTrendGraph(ZelGraph& graph, const clsAlarm& record, const TrendGraphStyle& style) {
    const GasSlots gas(record);
    for (int g = 0; g < SeriesCount; ++g) {
        graph.AddSample(gas.Name(g), style.colours[static_cast<std::size_t>(g)], SeriesFormat(gas.Point(g)),
                        gas.Full(g));
        graph.EventVisible(g, style.eventsVisible);
    }
    SetTitles(graph, record, 5625);

    const Long count = record.DataCount();
    for (Long i = 0; i < count; ++i) {
        graph.valueX(int(i), record.DateTimes(i));
        for (int g = 0; g < SeriesCount; ++g) {
            const Single v = record.value(Integer(g), i);
            Single point = GraphNoData;
            if (v >= gas.Full(g) && gas.Enabled(g)) {
                const Single v4 = record.value(4, i);
                // At the top of the %LEL range the vol% reading shows how far beyond it went.
                if (g == 0 && v4 > 0 && v4 <= gas.Full(4))
                    point = VolToLel(v4, gas.Ratio(0));
                else
                    point = ShownGraphValue(gas.Full(g), gas.Point(g));
            } else if (v > NoDataReading) {
                point = ShownGraphValue(v, gas.Point(g));
            }
            graph.valueY(g, int(i), point);
        }
    }
    graph.SampleCount(int(count));
    for (int g = 0; g < SeriesCount; ++g)
        graph.SampleVisible(g, gas.Enabled(g));
    if (count > AlarmMomentSample + 1) {
        graph.EventFlag(EventTrack, AlarmMomentSample, QStringLiteral("Alarm"));
        graph.EventVisible(EventTrack, style.alarmMomentVisible);
    }
}

}  // namespace mt52
