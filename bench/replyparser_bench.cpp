// The reply parser on the replies of a full instrument read: frames per second, from the
// frame as cut from the line to the values stored in the model.
#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "link/InstrumentReplies.h"

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

namespace {

struct BenchHost : mt52::ReplyHost {
    mt52::clsInstrument model;
    mt52::clsInstrument* ReplyInstrument() override { return &model; }
    QByteArray ReplyLastFrame() const override { return {}; }
    void ReplyLog(const QString&) override {}
};

// One reply of each kind a full read receives, and the thirty gas-library rows.
std::vector<std::pair<QByteArray, QByteArray>> ReadReplies() {
    std::vector<std::pair<QByteArray, QByteArray>> replies = {
        {"VP,R", "120034"},          {"XZ,R", "USER01          "}, {"XS,R", "STATION01       "},
        {"IN,R", "SIM0000001          "}, {"HN,R", "DUMMY0000001"}, {"HC,R", "091231235959"},
        {"RB,R", "44FA0000"},        {"BP,R", "0064"},           {"RL,R", "01F4"},
        {"WS,R", "0010,00FF"},       {"CS,R", "0020"},           {"KW,R", "0000"},
        {"MT,R", "12"},              {"EJ,R", "3"},              {"S8,R", "12.5,3,0.25,150"},
        {"XT,R", "003C"},            {"HA,R", "0001,0002,0003,0004,0005,0006,0007,0008,42C80000"},
        {"VS,R", "1A2B3C4D"},        {"BS,R", "SPEC01    "},     {"LS,R", "000000000000000000000000000000"},
    };
    for (int row = 0; row < 30; ++row)
        replies.emplace_back("LI,R", QByteArray::number(row).rightJustified(4, '0') + ",3,CH4       ,100.0,1,%LEL");
    return replies;
}

}  // namespace

static void BM_ParseFullReadReplies(benchmark::State& state) {
    BenchHost host;
    mt52::InstrumentReplies parser(host);
    std::vector<QByteArray> frames;
    for (const auto& [code, data] : ReadReplies())
        frames.push_back(mt52::CommandFrame::BuildFrame(code + ',' + mt52::ctl::ACK + data, mt52::ctl::EOT));
    for (auto _ : state) {
        for (const QByteArray& frame : frames)
            benchmark::DoNotOptimize(parser.Parse(mt52::ReplyFrame::From(frame)));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frames.size()));
    state.SetLabel("items = frames");
}
BENCHMARK(BM_ParseFullReadReplies);

BENCHMARK_MAIN();
