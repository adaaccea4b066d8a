#include "SimOperations.h"

#include "SimProtocol.h"
#include "link/CommandFrame.h"

#include <functional>
#include <memory>

namespace mt52::sim {
namespace {

// The dump: one ETB block per 128 bytes of memory, numbered from 1, with the bytes as 256
// upper-case hexadecimal digits in the fourth field; then an EOT frame without data.
SimReply MemoryDump(const SimRequest&, SimInstrumentState& state) {
    SimReply reply;
    for (int n = 1; n <= state.blockCount(); ++n) {
        const QByteArray data = "00," + QByteArray::number(n).rightJustified(4, '0') + ",0080," +
                                state.block(n).toHex().toUpper();
        reply.frames.append(SimReply::Frame("EF,R", data, ctl::ACK, ctl::ETB));
    }
    reply.frames.append(SimReply::Frame("EF,R", {}, ctl::ACK, ctl::EOT));
    return reply;
}

// An erasure or restore runs from its start command until a completion poll reports it done.
struct WorkInProgress {
    int pollsBusy = 0;
    bool running = false;
};

void AddErasure(SimProtocol& protocol, const QByteArray& kind, std::function<void(SimInstrumentState&)> work) {
    auto progress = std::make_shared<WorkInProgress>();
    protocol.Register(kind + ",W", [kind, progress](const SimRequest&, SimInstrumentState& state) {
        progress->running = true;
        progress->pollsBusy = state.completionPollsBusy;
        return SimReply::Answer(kind + ",W");
    });
    protocol.Register(kind + ",C", [kind, progress, work](const SimRequest&, SimInstrumentState& state) {
        if (!progress->running)
            return SimReply::Nak(kind + ",C");
        if (progress->pollsBusy != 0) {
            if (progress->pollsBusy > 0)
                --progress->pollsBusy;
            return SimReply::Nak(kind + ",C");
        }
        progress->running = false;
        work(state);
        return SimReply::Answer(kind + ",C");
    });
}

// The binary image: block i (four hexadecimal digits) is the 64 raw bytes of the memory
// from i * 64 on, erased bytes past its end, sent without any envelope.
SimReply FlashImageBlock(const SimRequest& request, SimInstrumentState& state) {
    bool ok = false;
    const int block = request.data.toInt(&ok, 16);
    if (!ok)
        return SimReply::Nak(request.code);
    QByteArray bytes = state.memory().mid(static_cast<qsizetype>(block) * 64, 64);
    bytes.append(QByteArray(64 - bytes.size(), char(0xFF)));
    return SimReply{{bytes}};
}

void AddSwitch(SimProtocol& protocol, const QByteArray& code, bool SimInstrumentState::*output) {
    protocol.Register(code, [code, output](const SimRequest& request, SimInstrumentState& state) {
        state.*output = request.data == "1";
        return SimReply::Answer(code);
    });
}

}  // namespace

void RegisterDumpAndOperations(SimProtocol& protocol) {
    protocol.Register("EF,R", MemoryDump);
    protocol.Register("EP,R", FlashImageBlock);
    AddErasure(protocol, "XC", [](SimInstrumentState& s) {
        s.clearMemory();
        ++s.dataClears;
    });
    AddErasure(protocol, "XY", [](SimInstrumentState& s) { ++s.powerDataClears; });
    AddErasure(protocol, "UX", [](SimInstrumentState& s) { ++s.defaultRestores; });
    protocol.Register("RO,W", [](const SimRequest&, SimInstrumentState& state) {
        state.poweredOn = false;  // the answer still goes out
        return SimReply::Answer("RO,W");
    });
    AddSwitch(protocol, "RL,E", &SimInstrumentState::ledOn);
    AddSwitch(protocol, "RB,E", &SimInstrumentState::buzzerOn);
    AddSwitch(protocol, "BP,E", &SimInstrumentState::pumpOn);
    protocol.Register("XH,E", [](const SimRequest&, SimInstrumentState&) { return SimReply::Answer("XH,E"); });
    // The oxygen adjustment echoes the concentration it was given.
    protocol.Register("SN,W", [](const SimRequest& request, SimInstrumentState&) {
        return SimReply::Answer("SN,W", request.data);
    });
}

}  // namespace mt52::sim
