// Number and date formatting, used for every cell of the tables and reports.
#include "platform/Numbers.h"
#include "platform/OleDate.h"

#include <benchmark/benchmark.h>

static void BM_FormatNumber(benchmark::State& state) {
    float v = 12.3456f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mt52::FormatNumber(v, QStringLiteral("#0.00")));
        v += 0.01f;
    }
}
BENCHMARK(BM_FormatNumber);

static void BM_FormatDate(benchmark::State& state) {
    mt52::Date d = *mt52::Date::FromParts(2009, 4, 30, 8, 5, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(mt52::GeneralDate(d));
}
BENCHMARK(BM_FormatDate);

BENCHMARK_MAIN();
