// The record tables of the largest trends the models hold: the interval trend of 53,999 samples
// and 2,049 events (every 16th a WARNING of the second gas) filled into a grid, in the normal
// view and condensed (where every coloured cell is aligned as well), and the alarm trend of 720
// samples. "rows/s" counts table rows written per second.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "views/AlarmTable.h"
#include "views/IntervalTable.h"
#include "views/RecordTables.h"

#include <benchmark/benchmark.h>

namespace {

using mt52::Integer;
using mt52::Long;
using mt52::Single;

constexpr Long IntervalSamples = 53999;
constexpr Long IntervalEvents = 2049;
constexpr Long AlarmSamples = 720;

void DescribeGases(mt52::RecordFrame& record) {
    for (Integer gas = 0; gas < 5; ++gas) {
        record.GasListInfo(gas, mt52::GasInfoField::Name, QStringLiteral("G%1").arg(gas));
        record.GasListInfo(gas, mt52::GasInfoField::Full, Single(100));
        record.GasListInfo(gas, mt52::GasInfoField::Point, Integer(gas % 2));
        record.GasListInfo(gas, mt52::GasInfoField::Unit, QStringLiteral("ppm"));
        record.GasListInfo(gas, mt52::GasInfoField::Enable, true);
    }
}

struct Tables {
    Tables() {
        mt52::ResetState();
        mt52::SetInterfaceLanguage(mt52::Language::English);
        const mt52::Date start = *mt52::Date::FromParts(2020, 1, 1, 0, 0, 0);
        DescribeGases(interval);
        interval.DataCount(IntervalSamples);
        for (Long i = 0; i < IntervalSamples; ++i) {
            interval.DateTimes(i, start.addSeconds(i * 10.0));
            for (Integer gas = 0; gas < 5; ++gas)
                interval.GasValue(gas, i, Single(i % 90));
        }
        interval.EventCount(IntervalEvents);
        for (Long e = 0; e < IntervalEvents; ++e) {
            interval.EventDateTimes(e, start.addSeconds(e * 250.0 + 3));
            for (Integer gas = 0; gas < 5; ++gas)
                interval.GasEvent(gas, e, Single(gas == 1 && e % 16 == 0 ? -103 : -101));
        }
        DescribeGases(alarm);
        alarm.DataCount(AlarmSamples);
        for (Long i = 0; i < AlarmSamples; ++i) {
            alarm.DateTimes(i, start.addSeconds(static_cast<double>(i)));
            for (Integer gas = 0; gas < 5; ++gas)
                alarm.value(gas, i, Single(i % 120));
        }
    }
    ~Tables() { mt52::ResetState(); }

    mt52::clsInterval interval;
    mt52::clsAlarm alarm;
    mt52::GridModel table;
    mt52::GridModel summary;
};

void BM_IntervalTable(benchmark::State& state) {
    Tables tables;
    mt52::RecordTableOptions options;
    options.condensed = state.range(0) != 0;
    for (auto _ : state)
        mt52::FillIntervalTable(tables.interval, tables.table, tables.summary, options);
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(IntervalSamples + IntervalEvents) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IntervalTable)->Arg(0)->Arg(1)->ArgName("condensed")->Unit(benchmark::kMillisecond);

void BM_AlarmTable(benchmark::State& state) {
    Tables tables;
    for (auto _ : state)
        mt52::FillAlarmTable(tables.alarm, tables.table, 20);
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(AlarmSamples) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AlarmTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
