// A full memory dump through the link against the in-process simulated instrument: the
// listing written, every frame logged, optionally snapshot records stored. Reports blocks per
// second and the time a block costs outside waiting for the line (the time spent in the
// link's event pump, which stands for the line, is taken out).
#include "SimProtocol.h"
#include "SimTransport.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"
#include "link/LinkCore.h"
#include "link/RomDump.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QTemporaryDir>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Blocks = 512;  // 64 KiB of memory

void BM_MemoryDump(benchmark::State& state) {
    const int snapshots = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    mt52::ResetState();
    mt52::State().StartDir = dir.path();
    mt52::State().DatabasePath = dir.filePath(QStringLiteral("MT52.mdb"));
    mt52::CreateDataBase(mt52::State().DatabasePath);

    mt52::sim::SimInstrumentState instrument;
    instrument.resizeMemory(Blocks);
    for (int i = 0; i < snapshots; ++i) {
        mt52::sim::SimSnapshot s;
        s.logNo = static_cast<quint16>(i);
        s.gasName = "CH4";
        s.fullScale = "100";
        s.digit = "1";
        s.unit = "%LEL";
        s.gasValue = " 12.5";
        s.when = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(i);
        instrument.putSnapshot(i, s);
    }
    mt52::sim::SimProtocol protocol(instrument);
    mt52::sim::SimTransport transport(protocol);
    Clock::duration lineTime{};
    mt52::LinkCore link(transport, [&] {
        const auto t0 = Clock::now();
        transport.Advance();
        lineTime += Clock::now() - t0;
    });
    link.SetMode(mt52::ModeConnected);

    // The identity as a read leaves it, so that the snapshot records are stored.
    mt52::clsInstrument model;
    model.SerialNo(QStringLiteral("SN0042"));
    link.SetInstrument(&model);
    for (const char* code : {"XZ,R", "XS,R", "IN,R"})
        link.ReadTracker().Accepted(code, &model);

    mt52::RomDump dump(link);
    const QString listing = dir.filePath(QStringLiteral("DumpEF.dat"));
    Clock::duration total{};
    lineTime = {};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (!dump.GetRomDump2(listing))
            state.SkipWithError("the dump failed");
        total += Clock::now() - t0;
    }
    const double blocks = static_cast<double>(Blocks) * static_cast<double>(state.iterations());
    state.counters["blocks_per_s"] = benchmark::Counter(blocks, benchmark::Counter::kIsRate);
    state.counters["us_per_block_outside_line"] =
        std::chrono::duration<double, std::micro>(total - lineTime).count() / blocks;
    mt52::ResetState();
}
// Snapshot records in the dump: none, and 64 (stored on the first pass, found on the others).
BENCHMARK(BM_MemoryDump)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
