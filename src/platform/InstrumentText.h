#pragma once
// The instrument's character set: ASCII, and the bytes 0xA1..0xDF as the half-width
// katakana U+FF61..U+FF9F. Decoding is the same whatever the machine's locale.
#include <QByteArray>
#include <QString>

namespace mt52 {

// Every byte becomes one character: 0x00..0x7F as ASCII, 0xA1..0xDF as half-width katakana,
// any other byte as the Latin-1 character of the same value (so nothing is lost).
QString DecodeInstrumentBytes(const QByteArray& bytes);
// The inverse: characters without a byte in the table become '?'.
QByteArray EncodeInstrumentText(const QString& text);

}  // namespace mt52
