#include "platform/OleDate.h"
#include "platform/TextChars.h"

#include <QRegularExpression>
#include <array>
#include <cmath>
#include <cstring>

namespace mt52 {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

constexpr double kFirstDay = -657434;  // 100-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31

// Whole seconds of a time of day given in (non-negative) seconds, rounded half away from zero
// as std::llround does; the integer part of a double is cut off exactly.
long long RoundedSeconds(double seconds) {
    const auto whole = static_cast<long long>(seconds);
    return seconds - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

// Splits the value into whole days from the epoch and whole seconds of the day. The
// fraction of a negative value is the time of day as an absolute value. A value that is no
// date (not finite, or beyond the years 100 to 9999, say from a damaged row) splits as the
// invalid-date mark. The same test as IsDateInRange, made on the way.
void Split(double value, long long& days, long long& seconds) {
    if (!(value > kFirstDay - 1 && value < kLastDay + 1)) {  // also NaN
        days = static_cast<long long>(InvalidDateMark.value());
        seconds = 0;
        return;
    }
    // Within the range the cast cuts the fraction off as std::trunc does.
    days = static_cast<long long>(value);
    const double whole = static_cast<double>(days);
    long long secs = RoundedSeconds(std::fabs(value - whole) * kSecondsPerDay);
    if (secs >= 86400) {
        // The last half second of 9999 rounds into 10000: no date.
        if (whole == kLastDay || whole == kFirstDay) {
            days = static_cast<long long>(InvalidDateMark.value());
            seconds = 0;
            return;
        }
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
    const bool roundsUp = RoundedSeconds(std::fabs(days - whole) * kSecondsPerDay) >= 86400;
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

int Date::year() const { return toDateTime().date().year(); }
int Date::month() const { return toDateTime().date().month(); }
int Date::day() const { return toDateTime().date().day(); }
int Date::hour() const { return toDateTime().time().hour(); }
int Date::minute() const { return toDateTime().time().minute(); }
int Date::second() const { return toDateTime().time().second(); }

Date Date::datePart() const {
    long long days = 0, secs = 0;
    Split(days_, days, secs);
    return Date(static_cast<double>(days));
}

// Moving, measuring and formatting work on the calendar date and time of day the value holds,
// without the local time zone: they are faster, and a time that a clock change skips still
// reads as it was stored.
Date Date::addSeconds(double seconds) const {
    if (!std::isfinite(seconds))
        return *this;
    long long days = 0, secs = 0;
    Split(days_, days, secs);
    const long long total = days * 86400LL + secs + std::llround(seconds);
    const long long newDays = total >= 0 ? total / 86400LL : -((-total + 86399LL) / 86400LL);
    return Date(Compose(newDays, total - newDays * 86400LL));
}

long long Date::secondsTo(const Date& other) const {
    long long days = 0, secs = 0, otherDays = 0, otherSecs = 0;
    Split(days_, days, secs);
    Split(other.days_, otherDays, otherSecs);
    return (otherDays - days) * 86400LL + (otherSecs - secs);
}

namespace {

// The calendar date of a day count from 1899-12-30 (the proleptic Gregorian calendar, as QDate
// counts it), worked out in integers: a long table formats a date per row.
struct CalendarDay {
    int year;
    int month;
    int day;
};
CalendarDay CalendarDayOf(long long days) {
    constexpr long long EpochToCivilBase = 693899;  // 0000-03-01 to 1899-12-30
    const long long z = days + EpochToCivilBase;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

// A non-negative number with at least `width` digits (at most 12), zeros in front, into a byte
// buffer: the count written.
int DigitChars(char* out, int value, int width) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    int count = 0;
    for (int i = n; i < width; ++i)
        out[count++] = '0';
    while (n > 0)
        out[count++] = digits[--n];
    return count;
}

// The same appended to a text.
void AppendDigits(QString& out, int value, int width) {
    char digits[24];
    out += QLatin1StringView(digits, DigitChars(digits, value, width));
}

// The lower case of a picture character; the letters of the fields are plain ASCII.
QChar LowerOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 128)
        return QChar(u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u + (u'a' - u'A')) : u);
    return c.toLower();
}

}  // namespace

QString FormatDate(const Date& date, const QString& picture) {
    long long days = 0, secs = 0;
    Split(date.value(), days, secs);
    const CalendarDay d = CalendarDayOf(days);
    const int hour = static_cast<int>(secs / 3600);
    const int minute = static_cast<int>(secs / 60 % 60);
    const int second = static_cast<int>(secs % 60);
    QString out;
    const int n = static_cast<int>(picture.size());
    out.reserve(n + 8);
    for (int i = 0; i < n;) {
        const QChar c = LowerOf(picture.at(i));
        int run = 1;
        while (i + run < n && LowerOf(picture.at(i + run)) == c)
            ++run;
        const int width = run >= 2 ? 2 : 1;
        switch (c.unicode()) {
        case 'y':
            if (run >= 4)
                AppendDigits(out, d.year, 4);
            else
                AppendDigits(out, d.year % 100, 2);
            break;
        case 'm': AppendDigits(out, d.month, width); break;
        case 'd': AppendDigits(out, d.day, width); break;
        case 'h': AppendDigits(out, hour, width); break;
        case 'n': AppendDigits(out, minute, width); break;
        case 's': AppendDigits(out, second, width); break;
        default: out += QStringView(picture).mid(i, run); break;
        }
        i += run;
    }
    return out;
}

namespace {

void PairChars(char* out, int value) { DigitPairChars(out, static_cast<unsigned>(value)); }

// "yyyy/mm/dd " of a split day count (years 100 to 9999): DayCharsSize bytes.
constexpr int DayCharsSize = 11;
void DayChars(long long days, char* out) {
    const CalendarDay d = CalendarDayOf(days);
    PairChars(out, d.year / 100);
    PairChars(out + 2, d.year % 100);
    out[4] = '/';
    PairChars(out + 5, d.month);
    out[7] = '/';
    PairChars(out + 8, d.day);
    out[10] = ' ';
}

// "hh:nn:ss" of whole seconds of a day: TimeCharsSize bytes.
constexpr int TimeCharsSize = 8;
void TimeChars(long long seconds, char* out) {
    const int secs = static_cast<int>(seconds);
    PairChars(out, secs / 3600);
    out[2] = ':';
    PairChars(out + 3, secs / 60 % 60);
    out[5] = ':';
    PairChars(out + 6, secs % 60);
}

}  // namespace

int DateTimeChars(const Date& date, char* out) {
    long long days = 0, secs = 0;
    Split(date.value(), days, secs);
    DayChars(days, out);
    TimeChars(secs, out + DayCharsSize);
    return DayCharsSize + TimeCharsSize;
}

int RunningDateTimeChars::operator()(const Date& date, char* out) {
    long long days = 0, secs = 0;
    Split(date.value(), days, secs);
    if (!dayMade_ || days != day_) {
        DayChars(days, dayChars_.data());
        day_ = days;
        dayMade_ = true;
    }
    std::memcpy(out, dayChars_.data(), DayCharsSize);
    TimeChars(secs, out + DayCharsSize);
    return DayCharsSize + TimeCharsSize;
}

QString GeneralDate(const Date& date) {
    long long days = 0, secs = 0;
    Split(date.value(), days, secs);
    return FormatDate(date, secs == 0 ? QStringLiteral("yyyy/mm/dd") : QStringLiteral("yyyy/mm/dd hh:nn:ss"));
}

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
