#pragma once
// Colours as the program keeps them: one Long, red + 256 * green + 65536 * blue.
#include "platform/Types.h"

namespace mt52 {

constexpr Long RGB(int red, int green, int blue) {
    return static_cast<Long>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int RedOf(Long colour) { return colour & 0xFF; }
constexpr int GreenOf(Long colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(Long colour) { return (colour >> 16) & 0xFF; }

}  // namespace mt52
