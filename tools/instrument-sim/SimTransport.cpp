#include "SimTransport.h"

namespace mt52::sim {

bool SimTransport::open() {
    open_ = true;
    return true;
}

void SimTransport::close() {
    open_ = false;
    pending_.clear();
    readable_.clear();
}

bool SimTransport::write(const QByteArray& bytes) {
    if (!open_ || refuseWrites)
        return false;
    protocol_.Feed(bytes);
    Collect();
    return true;
}

LineSignals SimTransport::lineSignals() const {
    if (!open_)
        return {};
    const SimInstrumentState& s = protocol_.State();
    return {s.cts, s.dsr};
}

// Moves the engine's new output behind what is already queued; bytes due now become readable.
void SimTransport::Collect() {
    for (SimChunk& chunk : protocol_.TakeOutput())
        pending_.push_back(std::move(chunk));
    while (!pending_.empty() && pending_.front().delayTicks <= 0) {
        readable_ += pending_.front().bytes;
        pending_.pop_front();
    }
}

QByteArray SimTransport::readAvailable() {
    Collect();
    return std::exchange(readable_, {});
}

void SimTransport::Advance() {
    if (!pending_.empty())
        --pending_.front().delayTicks;
    Collect();
}

bool SimTransport::TakeLineChange() {
    const LineSignals now = lineSignals();
    if (now == reported_)
        return false;
    reported_ = now;
    return true;
}

}  // namespace mt52::sim
