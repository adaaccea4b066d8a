#pragma once
// Reads a simulated instrument from a small text description: its identity, settings,
// clock and the snapshot records in its memory.
//
// One "key = value" per line; blank lines and lines starting with "#" or ";" are ignored.
// Blanks around keys and values are dropped; a value in double quotes keeps its blanks
// ("HC  "). Text is written in UTF-8 and sent in the instrument's character set. Keys:
//
//   model          = MT-52                 what the connection poll answers
//   serial         = SIM0000001            the serial number (register IN)
//   user           = USER01                the user ID (register XZ)
//   station        = STATION01             the station ID (register XS)
//   register.VP    = 00012345              any register by its two-character command code,
//                                          as the text the instrument sends
//   clock          = 2024/05/01 12:00:00   the instrument clock when the simulator starts;
//                                          "pc" runs it with the computer's clock
//   clock-offset   = -90                   or: seconds the instrument clock is ahead
//   memory-blocks  = 20                    at least this many 128-byte memory blocks
//   snapshot       = 1, CH4, 100, 1, %LEL, 12.5, 2024/04/30 09:15:00
//                    record number, gas name (up to 10 characters), full scale, digit,
//                    unit, gas value (up to 5 characters each), date and time (years
//                    2000 to 2099); each line is the next record slot of the memory
//
// A later line overrides an earlier one with the same key, except snapshots, which add up.
#include "SimInstrumentState.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace mt52::sim {

// Applies a description to `state`. `now` is the moment the instrument clock is set
// against. Returns the first mistake as "line N: ..." and leaves `state` unchanged then.
std::optional<QString> ApplySimDescription(const QString& text, const QDateTime& now, SimInstrumentState& state);

// The same for a file; a file that cannot be read is a mistake too.
std::optional<QString> LoadSimDescription(const QString& path, const QDateTime& now, SimInstrumentState& state);

}  // namespace mt52::sim
