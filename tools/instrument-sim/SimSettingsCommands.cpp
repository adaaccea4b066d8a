#include "SimSettingsCommands.h"

#include "SimProtocol.h"
#include "platform/Clock.h"

#include <algorithm>

namespace mt52::sim {
namespace {

// Registers read back as they are held.
constexpr const char* kReadRegisters[] = {"VP", "XZ", "XS", "IN", "HN", "RB", "BP", "RL", "WS", "CS",
                                          "KW", "MT", "EJ", "S8", "XT", "HA", "VS", "BS", "LS"};
// Writes answered with the value as stored.
constexpr const char* kEchoedWrites[] = {"BS", "XZ", "XS", "IN", "XT"};
// Writes answered with a plain ACK.
constexpr const char* kAcceptedWrites[] = {"LS", "RB", "BP", "RL", "WS", "CS", "MT", "EJ"};

QDateTime InstrumentClock(const SimInstrumentState& state) { return NowDateTime().addSecs(state.clockOffsetSeconds); }

SimReply GasLibraryRow(const SimRequest& request, SimInstrumentState& state) {
    bool ok = false;
    const int row = request.data.toInt(&ok);
    if (!ok || row < 0 || row >= state.gasLibrary.size())
        return SimReply::Nak(request.code);
    return SimReply::Answer(request.code, state.gasLibrary[row]);
}

// "HC,W,YYMMDDhhnnss": the clock moves to that moment and the frame comes back unchanged.
SimReply SetClock(const SimRequest& request, SimInstrumentState& state) {
    const QByteArray& d = request.data;
    if (d.size() != 12 || !std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return SimReply::Nak(request.code);
    const auto field = [&d](int i) { return (d[i] - '0') * 10 + (d[i + 1] - '0'); };
    const QDateTime target(QDate(2000 + field(0), field(2), field(4)), QTime(field(6), field(8), field(10)));
    if (!target.isValid())
        return SimReply::Nak(request.code);
    state.clockOffsetSeconds = NowDateTime().secsTo(target);
    return SimReply{{request.frame}};
}

}  // namespace

void RegisterSettingsCommands(SimProtocol& protocol) {
    for (const char* name : kReadRegisters) {
        const QByteArray reg(name);
        protocol.Register(reg + ",R", [reg](const SimRequest& request, SimInstrumentState& state) {
            return SimReply::Answer(request.code, state.registers.value(reg));
        });
    }
    for (const char* name : kEchoedWrites) {
        const QByteArray reg(name);
        protocol.Register(reg + ",W", [reg](const SimRequest& request, SimInstrumentState& state) {
            state.registers.insert(reg, request.data);
            return SimReply::Answer(request.code, request.data);
        });
    }
    for (const char* name : kAcceptedWrites) {
        const QByteArray reg(name);
        protocol.Register(reg + ",W", [reg](const SimRequest& request, SimInstrumentState& state) {
            state.registers.insert(reg, request.data);
            return SimReply::Answer(request.code);
        });
    }
    protocol.Register("DW,W", [](const SimRequest& request, SimInstrumentState& state) {
        ++state.settingsCommits;
        return SimReply::Answer(request.code);
    });
    protocol.Register("LI,R", GasLibraryRow);
    protocol.Register("HC,R", [](const SimRequest& request, SimInstrumentState& state) {
        return SimReply::Answer(request.code, InstrumentClock(state).toString(QStringLiteral("yyMMddHHmmss")).toLatin1());
    });
    protocol.Register("HC,W", SetClock);
}

}  // namespace mt52::sim
