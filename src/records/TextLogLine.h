#pragma once
// The fixed columns of the instrument's text log lines: fields by 1-based column, and the
// dates and times written as two-digit fields (YYMMDD, hhnnss; the year is 2000 + YY).
#include "platform/OleDate.h"

#include <QString>
#include <optional>

namespace mt52 {

// `width` characters from the 1-based column (fewer at the end of the line).
QString LineField(const QString& line, int column, int width);
// The whole number a field reads as; nullopt when it is not numeric or not whole.
std::optional<int> WholeField(const QString& field);
// The date of six columns YYMMDD at the column, at 00:00; nullopt when they form no date.
std::optional<Date> LineDate(const QString& line, int column);
// The seconds of six columns hhnnss at the column; nullopt unless they form a time of day
// (hh 0..23, nn and ss 0..59). With `anyNumbers`, three numeric fields are enough and an hour,
// minute or second beyond its range carries into the next unit.
std::optional<double> LineTime(const QString& line, int column, bool anyNumbers = false);

}  // namespace mt52
