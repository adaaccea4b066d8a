// Reading and writing the trend file of a long interval trend (54,001 samples, the size
// beyond which the data view switches to its condensed mode).
#include "common/TrendFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr mt52::Long Samples = 54001;
constexpr double SampleDays = 10.0 / 86400.0;

// Fills a trend file the way the download writes it: five values per sample.
void WriteTrendFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return;
    for (mt52::Long n = 1; n <= Samples; ++n) {
        const mt52::Date time(40000.0 + n * SampleDays);
        for (mt52::Integer gas = 1; gas <= mt52::TrendGasSlots; ++gas)
            mt52::PutTrendValue(n, file, gas, static_cast<mt52::Single>((n + gas) % 100), time);
    }
}

// A temporary trend file of Samples records, removed with the object.
class LongTrendFile {
public:
    LongTrendFile() { WriteTrendFile(path()); }
    QString path() const { return dir_.filePath(QStringLiteral("long.Dat")); }

private:
    QTemporaryDir dir_;
};

void BM_ReadTrendFile(benchmark::State& state) {
    const LongTrendFile trend;
    QFile file(trend.path());
    for (auto _ : state) {
        file.open(QIODevice::ReadOnly);
        const std::vector<mt52::TrendRecord> records = mt52::ReadTrendRecords(file);
        benchmark::DoNotOptimize(records.data());
        if (records.size() != static_cast<std::size_t>(Samples))
            state.SkipWithError("wrong record count");
        file.close();
    }
    state.SetItemsProcessed(state.iterations() * Samples);
}
BENCHMARK(BM_ReadTrendFile)->Unit(benchmark::kMillisecond);

void BM_ReadTrendFileValueByValue(benchmark::State& state) {
    const LongTrendFile trend;
    QFile file(trend.path());
    for (auto _ : state) {
        file.open(QIODevice::ReadOnly);
        const mt52::Long count = mt52::TrendRecordCount(file);
        mt52::Single value = 0;
        for (mt52::Long n = 1; n <= count; ++n) {
            for (mt52::Integer gas = 1; gas <= mt52::TrendGasSlots; ++gas)
                mt52::GetTrendValue(n, file, gas, value);
        }
        benchmark::DoNotOptimize(value);
        file.close();
    }
    state.SetItemsProcessed(state.iterations() * Samples);
}
BENCHMARK(BM_ReadTrendFileValueByValue)->Unit(benchmark::kMillisecond);

void BM_WriteTrendFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.Dat"));
    for (auto _ : state)
        WriteTrendFile(path);
    state.SetItemsProcessed(state.iterations() * Samples);
}
BENCHMARK(BM_WriteTrendFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
