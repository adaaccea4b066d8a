#pragma once
// The date value of the object models: a count of days since 1899-12-30 00:00, with the
// time of day as the fraction. Value 2 is 1900-01-01 00:00, the mark that stands for a date
// whose bytes did not form a valid date.
#include <QDateTime>
#include <QString>
#include <optional>

namespace mt52 {

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double days) : days_(days) {}

    constexpr double value() const { return days_; }

    // Calendar date and time; nullopt when the parts do not form a valid date and time
    // (month 13, 31 April, hour 24, a year outside 100..9999 ...).
    static std::optional<Date> FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                                         int second = 0);
    static Date FromDateTime(const QDateTime& dateTime);
    // The local date and time, to the nearest whole second.
    QDateTime toDateTime() const;

    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;

    // The date with its time of day cut off.
    Date datePart() const;
    // A copy moved by whole seconds.
    Date addSeconds(double seconds) const;
    // Seconds from this date to the other (other - this), rounded to whole seconds.
    long long secondsTo(const Date& other) const;

    friend constexpr bool operator==(const Date& a, const Date& b) { return a.days_ == b.days_; }
    friend constexpr auto operator<=>(const Date& a, const Date& b) { return a.days_ <=> b.days_; }

private:
    double days_ = 0.0;
};

// The invalid-date mark: 1900-01-01 00:00.
inline constexpr Date InvalidDateMark{2.0};

// Whether a day count is a finite value within 100-01-01 00:00:00 .. 9999-12-31 23:59:59 (the
// time of day rounded to whole seconds).
bool IsDateInRange(double days);

// Whether the parts form a valid calendar date and time of day.
bool IsValidDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Formats a date with a picture of the tokens yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s;
// every other character is copied as it stands. "mm" is always the month, "nn" the minute.
// Examples: "yyyy/mm/dd hh:nn:ss", "mm/dd hh:nn:ss", "mm/yy", "ddhhnnss", "yymmddhhnnss".
QString FormatDate(const Date& date, const QString& picture);

// The one "General Date" form of the program: "yyyy/mm/dd hh:nn:ss", the date alone
// ("yyyy/mm/dd") when the time of day, to the whole second, is exactly midnight.
QString GeneralDate(const Date& date);

// Reads a date written as "yyyy/mm/dd", "yyyy-mm-dd" or "yyyy.mm.dd", optionally followed by a blank
// (or "T") and "hh:nn" or "hh:nn:ss". Fields may have one or two digits. nullopt when the text is not
// such a date or the date is not valid.
std::optional<Date> ParseDate(const QString& text);

}  // namespace mt52
