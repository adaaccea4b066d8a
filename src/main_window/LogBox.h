#pragma once
// The lines of the communication log box on the Download page: short coloured lines telling
// the user what was started, what succeeded and what failed. Each AddLogText call appends its
// text and a line break in one colour; a text that ends with its own line break therefore
// leaves an empty line after it. The box only grows until the default settings empty it.
#include "platform/Types.h"

#include <QString>
#include <vector>

namespace mt52 {

// The colours of log-box lines (red + 256 green + 65536 blue).
namespace LogColor {
inline constexpr Long Failure = 255;              // red (255, 0, 0)
inline constexpr Long Success = 192 * 256;        // green (0, 192, 0)
inline constexpr Long Instrument = 192 * 65536;   // blue (0, 0, 192)
inline constexpr Long DumpList = 128 + 32 * 256;  // brown (128, 32, 0)
}  // namespace LogColor

struct LogBoxLine {
    QString Text;
    Long Color = 0;
    friend bool operator==(const LogBoxLine&, const LogBoxLine&) = default;
};

class LogBox {
public:
    // Appends the text as one or more lines in the colour: every line break inside the text
    // (CR LF, CR or LF) ends a line. Returns the text to insert at the end of the box, each
    // break as one "\n", ending with the line's own break.
    QString Append(const QString& text, Long color);
    void Clear() { lines_.clear(); }
    const std::vector<LogBoxLine>& Lines() const { return lines_; }

private:
    std::vector<LogBoxLine> lines_;
};

}  // namespace mt52
