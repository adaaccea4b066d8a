#pragma once
// Readings as ASCII bytes in a caller's buffer, for writers that gather bytes (the long
// exports): the same texts as AppendTrendCell and AppendReadingText give for a plain reading.
#include "platform/TextChars.h"
#include "platform/Types.h"

namespace mt52 {

// The decimals of a reading's text for a slot's point: 1 to 3 as given, none for any other.
inline int ReadingDecimals(Integer point) { return point >= 1 && point <= 3 ? point : 0; }

// The text of AppendTrendCell for a plain finite reading in `out` (room for
// FixedDecimalsCharsSize), recording the category Number: the count written. -1, recording
// nothing, for a code, a mark or any value without a plain decimal text.
int TrendNumberChars(char* out, Single value, Integer point);

// The text of AppendReadingText for a plain finite reading in `out` (room for
// FixedDecimalsCharsSize): the count written, `numeric` set as AppendReadingText returns. -1
// for anything else (a code, a mark, no full scale): AppendReadingText then gives the text.
int ReadingChars(char* out, Single value, Integer point, Single fullScale, bool& numeric);

}  // namespace mt52
