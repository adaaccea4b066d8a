#pragma once
// The judgement of a stored alarm trend at its alarm moment: the readings of the trend file's
// record 361 (the first of the 360 samples from the alarm time on) for gases 1 to 4, and
// whether each reached its warning or alarm level. The record detail shows the readings.
#include "platform/Types.h"

#include <array>

namespace mt52 {

// Gases the judgement covers (slots 0..3).
inline constexpr int JudgedGases = 4;
// The trend-file record (from 1) of the alarm moment.
inline constexpr Long AlarmMomentRecord = 361;

struct TrendAlarmJudgement {
    // Reading or reading code per gas at the alarm moment; -101 when there is none.
    std::array<Single, JudgedGases> AlarmTimeReadings{-101.0f, -101.0f, -101.0f, -101.0f};
    // The reading reached the gas's warning or alarm level, or is a code other than -101.
    std::array<bool, JudgedGases> Exceeded{};
};

// Judges the alarm trend with the Log_Head key in the database at State().DatabasePath. Each
// gas is compared at the decimals given for it (those of the connected instrument's settings),
// with its own enable flag, warning and alarm level from the log's row. A missing database,
// row or trend file, or a file of fewer than 361 whole records, gives -101 and not exceeded.
// A database that cannot be read, or a trend file that cannot be read, raises.
TrendAlarmJudgement JudgeTrendAlarm(Long seqNo, const std::array<Integer, JudgedGases>& decimals);

}  // namespace mt52
