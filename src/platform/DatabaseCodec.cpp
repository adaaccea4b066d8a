#include "platform/DatabaseCodec.h"

#include "platform/RuntimeError.h"

#include <cmath>
#include <cstdio>

namespace mt52 {

QString EncodeDbDate(const Date& date) {
    // Calendar arithmetic only: no time zone is consulted, so dates in a daylight-saving gap
    // keep their clock time, and storing many rows stays cheap.
    const double value = date.value();
    // A value that is no date would be stored as a text no reader takes back.
    if (!IsDateInRange(value))
        Raise(ErrOverflow, QStringLiteral("the date value %1 is outside the years 100 to 9999").arg(value));
    const double whole = std::trunc(value);
    long long days = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(value - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += value < 0 ? -1 : 1;
    }
    const QDate d = QDate(1899, 12, 30).addDays(days);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                  int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60));
    return QString::fromLatin1(text);
}

std::optional<Date> DecodeDbDate(const QString& text) {
    // Fixed positions: "YYYY-MM-DD HH:MM:SS".
    if (text.size() != 19 || text.at(4) != u'-' || text.at(7) != u'-' || text.at(10) != u' ' ||
        text.at(13) != u':' || text.at(16) != u':')
        return std::nullopt;
    auto number = [&text](int from, int length, bool& ok) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const QChar c = text.at(i);
            if (c < u'0' || c > u'9') {
                ok = false;
                return 0;
            }
            value = value * 10 + (c.unicode() - u'0');
        }
        return value;
    };
    bool ok = true;
    const int year = number(0, 4, ok), month = number(5, 2, ok), day = number(8, 2, ok);
    const int hour = number(11, 2, ok), minute = number(14, 2, ok), second = number(17, 2, ok);
    if (!ok)
        return std::nullopt;
    const QDate d(year, month, day);
    if (!d.isValid() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const double days = static_cast<double>(QDate(1899, 12, 30).daysTo(d));
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return Date(days < 0 ? days - fraction : days + fraction);
}

std::optional<Date> DecodeDbDateText(const QString& text) {
    if (text.size() == 10)
        return DecodeDbDate(text + QStringLiteral(" 00:00:00"));
    return DecodeDbDate(text);
}

StoredKind StoredKindOfColumn(QStringView name) {
    static const QLatin1String dates[] = {QLatin1String("Dates"),    QLatin1String("Last"),
                                              QLatin1String("WriteDates"), QLatin1String("Datetimes"),
                                              QLatin1String("EvtTime"),  QLatin1String("BaseDate")};
    for (QLatin1String date : dates)
        if (name.compare(date, Qt::CaseInsensitive) == 0)
            return StoredKind::Date;
    if (name.compare(QLatin1String("Power_Type"), Qt::CaseInsensitive) == 0)
        return StoredKind::YesNo;
    // The gas groups: Gas1MaxDate .. Gas5CalDate, Gas1Enable .. Gas5Enable.
    if (name.size() > 4 && name.left(3).compare(QLatin1String("Gas"), Qt::CaseInsensitive) == 0 &&
        name.at(3) >= u'1' && name.at(3) <= u'5') {
        const QStringView field = name.mid(4);
        for (QLatin1String date : {QLatin1String("MaxDate"), QLatin1String("MinDate"), QLatin1String("CalDate")})
            if (field.compare(date, Qt::CaseInsensitive) == 0)
                return StoredKind::Date;
        if (field.compare(QLatin1String("Enable"), Qt::CaseInsensitive) == 0)
            return StoredKind::YesNo;
    }
    return StoredKind::Plain;
}

}  // namespace mt52
