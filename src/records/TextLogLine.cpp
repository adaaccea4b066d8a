#include "records/TextLogLine.h"

#include "platform/Numbers.h"
#include "platform/VbString.h"

#include <cmath>

namespace mt52 {

QString LineField(const QString& line, int column, int width) { return Mid(line, column, width); }

std::optional<int> WholeField(const QString& field) {
    if (!IsNumeric(field))
        return std::nullopt;
    const double value = ParseNumber(field);
    if (value != std::floor(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Date> LineDate(const QString& line, int column) {
    const auto yy = WholeField(LineField(line, column, 2));
    const auto mm = WholeField(LineField(line, column + 2, 2));
    const auto dd = WholeField(LineField(line, column + 4, 2));
    if (!yy || !mm || !dd)
        return std::nullopt;
    return Date::FromParts(2000 + *yy, *mm, *dd);
}

std::optional<double> LineTime(const QString& line, int column, bool anyNumbers) {
    const auto hh = WholeField(LineField(line, column, 2));
    const auto nn = WholeField(LineField(line, column + 2, 2));
    const auto ss = WholeField(LineField(line, column + 4, 2));
    if (!hh || !nn || !ss)
        return std::nullopt;
    if (!anyNumbers && !IsValidDateTime(2000, 1, 1, *hh, *nn, *ss))
        return std::nullopt;
    return *hh * 3600.0 + *nn * 60.0 + *ss;
}

}  // namespace mt52
