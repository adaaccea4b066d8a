#pragma once
// How the database keeps the values that SQLite has no type for: a date is the text
// "YYYY-MM-DD HH:MM:SS" (whole seconds, so equal dates compare equal as text and sort in
// time order), a Boolean is the whole number 1 or 0, and any non-zero number reads as True.
#include "platform/OleDate.h"

#include <QString>
#include <optional>

namespace mt52 {

// The stored text of a date, rounded to the nearest whole second.
QString EncodeDbDate(const Date& date);
// The date of a stored text; nullopt when the text is not exactly of the stored form or
// does not name a real date and time.
std::optional<Date> DecodeDbDate(const QString& text);

// The date of a date column's text as other tools write it too: the stored form or the date
// alone ("YYYY-MM-DD", midnight); nullopt for any other text.
std::optional<Date> DecodeDbDateText(const QString& text);

// What a column of the program's tables holds, by its name, whatever type its declaration
// names: a database made by another tool or a conversion may declare every column TEXT and
// still hold the dates as texts and the Yes/No values as 0 and 1. Names compare without regard
// to case.
enum class StoredKind { Plain, YesNo, Date };
StoredKind StoredKindOfColumn(QStringView name);

inline constexpr int EncodeDbBool(bool value) { return value ? 1 : 0; }
inline constexpr bool DecodeDbBool(long long stored) { return stored != 0; }

}  // namespace mt52
