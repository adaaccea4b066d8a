#pragma once
// The value widths of the instrument program's object models.
#include <cstdint>

namespace mt52 {

using Integer = std::int16_t;  // 16-bit signed whole number
using Long = std::int32_t;     // 32-bit signed whole number
using Single = float;          // IEEE single precision
using Byte = std::uint8_t;

}  // namespace mt52
