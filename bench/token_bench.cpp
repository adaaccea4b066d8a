// The token splitter on the lines it meets most: settings-file lines and instrument replies.
#include "common/clsToken.h"

#include <benchmark/benchmark.h>

static void BM_TokenSettingsLine(benchmark::State& state) {
    mt52::clsToken tok;
    tok.AddDelimiters(QStringLiteral("\t"));
    tok.AddStrings(QStringLiteral("'"));
    tok.AddComments(QStringLiteral(";"));
    const QString line = QStringLiteral("Font\t'Liberation Sans'\t9\tFalse\tFalse\tFalse\t; common font");
    for (auto _ : state) {
        tok.Source(line);
        benchmark::DoNotOptimize(tok.TokenCount());
    }
    state.SetBytesProcessed(state.iterations() * line.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(BM_TokenSettingsLine);

static void BM_TokenReplyLine(benchmark::State& state) {
    mt52::clsToken tok;
    tok.AddDelimiters(QStringLiteral(","));
    tok.AddDelimiters(QStringLiteral("\r"));
    const QString line =
        QStringLiteral("GS,R,1,CH4,100,1,%LEL,10,20,-1,-1,50,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r");
    for (auto _ : state) {
        tok.Source(line);
        benchmark::DoNotOptimize(tok.TokenCount());
    }
    state.SetBytesProcessed(state.iterations() * line.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(BM_TokenReplyLine);

BENCHMARK_MAIN();
