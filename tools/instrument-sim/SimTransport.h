#pragma once
// The simulated instrument as a line for the link, in-process: what the link writes goes to
// the protocol engine, and its replies become readable as their delays run out. Time moves
// only when Advance() is called (once per link tick in tests), so a test is tick-exact.
#include "SimProtocol.h"
#include "link/LinkTransport.h"

#include <deque>

namespace mt52::sim {

class SimTransport final : public LinkTransport {
public:
    explicit SimTransport(SimProtocol& protocol) : protocol_(protocol) {}

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override;
    QByteArray readAvailable() override;
    LineSignals lineSignals() const override;

    // One tick passes: delayed reply bytes come one tick nearer.
    void Advance();
    // Whether the line signals changed since the last call (the serial control's polling).
    bool TakeLineChange();

    // A write fails as on a line that refuses it.
    bool refuseWrites = false;

private:
    void Collect();

    SimProtocol& protocol_;
    std::deque<SimChunk> pending_;
    QByteArray readable_;
    bool open_ = true;
    LineSignals reported_;
};

}  // namespace mt52::sim
