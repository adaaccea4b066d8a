#pragma once
// 1-based string helpers for logic that counts positions, with the classic semantics:
// Mid/Left/Right clamp instead of failing, InStr answers 0 when the text is not found.
// Trim removes blanks (spaces) only, not tabs or line ends.
#include <QString>

namespace mt52 {

// The characters from 1-based position `start`, `length` of them (all the rest when negative).
// A start below 1 raises the invalid-argument error (5).
QString Mid(const QString& text, int start, int length = -1);
QString Left(const QString& text, int length);
QString Right(const QString& text, int length);
// 1-based position of `find` in `text` from 1-based `start`; 0 when absent. An empty `find`
// gives `start` (when start <= length + 1).
int InStr(int start, const QString& text, const QString& find);
inline int InStr(const QString& text, const QString& find) { return InStr(1, text, find); }
// Position of the last occurrence, 0 when absent.
int InStrRev(const QString& text, const QString& find);
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);
// `count` copies of the first character of `ch`.
QString StringOf(int count, QChar ch);
// Text cut or padded with blanks on the right to exactly `width` characters.
QString PadRight(const QString& text, int width);

}  // namespace mt52
