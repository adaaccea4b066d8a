#pragma once
// Numbers and dates as ASCII bytes in a caller's buffer, for writers that gather bytes (the
// long exports): the same texts as AppendFixedDecimals and FormatDate give, without a string.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <array>
#include <cstring>

namespace mt52 {

// The text of AppendFixedDecimals(value, decimals) in `out` (room for FixedDecimalsCharsSize):
// the count written, or -1 for a value that is not finite or has no plain decimal form
// (AppendFixedDecimals then gives the general text).
inline constexpr int FixedDecimalsCharsSize = 96;
int FixedDecimalsChars(char* out, Single value, int decimals);

// "00" to "99", two bytes each, for writing digits two at a time.
inline constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The two digits of `value` (0 to 99) in `out`.
inline void DigitPairChars(char* out, unsigned value) { std::memcpy(out, DigitPairs.data() + 2 * value, 2); }

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
