#pragma once
// Numbers and dates as ASCII bytes in a caller's buffer, for writers that gather bytes (the
// long exports): the same texts as AppendFixedDecimals and FormatDate give, without a string.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <array>

namespace mt52 {

// The text of AppendFixedDecimals(value, decimals) in `out` (room for FixedDecimalsCharsSize):
// the count written, or -1 for a value that is not finite or has no plain decimal form
// (AppendFixedDecimals then gives the general text).
inline constexpr int FixedDecimalsCharsSize = 96;
int FixedDecimalsChars(char* out, Single value, int decimals);

// FormatDate(date, "yyyy/mm/dd hh:nn:ss") in `out` (room for DateTimeCharsSize): the count
// written.
inline constexpr int DateTimeCharsSize = 32;
int DateTimeChars(const Date& date, char* out);

// DateTimeChars for a run of dates most of which share the day of the one before (the rows of
// a trend): the "yyyy/mm/dd " of the last day is kept and only the time of day is made anew.
class RunningDateTimeChars {
public:
    int operator()(const Date& date, char* out);

private:
    bool dayMade_ = false;
    long long day_ = 0;
    std::array<char, 12> dayChars_{};
};

}  // namespace mt52
