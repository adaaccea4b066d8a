#include "SimWireClock.h"

#include <algorithm>

namespace mt52::sim {
namespace {
constexpr std::int64_t NanosecondsPerSecond = 1'000'000'000;
}

SimDuration WireTime(std::int64_t bytes, int baud) {
    if (baud <= 0 || bytes <= 0)
        return SimDuration::zero();
    return SimDuration(bytes * BitsPerByte * NanosecondsPerSecond / baud);
}

std::int64_t BytesCrossed(SimTime start, SimTime now, int baud, std::int64_t total) {
    if (baud <= 0)
        return total;
    const std::int64_t elapsed = std::chrono::duration_cast<SimDuration>(now - start).count();
    if (elapsed <= 0)
        return 0;
    // In 128 bits: a long elapsed time times a high rate leaves the 64-bit range.
    const __int128 crossed = static_cast<__int128>(elapsed) * baud / (BitsPerByte * NanosecondsPerSecond);
    return crossed < total ? static_cast<std::int64_t>(crossed) : total;
}

SimTime SimWireClock::Receive(std::int64_t bytes, SimTime now, int baud) {
    inFreeAt_ = std::max(inFreeAt_, now) + WireTime(bytes, baud);
    return inFreeAt_;
}

SimTime SimWireClock::Send(std::int64_t bytes, SimTime ready, int baud) {
    const SimTime start = std::max(outFreeAt_, ready);
    outFreeAt_ = start + WireTime(bytes, baud);
    return start;
}

}  // namespace mt52::sim
