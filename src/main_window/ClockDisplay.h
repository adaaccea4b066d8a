#pragma once
// The two clocks of the option page: the PC's date and time, and the instrument's, which is
// the PC time minus the offset the instrument model kept when its clock was last read.
// With the link idle (status 0) the PC clock follows every tick and the instrument clock is
// blank; otherwise both change once a second, when the second shown last has passed.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <optional>

namespace mt52 {

struct ClockTexts {
    // New texts of the PC clock, the instrument clock and the PC clock's tag; nullopt keeps
    // the text shown.
    std::optional<QString> PcClock;
    std::optional<QString> InstrumentClock;
    std::optional<QString> Tag;
};

// One tick of the clock display: `now` the current date-time, `linkStatus` the link's status
// code, `lastTag` the date-time last shown (as text), `sysDateOffset` the instrument model's
// PC-minus-instrument offset (date 0 before any instrument clock was read).
ClockTexts ClockTick(const Date& now, Long linkStatus, const QString& lastTag, const Date& sysDateOffset);

}  // namespace mt52
