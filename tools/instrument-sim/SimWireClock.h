#pragma once
// The timing of a serial line at a baud rate, for a simulated instrument that sends no faster
// than the wire carries bytes: every byte takes ten bit times (start bit, eight data bits,
// stop bit). Each direction carries one byte after the other. Times are handed in, so the
// arithmetic can be checked without waiting.
#include <chrono>
#include <cstdint>

namespace mt52::sim {

using SimTime = std::chrono::steady_clock::time_point;
using SimDuration = std::chrono::nanoseconds;

inline constexpr int BitsPerByte = 10;

// How long `bytes` bytes take on the wire at `baud` (0 for a rate that is no rate).
SimDuration WireTime(std::int64_t bytes, int baud);

// How many of `total` bytes whose first one went on the wire at `start` have crossed it by
// `now`.
std::int64_t BytesCrossed(SimTime start, SimTime now, int baud, std::int64_t total);

class SimWireClock {
public:
    // `bytes` bytes from the link were seen at `now`, the moment the first of them went on
    // the wire (or later, when the line in is still busy with earlier ones): when the last
    // of them has arrived.
    SimTime Receive(std::int64_t bytes, SimTime now, int baud);
    // `bytes` bytes are ready to go at `ready`: when the first of them goes on the wire, once
    // the line out has carried what it had.
    SimTime Send(std::int64_t bytes, SimTime ready, int baud);

private:
    SimTime inFreeAt_{};
    SimTime outFreeAt_{};
};

}  // namespace mt52::sim
