#pragma once
// Readings and channel states share one number space: a stored reading is a single, and the
// whole numbers from -101 down to -197 are codes that stand for states (no data, gas alarm
// states, instrument failures, calibration and switch events, alarm releases). This file
// holds the code table with its screen and report texts and the conversions from the
// instrument's raw forms (status byte, event number, statistics text, compressed count).
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// The reading codes by name. Every comparison with a code is exact.
namespace ReadingCode {
inline constexpr Integer NoData = -101;
inline constexpr Integer Normal = -102;
inline constexpr Integer Warning = -103;
inline constexpr Integer Alarm = -104;
inline constexpr Integer Stel = -105;
inline constexpr Integer Twa = -106;
inline constexpr Integer Over = -107;
inline constexpr Integer MarkFEFE = -118;   // the instrument wrote FE FE for the value
inline constexpr Integer MarkDDDD = -121;   // the instrument wrote DD DD for the value
inline constexpr Integer FailAir = -130;    // first failure group: -130 .. -137
inline constexpr Integer FailAlkaline = -150;  // second failure group: -150 .. -157
inline constexpr Integer FailureEnd = -158;
inline constexpr Integer CalOn = -170;      // calibration, unit and switch events: -170 .. -180
inline constexpr Integer CalOff = -171;
inline constexpr Integer Clear = -172;
inline constexpr Integer UnitLel = -173;
inline constexpr Integer UnitPpm = -174;
inline constexpr Integer UnitVol = -175;
inline constexpr Integer Air = -180;
inline constexpr Integer WarningReleased = -193;  // releases: -193 .. -197
inline constexpr Integer OverReleased = -197;
}  // namespace ReadingCode

// What FormatTrendCell returned last, recorded in State().CellCategory.
namespace CellCategories {
inline constexpr Integer Number = 0;
inline constexpr Integer GasState = 1;       // a gas status or its release
inline constexpr Integer FailureFirst = 2;   // -130 .. -137
inline constexpr Integer FailureSecond = 3;  // -150 .. -158
inline constexpr Integer Event = 4;          // -170 .. -180
inline constexpr Integer NoValue = 9;        // no data and the instrument's value marks
}  // namespace CellCategories

// One row of the code table.
struct ReadingCodeInfo {
    Integer Code;
    const char* ScreenText;  // shown on screens and in grids
    Integer Category;        // the CellCategories value of the screen text
    const char* ReportText;  // printed reports and report-style exports
};

// The table row of a code; nullptr for a value that is no code of the table.
const ReadingCodeInfo* FindReadingCode(double code);

// The screen text of a reading or code. A code of the table gives its screen text; the raw
// 16-bit marks 56797 (DDDD) give "*****" and 65535 (FFFF), 65287 (FF07) "-----"; any other
// value is a reading, formatted with "#0.0", "#0.00" or "#0.000" for 1, 2 or 3 decimals and
// "#0" otherwise. Records the category of the text in State().CellCategory.
QString FormatTrendCell(Single value, Integer point);
// Appends the text of FormatTrendCell(value, point) to `out`, recording the category the same
// way; true when the text is a number (a finite reading), false for a code word or mark.
bool AppendTrendCell(QString& out, Single value, Integer point);

// The report text of a code; the empty text for -101 and for anything not in the table.
QString EventCodeText(Long code);

// The code of an instrument status byte (the low byte decides; 255 and no bit set are no data).
Integer StatusFlagsToCode(Integer flags);

// The code of an event number sent as decimal text; 0 when the text is not numeric, -101 for
// a number without a code. A number outside the 16-bit range raises the overflow error.
Integer EventNumberToCode(const QString& text);

// A statistics field: its number when numeric (overflow error beyond the single range),
// otherwise the code of its status word ("OVE", "WAR", "ALR", "STE", "TWA", "NOR"), 0 for
// "FAI", "MAX" and "MIN", -101 for anything else.
Single ParseStatValue(const QString& text);

// A 16-bit count in the instrument's compressed form: up to 53248 (D000) the count itself,
// above it 50000 + (count - 53248) * 100. A result beyond the 32-bit range raises the
// overflow error.
Single DecodeWideCount(Long count);

}  // namespace mt52
