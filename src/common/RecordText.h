#pragma once
// The printable encodings the instrument uses for numbers and sample blocks: the run-length
// text of 16-bit samples with its one-character byte shortcuts, and single-precision numbers
// as eight hexadecimal digits (most significant byte first).
#include "platform/Types.h"

#include <QByteArray>
#include <QString>

namespace mt52 {

// Decodes a run-length text into upper-case hexadecimal digits, four per 16-bit sample.
// Characters 32..47 are byte shortcuts (see RunLengthShortcut); 48..63 start a nibble pair
// with the next character ("0".."9", ":".."?" are 0..F, high digit first); 64..127 give the
// repeat count of the next group (c - 64, or (c - 64) * 64 + (d - 64) when the next character
// d is also in 64..127); other characters are skipped. A completed group of four digits is
// written count times and the count returns to 1; an unfinished group at the end is dropped.
// A nibble or count character as the last character (a cut line), or a second nibble
// character outside "0".."?", raises the invalid-argument error; callers that decode
// instrument lines treat it as a rejected line.
QString RunLengthDecode(const QString& text);

// The two hexadecimal digits of a shortcut character ("!" 00, double quote FF, "#" D1,
// "$" 01, "%" 02, "&" 03, apostrophe FE); the empty text for any other character.
QString RunLengthShortcut(const QString& character);

// The bit pattern of a single as eight upper-case hexadecimal digits, most significant first.
QString SingleToHex(Single value);

// The single whose bit pattern the first eight hexadecimal digits give (either case). A text
// shorter than eight characters or a pair that is not hexadecimal raises the type-mismatch
// error.
Single HexToSingle(const QString& text);

// A text of exactly one character gets a "0" in front; any other text is returned unchanged.
QString PadHex2(const QString& text);

// The single whose four bytes stand at the index, most significant first. Fewer than four
// bytes from the index to the end raise the subscript error.
Single BytesToSingle(Long index, const QByteArray& bytes);

}  // namespace mt52
