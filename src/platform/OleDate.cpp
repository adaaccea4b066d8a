#include "platform/OleDate.h"

#include <QRegularExpression>
#include <cmath>

namespace mt52 {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

constexpr double kFirstDay = -657434;  // 100-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31

// Splits the value into whole days from the epoch and whole seconds of the day. The
// fraction of a negative value is the time of day as an absolute value. A value that is no
// date (not finite, or beyond the years 100 to 9999, say from a damaged row) splits as the
// invalid-date mark.
void Split(double value, long long& days, long long& seconds) {
    if (!IsDateInRange(value))
        value = InvalidDateMark.value();
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    long long secs = std::llround(fraction * kSecondsPerDay);
    days = static_cast<long long>(whole);
    if (secs >= 86400) {
        secs -= 86400;
        days += (value < 0) ? -1 : 1;
    }
    seconds = secs;
}

double Compose(long long days, long long seconds) {
    double fraction = static_cast<double>(seconds) / kSecondsPerDay;
    if (days < 0)
        return static_cast<double>(days) - fraction;
    return static_cast<double>(days) + fraction;
}

}  // namespace

bool IsDateInRange(double days) {
    if (!std::isfinite(days) || days <= kFirstDay - 1 || days >= kLastDay + 1)
        return false;
    // The time of day rounds to whole seconds: the last half second of 9999 rounds into 10000.
    const double whole = std::trunc(days);
    const bool roundsUp = std::llround(std::fabs(days - whole) * kSecondsPerDay) >= 86400;
    return !(roundsUp && (whole == kLastDay || whole == kFirstDay));
}

bool IsValidDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999)
        return false;
    if (!QDate::isValid(year, month, day))
        return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::optional<Date> Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidDateTime(year, month, day, hour, minute, second))
        return std::nullopt;
    long long days = kEpoch.daysTo(QDate(year, month, day));
    return Date(Compose(days, hour * 3600LL + minute * 60LL + second));
}

Date Date::FromDateTime(const QDateTime& dateTime) {
    QDate d = dateTime.date();
    QTime t = dateTime.time();
    long long days = kEpoch.daysTo(d);
    long long secs = t.hour() * 3600LL + t.minute() * 60LL + t.second();
    if (t.msec() >= 500)
        ++secs;
    if (secs >= 86400) {
        secs -= 86400;
        ++days;
    }
    return Date(Compose(days, secs));
}

QDateTime Date::toDateTime() const {
    long long days = 0, secs = 0;
    Split(days_, days, secs);
    QDate d = kEpoch.addDays(days);
    return QDateTime(d, QTime(0, 0).addSecs(static_cast<int>(secs)));
}

namespace {

// The calendar date and the time of day of a date value, worked out without a time zone: a
// date value is a wall-clock reading, so no daylight-saving rule may move it.
struct DateParts {
    QDate date;
    int seconds = 0;
};

DateParts PartsOf(double value) {
    long long days = 0, secs = 0;
    Split(value, days, secs);
    return {kEpoch.addDays(days), static_cast<int>(secs)};
}

// Seconds from the epoch on one straight line (a negative date counts its time forward from
// the start of its day, as the date values do).
long long LinearSeconds(double value) {
    long long days = 0, secs = 0;
    Split(value, days, secs);
    return days * 86400LL + secs;
}

}  // namespace

int Date::year() const { return PartsOf(days_).date.year(); }
int Date::month() const { return PartsOf(days_).date.month(); }
int Date::day() const { return PartsOf(days_).date.day(); }
int Date::hour() const { return PartsOf(days_).seconds / 3600; }
int Date::minute() const { return PartsOf(days_).seconds / 60 % 60; }
int Date::second() const { return PartsOf(days_).seconds % 60; }

Date Date::datePart() const {
    long long days = 0, secs = 0;
    Split(days_, days, secs);
    return Date(static_cast<double>(days));
}

Date Date::addSeconds(double seconds) const {
    if (!std::isfinite(seconds))
        return *this;
    const long long linear = LinearSeconds(days_) + std::llround(seconds);
    long long days = linear / 86400;
    long long secs = linear % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    return Date(Compose(days, secs));
}

long long Date::secondsTo(const Date& other) const { return LinearSeconds(other.days_) - LinearSeconds(days_); }

QString FormatDate(const Date& date, const QString& picture) {
    const DateParts parts = PartsOf(date.value());
    const QDate d = parts.date;
    const QTime t = QTime(0, 0).addSecs(parts.seconds);
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString out;
    const int n = picture.size();
    for (int i = 0; i < n;) {
        const QChar c = picture.at(i).toLower();
        int run = 1;
        while (i + run < n && picture.at(i + run).toLower() == c)
            ++run;
        switch (c.unicode()) {
        case 'y':
            if (run >= 4)
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            else
                out += two(d.year() % 100);
            break;
        case 'm': out += run >= 2 ? two(d.month()) : QString::number(d.month()); break;
        case 'd': out += run >= 2 ? two(d.day()) : QString::number(d.day()); break;
        case 'h': out += run >= 2 ? two(t.hour()) : QString::number(t.hour()); break;
        case 'n': out += run >= 2 ? two(t.minute()) : QString::number(t.minute()); break;
        case 's': out += run >= 2 ? two(t.second()) : QString::number(t.second()); break;
        default: out += picture.mid(i, run); break;
        }
        i += run;
    }
    return out;
}

QString GeneralDate(const Date& date) { return FormatDate(date, GeneralDatePattern); }

std::optional<Date> ParseDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})[/.\-](\d{1,2})[/.\-](\d{1,2})(?:[ T]+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt();
    const int d = m.captured(3).toInt();
    const int h = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    const int mi = m.captured(5).isEmpty() ? 0 : m.captured(5).toInt();
    const int s = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
    return Date::FromParts(y, mo, d, h, mi, s);
}

}  // namespace mt52
