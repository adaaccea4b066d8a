#pragma once
// The communication log box on the Download page shows short coloured lines telling the user
// what was started, what succeeded and what failed. Each AddLogText call appends its text and
// a line break in one colour at the end of the box; a text that ends with its own line break
// therefore leaves an empty line after it.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// The colours of log-box lines (red + 256 green + 65536 blue).
namespace LogColor {
inline constexpr Long Failure = 255;              // red (255, 0, 0)
inline constexpr Long Success = 192 * 256;        // green (0, 192, 0)
inline constexpr Long Instrument = 192 * 65536;   // blue (0, 0, 192)
inline constexpr Long DumpList = 128 + 32 * 256;  // brown (128, 32, 0)
}  // namespace LogColor

// The text one AddLogText call inserts at the end of the box: every line break inside the
// text (CR LF, CR or LF) as one "\n", then the line's own "\n".
QString LogBoxInsertion(const QString& text);

}  // namespace mt52
