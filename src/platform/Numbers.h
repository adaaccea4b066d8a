#pragma once
// Numbers as text and whole-number conversions with the classic semantics: conversions to
// Integer and Long round halves to even and fail with the overflow error; text always uses
// "." as the decimal separator, whatever the machine's locale.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// The strict numeric test: after trimming blanks, an optional sign, then digits with at most
// one "." among them (at least one digit), and nothing else.
bool IsNumeric(const QString& text);

// The value of a text that passes IsNumeric; the type-mismatch error otherwise, the overflow
// error for a number too large for a double.
double ParseNumber(const QString& text);

// The leading number of a text, as the classic Val: blanks are skipped, reading stops at the
// first character that cannot continue the number; 0 when there is none.
double Val(const QString& text);

// Round halves to even, then check the range: the overflow error (6) outside it.
Integer ToInteger(double value);
Long ToLong(double value);
// Round halves to even, no range check.
double RoundHalfEven(double value);
// The single nearest the value; the overflow error beyond the single range.
Single ToSingle(double value);

// The shortest text that reads back as the same single (at most 7 significant digits),
// e.g. 100, 5.5, 0.1, -12.25, 1E+10.
QString SingleToText(Single value);
// The same for a double (at most 15 significant digits).
QString DoubleToText(double value);

// Formats a number with a numeric picture ("0", "0.0", "#0.00", "#0.0#", "#,##0", "000" ...):
// '0' is a digit that is always written, '#' one written only when needed, ',' in the
// integer part asks for thousands separators, '.' places the decimal point. Characters
// other than these are copied as they stand before or after the number. Rounding is half
// away from zero on the value's shortest decimal text, so 2.675f with "#0.00" gives 2.68.
// An empty picture gives the plain general form (SingleToText / DoubleToText).
QString FormatNumber(double value, const QString& picture);
QString FormatNumber(Single value, const QString& picture);
// The text of FormatNumber(value, FixedDecimalsPicture(decimals)) without parsing a picture
// and without temporaries: the fixed forms of readings in long tables and exports. A count
// outside 0 to 9 stands for 0. The Append form adds the text to `out`.
inline constexpr int MaxFixedDecimals = 9;
QString FormatFixedDecimals(Single value, int decimals);
void AppendFixedDecimals(QString& out, Single value, int decimals);
// "#0" for 0 decimals, "#0.0" .. "#0.000000000" for 1 to 9, "#0" for any other count.
QString FixedDecimalsPicture(int decimals);
// Disambiguate whole-number arguments.
inline QString FormatNumber(int value, const QString& picture) {
    return FormatNumber(static_cast<double>(value), picture);
}

}  // namespace mt52
