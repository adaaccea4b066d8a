// The memory dump download, program side only: the instrument's frames are made before the
// clock starts and handed over by a replaying line that costs nothing, so the processor time
// measured is what the program spends on a block (frame cut and checked, both frames logged,
// listing written, snapshot records stored and committed).
//
// The figure that matters is that time against the time the block takes on the wire: a
// 284-byte frame at 921600 baud (10 bits a byte) is 3.08 ms. Counters:
//   cpu_us_per_block    processor time of the program's thread per block (user + system)
//   share_of_wire_time  cpu_us_per_block / 3082 us
//   user_us_per_block   the part spent in the program and its libraries
//   system_us_per_block the part spent in the kernel (file writes; for snapshot blocks
//                       mostly the file syncs of the commit that ends each block)
#include "SimProtocol.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "link/LinkCore.h"
#include "link/LinkTransport.h"
#include "link/RomDump.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Blocks = 512;  // 64 KiB of memory
constexpr double WireMicrosecondsPerBlock = 284.0 * 10.0 / 921600.0 * 1e6;

struct CpuTimes {
    double user = 0;
    double system = 0;
};

CpuTimes ThreadCpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto us = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec); };
    return {us(usage.ru_utime), us(usage.ru_stime)};
}

// The instrument's whole answer to the dump request, frame by frame, as the simulated
// instrument sends it when every block is acknowledged.
std::vector<QByteArray> DumpFrames(mt52::sim::SimInstrumentState& instrument) {
    mt52::sim::SimProtocol protocol(instrument);
    std::vector<QByteArray> frames;
    protocol.Feed(mt52::CommandFrame::BuildFrame("EF,R,", mt52::ctl::EOT));
    for (;;) {
        QByteArray frame;
        for (const mt52::sim::SimChunk& chunk : protocol.TakeOutput())
            frame += chunk.bytes;
        if (frame.isEmpty())
            break;
        frames.push_back(frame);
        protocol.Feed(mt52::CommandFrame::BlockReply(frame, mt52::ctl::ACK));
    }
    return frames;
}

// A line that answers every frame the program writes with the next prepared frame.
class ReplayLine final : public mt52::LinkTransport {
public:
    explicit ReplayLine(const std::vector<QByteArray>& frames) : frames_(frames) {}
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool write(const QByteArray&) override {
        if (next_ < frames_.size())
            readable_ = frames_[next_++];
        return true;
    }
    QByteArray readAvailable() override { return std::exchange(readable_, {}); }
    mt52::LineSignals lineSignals() const override { return {true, true}; }
    void Rewind() { next_ = 0; }

private:
    const std::vector<QByteArray>& frames_;
    std::size_t next_ = 0;
    QByteArray readable_;
};

void BM_DumpBlockCpu(benchmark::State& state) {
    const bool snapshots = state.range(0) != 0;
    QTemporaryDir dir;
    mt52::ResetState();
    mt52::State().StartDir = dir.path();
    mt52::State().DatabasePath = dir.filePath(QStringLiteral("MT52.mdb"));

    mt52::sim::SimInstrumentState instrument;
    instrument.resizeMemory(Blocks);
    // Two snapshot records in every block from the first snapshot block on.
    const int snapshotSlots = snapshots ? 2 * (Blocks - mt52::DumpSnapshots::FirstSnapshotBlock + 1) : 0;
    for (int i = 0; i < snapshotSlots; ++i) {
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
    const std::vector<QByteArray> frames = DumpFrames(instrument);
    ReplayLine line(frames);
    mt52::LinkCore link(line, [] {});
    link.SetMode(mt52::ModeConnected);

    // The identity as a read leaves it, so that the snapshot records are stored.
    mt52::clsInstrument model;
    model.SerialNo(QStringLiteral("SN0042"));
    link.SetInstrument(&model);
    for (const char* code : {"XZ,R", "XS,R", "IN,R"})
        link.ReadTracker().Accepted(code, &model);

    mt52::RomDump dump(link);
    const QString listing = dir.filePath(QStringLiteral("DumpEF.dat"));
    double user = 0;
    double system = 0;
    for (auto _ : state) {
        // Every pass stores into an empty database, so every snapshot is written.
        state.PauseTiming();
        QFile::remove(mt52::State().DatabasePath);
        mt52::CreateDataBase(mt52::State().DatabasePath);
        line.Rewind();
        state.ResumeTiming();
        const CpuTimes t0 = ThreadCpuMicroseconds();
        const bool done = dump.GetRomDump2(listing);
        const CpuTimes t1 = ThreadCpuMicroseconds();
        user += t1.user - t0.user;
        system += t1.system - t0.system;
        if (!done)
            state.SkipWithError("the dump failed");
    }
    const double blocks = static_cast<double>(Blocks) * static_cast<double>(state.iterations());
    state.counters["cpu_us_per_block"] = (user + system) / blocks;
    state.counters["share_of_wire_time"] = (user + system) / blocks / WireMicrosecondsPerBlock;
    state.counters["user_us_per_block"] = user / blocks;
    state.counters["system_us_per_block"] = system / blocks;
    mt52::ResetState();
}
// Plain blocks, and blocks holding two snapshot records each.
BENCHMARK(BM_DumpBlockCpu)->ArgName("snapshots")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
