#pragma once
// The link core wired to the simulated instrument in-process, driven tick by tick: every
// turn of the link's event pump is one 100 ms tick (line change, arrived bytes, tick).
#include "SimProtocol.h"
#include "SimTransport.h"
#include "link/LinkCore.h"

#include <QStringList>
#include <functional>

namespace mt52::test {

// Records the link's events; OnConnect may run a handler (the automatic download).
struct RecordingLinkEvents : LinkEvents {
    int connects = 0;
    int linkLosses = 0;
    QList<Integer> connectRetries;
    QStringList alarms;
    std::function<void()> onConnect;
    std::function<void()> onLinkLost;

    void OnConnect() override {
        ++connects;
        if (onConnect)
            onConnect();
    }
    void ConnectRetry(Integer count) override { connectRetries.append(count); }
    void AlarmMessage(const QString& text) override { alarms.append(text); }
    void LinkLost() override {
        ++linkLosses;
        if (onLinkLost)
            onLinkLost();
    }
};

struct SimLink {
    sim::SimInstrumentState instrument;
    sim::SimProtocol protocol{instrument};
    sim::SimTransport transport{protocol};
    RecordingLinkEvents events;
    LinkCore link{transport, [this] { Step(); }, &events};
    int ticks = 0;
    // Runs at the start of every tick (a user acting while a transfer waits).
    std::function<void()> onStep;

    // One tick of time: the serial control notices line changes, bytes are delivered, the
    // link timer ticks.
    void Step() {
        ++ticks;
        if (onStep)
            onStep();
        transport.Advance();
        if (transport.TakeLineChange())
            link.OnLineEvent();
        link.PumpTransport();
        link.Tick();
    }
    void Steps(int count) {
        for (int i = 0; i < count; ++i)
            Step();
    }
    // Steps until `done` holds, at most `limit` ticks; true when it held.
    bool StepUntil(const std::function<bool()>& done, int limit = 1000) {
        for (int i = 0; i < limit && !done(); ++i)
            Step();
        return done();
    }
    // Puts the instrument in its cradle and lets the link connect.
    bool Connect() {
        instrument.placeInCradle();
        return StepUntil([this] { return link.Connected(); }, 100);
    }
    // The command texts the instrument has received.
    QList<QByteArray> Sent() const { return protocol.RequestCommands(); }
};

}  // namespace mt52::test
