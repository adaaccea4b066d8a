// The data-sample text of the longest interval trend the record model holds (53,999 samples
// and 2,049 event rows): streamed into a file line by line, and built whole as for the
// clipboard. "rows/s" counts samples and events written per second.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "records/clsInterval.h"
#include "views/DataSampleText.h"
#include "views/ViewRecords.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr mt52::Long Samples = 53999;
constexpr mt52::Long Events = 2049;

void FillLongTrend(mt52::clsInterval& record) {
    const mt52::Date start = *mt52::Date::FromParts(2009, 5, 1, 13, 5, 0);
    record.GasBaseInfo(mt52::LogHeaderField::Names, QStringLiteral("long"));
    record.GasBaseInfo(mt52::LogHeaderField::Dates, start);
    for (mt52::Integer gas : {0, 1, 4}) {
        record.GasListInfo(gas, mt52::GasInfoField::Name, QStringLiteral("GAS"));
        record.GasListInfo(gas, mt52::GasInfoField::Full, mt52::Single(100));
        record.GasListInfo(gas, mt52::GasInfoField::Point, mt52::Integer(1));
        record.GasListInfo(gas, mt52::GasInfoField::Unit, QStringLiteral("%LEL"));
        record.GasListInfo(gas, mt52::GasInfoField::Ratio, mt52::Single(50000));
        record.GasListInfo(gas, mt52::GasInfoField::Max, mt52::Single(50));
    }
    record.DataCount(Samples);
    for (mt52::Long i = 0; i < Samples; ++i) {
        record.DateTimes(i, start.addSeconds(i * 10.0));
        for (mt52::Integer gas : {0, 1, 4})
            record.GasValue(gas, i, static_cast<mt52::Single>((i + gas) % 100) / 2);
    }
    record.EventCount(Events);
    for (mt52::Long e = 0; e < Events; ++e) {
        record.EventDateTimes(e, start.addSeconds(e * 260.0 + 5));
        // Every fourth event switches the first gas's unit to vol% or back.
        const mt52::Single code = e % 4 == 0 ? (e % 8 == 0 ? -175.0f : -173.0f) : -103.0f;
        record.GasEvent(0, e, code);
        record.GasEvent(1, e, mt52::Single(-101));
        record.GasEvent(4, e, mt52::Single(-101));
    }
}

struct LongTrend {
    LongTrend() {
        mt52::ResetState();
        mt52::SetInterfaceLanguage(mt52::Language::English);
        FillLongTrend(records.Interval());
    }
    ~LongTrend() { mt52::ResetState(); }
    mt52::ViewRecords records;
};

void BM_StreamedToFile(benchmark::State& state) {
    LongTrend trend;
    QTemporaryDir dir;
    for (auto _ : state) {
        QFile file(dir.filePath(QStringLiteral("Sample.csv")));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(
            mt52::MakeDataSampleText({.logType = 1, .seqNo = 1, .records = trend.records}, u',', 4, &file, [] {}));
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(Samples + Events) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StreamedToFile)->Unit(benchmark::kMillisecond);

void BM_WholeText(benchmark::State& state) {
    LongTrend trend;
    for (auto _ : state) {
        const QString text = mt52::MakeDataSampleText({.logType = 1, .seqNo = 1, .records = trend.records}, u'\t', 1);
        benchmark::DoNotOptimize(text.size());
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(Samples + Events) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
