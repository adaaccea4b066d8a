#include "platform/Numbers.h"
#include "platform/OleDate.h"
#include "platform/TextChars.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include "platform/VbString.h"
#include "platform/InstrumentText.h"
#include "platform/Twips.h"
#include "platform/UserDialogs.h"

#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <vector>

namespace mt52 {
namespace {

TEST(WholeNumbers, RoundHalvesToEvenAndOverflow) {
    struct Case { double in; int out; };
    for (const Case& c : std::vector<Case>{{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2},
                                           {32767.4, 32767}, {-32768.4, -32768}}) {
        EXPECT_EQ(ToInteger(c.in), c.out) << c.in;
    }
    EXPECT_EQ(ErrorOf([] { ToInteger(32767.5); }), ErrOverflow);  // rounds to 32768
    EXPECT_EQ(ErrorOf([] { ToInteger(-32768.6); }), ErrOverflow);
    EXPECT_EQ(ToLong(2147483647.0), 2147483647);
    EXPECT_EQ(ErrorOf([] { ToLong(2147483647.5); }), ErrOverflow);
}

TEST(NumericTest, IsStrict) {
    for (const char* yes : {"1", " 12 ", "-3.5", "+0.25", ".5", "5.", "007"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "-", ".", "1.2.3", "1e5", "12a", "&H10", "1,000", "- 1", "$5"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
    EXPECT_DOUBLE_EQ(ParseNumber(QStringLiteral(" -3.5 ")), -3.5);
    EXPECT_EQ(ErrorOf([] { ParseNumber(QStringLiteral("x")); }), ErrTypeMismatch);
    const QString huge = QStringLiteral("1") + QString(400, u'0');
    EXPECT_EQ(ErrorOf([&] { ParseNumber(huge); }), ErrOverflow);
    EXPECT_EQ(ErrorOf([&] { ParseNumber(u'-' + huge + QStringLiteral(".5")); }), ErrOverflow);
    EXPECT_EQ(ParseNumber(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);  // too small: zero
}

TEST(NumberText, ShortestSingleText) {
    struct Case { float in; const char* out; };
    for (const Case& c : std::vector<Case>{{100.f, "100"}, {5.5f, "5.5"}, {0.1f, "0.1"}, {-12.25f, "-12.25"},
                                           {12.345f, "12.345"}, {1234567.f, "1234567"}, {0.f, "0"},
                                           {1e10f, "1E+10"}, {0.0001f, "0.0001"}, {1e-5f, "1E-05"}}) {
        EXPECT_EQ(SingleToText(c.in), QString::fromLatin1(c.out)) << c.out;
    }
    EXPECT_EQ(DoubleToText(0.1 + 0.2), QStringLiteral("0.3"));
}

TEST(NumberText, PatternsRoundHalfAwayFromZeroOnShortestText) {
    struct Case { double in; const char* picture; const char* out; };
    for (const Case& c : std::vector<Case>{
             {12.346, "#0.00", "12.35"}, {2.675, "#0.00", "2.68"}, {0.125, "0.00", "0.13"},
             {-0.125, "0.00", "-0.13"}, {7, "#0", "7"}, {7.5, "#0", "8"}, {6.5, "0", "7"},
             {-2.5, "0", "-3"}, {0.5, "#0.0#", "0.5"}, {0.555, "#0.0#", "0.56"}, {3, "#0.0#", "3.0"},
             {1234567, "#,##0", "1,234,567"}, {5, "000", "005"}, {-0.001, "0.00", "0.00"},
             {99.995, "#0.00", "100.00"}, {0.5, "#.00", ".50"}}) {
        EXPECT_EQ(FormatNumber(c.in, QString::fromLatin1(c.picture)), QString::fromLatin1(c.out))
            << c.in << " " << c.picture;
    }
    // A single is rounded on its own shortest text, not on its binary expansion.
    EXPECT_EQ(FormatNumber(2.675f, QStringLiteral("#0.00")), QStringLiteral("2.68"));
    EXPECT_EQ(FormatNumber(1.005f, QStringLiteral("0.00")), QStringLiteral("1.01"));
    EXPECT_EQ(FormatNumber(5.5f, QString()), QStringLiteral("5.5"));
}

// The values a reading cell meets: readings of every size and sign, halves at each count of
// decimals, carries into a new digit, codes, marks, and what is not a number at all.
std::vector<Single> ReadingTable() {
    std::vector<Single> values{0.0f, -0.0f, 0.5f, -0.5f, 0.05f, -0.05f, 0.005f, 0.0005f, 0.45f, 0.55f,
                               1.005f, 2.675f, 12.346f, 9.95f, 9.995f, 99.95f, 99.995f, 999.9995f, -9.95f,
                               -0.004f, -101.0f, -102.0f, -118.0f, -121.0f, -158.0f, -197.0f, 56797.0f, 65535.0f,
                               65287.0f, 20.9f, 100.0f, 100.04f, 100.05f, 1e-7f, 1e-30f, 1.4e-45f, 123456.7f,
                               16777216.0f, 3.0e10f, 3.4e38f, -3.4e38f, 0.1f, 0.3f, 0.7f, 1.5f, 2.5f, -2.5f};
    for (int i = -2000; i <= 2000; ++i)
        values.push_back(static_cast<Single>(i) / 8.0f + static_cast<Single>(i % 7) / 1000.0f);
    values.push_back(std::numeric_limits<Single>::quiet_NaN());
    values.push_back(std::numeric_limits<Single>::infinity());
    values.push_back(-std::numeric_limits<Single>::infinity());
    return values;
}

TEST(NumberText, FixedDecimalsGiveTheTextOfTheirPicture) {
    EXPECT_EQ(FixedDecimalsPicture(0), QStringLiteral("#0"));
    EXPECT_EQ(FixedDecimalsPicture(3), QStringLiteral("#0.000"));
    EXPECT_EQ(FixedDecimalsPicture(12), QStringLiteral("#0"));
    for (int decimals : {-1, 0, 1, 2, 3, 4, 9, 10}) {
        const QString picture = FixedDecimalsPicture(decimals);
        for (const Single value : ReadingTable()) {
            EXPECT_EQ(FormatFixedDecimals(value, decimals), FormatNumber(value, picture))
                << value << " with " << decimals << " decimals";
            QString appended = QStringLiteral("x");
            AppendFixedDecimals(appended, value, decimals);
            EXPECT_EQ(appended, QStringLiteral("x") + FormatNumber(value, picture));
        }
    }
}

TEST(Dates, MarksAndConversions) {
    EXPECT_EQ(Date::FromParts(1900, 1, 1)->value(), 2.0);
    EXPECT_EQ(InvalidDateMark, *Date::FromParts(1900, 1, 1));
    EXPECT_EQ(Date::FromParts(1899, 12, 30)->value(), 0.0);
    const Date noon = *Date::FromParts(2009, 4, 30, 12, 0, 0);
    EXPECT_DOUBLE_EQ(noon.value() - std::floor(noon.value()), 0.5);
    EXPECT_EQ(Date(-101.0).toDateTime().date(), QDate(1899, 9, 20));
    EXPECT_EQ(Date(-1.25).toDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    const QDateTime dt(QDate(2026, 12, 10), QTime(13, 14, 15));
    EXPECT_EQ(Date::FromDateTime(dt).toDateTime(), dt);
    EXPECT_FALSE(Date::FromParts(2009, 13, 1));
    EXPECT_FALSE(Date::FromParts(2009, 2, 29));
    EXPECT_TRUE(Date::FromParts(2008, 2, 29));
    EXPECT_FALSE(Date::FromParts(2009, 4, 31));
    EXPECT_FALSE(Date::FromParts(2009, 4, 30, 24, 0, 0));
    EXPECT_FALSE(Date::FromParts(2009, 4, 30, 23, 60, 0));
}

// "General Date" leaves the time out exactly at midnight, to the whole second the date shows.
TEST(Dates, GeneralDateLeavesTheTimeOutAtMidnight) {
    const double second = 1.0 / 86400.0;
    const Date march5 = *Date::FromParts(2024, 3, 5);
    const struct {
        Date date;
        const char* text;
    } cases[] = {
        {march5, "2024/03/05"},
        {march5.addSeconds(1), "2024/03/05 00:00:01"},
        {*Date::FromParts(2024, 3, 5, 12, 0, 0), "2024/03/05 12:00:00"},
        {march5.addSeconds(-1), "2024/03/04 23:59:59"},
        {Date(march5.value() + 0.4 * second), "2024/03/05"},           // rounds down to midnight
        {Date(march5.value() - 0.4 * second), "2024/03/05"},           // rounds up into the next day
        {Date(march5.value() + 0.6 * second), "2024/03/05 00:00:01"},  // rounds up to a second
        {Date(0.0), "1899/12/30"},
        {Date(-1.5), "1899/12/29 12:00:00"},
        {Date(-2.0), "1899/12/28"},
        {InvalidDateMark, "1900/01/01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneralDate(c.date), QString::fromLatin1(c.text)) << c.date.value();
}

// The byte form of the export's date gives FormatDate's text: midnight, rounding to the
// second, the ends of the range and values that are no date.
TEST(Dates, DateTimeCharsIsTheExportDateText) {
    const double second = 1.0 / 86400.0;
    const Date march5 = *Date::FromParts(2024, 3, 5);
    std::vector<Date> dates{march5,
                            march5.addSeconds(1),
                            march5.addSeconds(-1),
                            Date(march5.value() + 0.4 * second),
                            Date(march5.value() - 0.4 * second),
                            Date(march5.value() + 0.6 * second),
                            *Date::FromParts(2024, 12, 31, 23, 59, 59),
                            *Date::FromParts(9999, 12, 31, 23, 59, 59),
                            Date(0.0),
                            Date(-1.5),
                            Date(-657434.0),
                            Date(2958465.99999999),
                            Date(std::numeric_limits<double>::quiet_NaN()),
                            Date(1e300),
                            InvalidDateMark};
    for (int i = 0; i < 2000; ++i)
        dates.push_back(Date(45000.0 + i * 0.3721));
    for (const Date& date : dates) {
        char text[DateTimeCharsSize];
        const int length = DateTimeChars(date, text);
        EXPECT_EQ(QString::fromLatin1(text, length), FormatDate(date, QStringLiteral("yyyy/mm/dd hh:nn:ss")))
            << date.value();
    }
}

TEST(Dates, ValuesThatAreNoDateShowTheInvalidDateMark) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e300, -1e300, 9.3e18, -9.3e18,
                         2958466.0, -657435.0, 2958465.99999999}) {
        const Date odd(value);
        EXPECT_FALSE(IsDateInRange(value)) << value;
        EXPECT_EQ(odd.toDateTime(), QDateTime(QDate(1900, 1, 1), QTime(0, 0))) << value;
        EXPECT_EQ(GeneralDate(odd), QStringLiteral("1900/01/01")) << value;
        EXPECT_EQ(odd.datePart(), InvalidDateMark) << value;
    }
    // The ends of the range stay dates.
    EXPECT_EQ(GeneralDate(*Date::FromParts(9999, 12, 31, 23, 59, 59)), QStringLiteral("9999/12/31 23:59:59"));
    EXPECT_TRUE(IsDateInRange(Date::FromParts(100, 1, 1)->value()));
    EXPECT_TRUE(IsDateInRange(-657434.5));
}

// A date value is a wall-clock reading: the local time zone's daylight-saving rules must
// neither skip an hour that does not exist locally nor change the length of a day.
TEST(Dates, ArithmeticIgnoresTheLocalTimeZone) {
    const QByteArray keptZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const Date inGap = *Date::FromParts(2026, 3, 29, 2, 30, 0);  // no such hour in Berlin
    EXPECT_EQ(GeneralDate(inGap), QStringLiteral("2026/03/29 02:30:00"));
    EXPECT_EQ(inGap.hour(), 2);
    const Date before = *Date::FromParts(2026, 3, 29, 1, 0, 0);
    EXPECT_EQ(before.secondsTo(*Date::FromParts(2026, 3, 29, 4, 0, 0)), 3 * 3600);
    EXPECT_EQ(before.addSeconds(2 * 3600), *Date::FromParts(2026, 3, 29, 3, 0, 0));
    EXPECT_EQ(Date(-1.25).addSeconds(-6 * 3600 - 1), *Date::FromParts(1899, 12, 28, 23, 59, 59));
    EXPECT_EQ(Date(-1.25).secondsTo(Date(0.0)), 18 * 3600);
    EXPECT_EQ(before.addSeconds(std::numeric_limits<double>::quiet_NaN()), before);
    if (keptZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", keptZone);
    tzset();
}

TEST(Dates, Formats) {
    const Date d = *Date::FromParts(2009, 4, 30, 8, 5, 3);
    struct Case { const char* picture; const char* out; };
    for (const Case& c : std::vector<Case>{{"yyyy/mm/dd hh:nn:ss", "2009/04/30 08:05:03"},
                                           {"mm/dd hh:nn:ss", "04/30 08:05:03"},
                                           {"mm/yy", "04/09"},
                                           {"ddhhnnss", "30080503"},
                                           {"yymmddhhnnss", "090430080503"},
                                           {"hh:nn:ss", "08:05:03"}}) {
        EXPECT_EQ(FormatDate(d, QString::fromLatin1(c.picture)), QString::fromLatin1(c.out)) << c.picture;
    }
    EXPECT_EQ(GeneralDate(d), QStringLiteral("2009/04/30 08:05:03"));
    EXPECT_EQ(ParseDate(QStringLiteral("2009/04/30 08:05:03")), d);
    EXPECT_EQ(ParseDate(QStringLiteral("2009-04-30 08:05:03")), d);
    EXPECT_EQ(ParseDate(QStringLiteral("2009/4/30")), Date::FromParts(2009, 4, 30));
    EXPECT_FALSE(ParseDate(QStringLiteral("2009/13/30")));
    EXPECT_FALSE(ParseDate(QStringLiteral("yesterday")));
}

// The date text as a calendar object makes it: every field of every picture, from the first
// day to the last and across the invalid, negative and fractional values a damaged row holds.
QString ReferenceDate(const Date& date) {
    double value = date.value();
    if (!IsDateInRange(value))
        value = InvalidDateMark.value();
    const double whole = std::trunc(value);
    long long secs = std::llround(std::fabs(value - whole) * 86400.0);
    long long days = static_cast<long long>(whole);
    if (secs >= 86400) {
        secs -= 86400;
        days += value < 0 ? -1 : 1;
    }
    const QDate d = QDate(1899, 12, 30).addDays(days);
    const QTime t = QTime(0, 0).addSecs(static_cast<int>(secs));
    const QString fields = QStringLiteral("yyyy|yy|MM|M|dd|d|HH|H|mm|m|ss|s");
    return QLocale::c().toString(QDateTime(d, t, Qt::UTC), fields);
}

TEST(Dates, FormattedFieldsMatchTheCalendar) {
    // Each picture field by itself, read back from one text, compared with the calendar's.
    const QString fields = QStringLiteral("yyyy|yy|mm|m|dd|d|hh|h|nn|n|ss|s");
    std::vector<double> values{0.0,     1.0,      2.0,      2.5,       -1.25,      59.0,       60.0,     61.0,
                               36525.0, 36585.75, 45000.999994, 45000.999995, -657434.0, 2958465.99998,
                               2958466.0, -657435.0, std::numeric_limits<double>::quiet_NaN(), 1e300};
    for (double v = -657434.0; v < 2958466.0; v += 1234.567)
        values.push_back(v);
    for (double v = 110000.0; v < 111600.0; v += 1.0)  // leap days and month ends around 2201
        values.push_back(v + 0.3);
    for (const double value : values) {
        const Date date(value);
        EXPECT_EQ(FormatDate(date, fields), ReferenceDate(date)) << value;
    }
    // Letters other than the fields are copied as they stand, in either case; fields are read
    // in either case and a longer run of a field is still one field.
    const Date d = *Date::FromParts(2024, 2, 29, 23, 59, 58);
    EXPECT_EQ(FormatDate(d, QStringLiteral("At YYYY-MM-DD HH.NN.SS yyy mmm")),
              QStringLiteral("At 2024-02-29 23.59.58 24 02"));
}

// The running form of the export's date, which keeps the text of the last day, gives the same
// text as FormatDate whatever order the dates come in: every day of the range in turn, runs
// within one day, times that round into the next day, a day left and met again, negative values
// and values that are no date between them. Times at half seconds, where the time of day rounds,
// are checked against the calendar as well.
TEST(Dates, RunningDateTimeCharsGivesTheTextOfEveryDate) {
    const QString picture = QStringLiteral("yyyy/mm/dd hh:nn:ss");
    RunningDateTimeChars running;
    int failures = 0;
    auto check = [&](double value) {
        char text[DateTimeCharsSize];
        const int length = running(Date(value), text);
        const QString expected = FormatDate(Date(value), picture);
        if (QString::fromLatin1(text, length) != expected && failures++ < 10)
            ADD_FAILURE() << value << ": " << std::string(text, static_cast<std::size_t>(length)) << " for "
                          << expected.toStdString();
    };
    const double second = 1.0 / 86400.0;
    const double timesOfDay[] = {0.0, 0.25, 0.5 * second, 59.5 * second, 0.999994, 0.999995, 0.7312};
    int t = 0;
    for (double day = -657434.0; day <= 2958465.0; day += 1.0) {
        const double time = timesOfDay[t++ % 7];
        check(day < 0 ? day - time : day + time);
    }
    std::vector<double> values;
    for (const double day : {45000.0, -2.0, 0.0, 2958465.0, -657434.0}) {
        for (int s = 0; s < 86400; s += 599)
            values.push_back(day + (day < 0 ? -1 : 1) * s * second);
        values.push_back(day + 0.9999999);  // rounds into the next day
        values.push_back(day + 0.5);
        values.push_back(std::numeric_limits<double>::quiet_NaN());
        values.push_back(day + 0.75);
        values.push_back(2.0);
        values.push_back(day - 0.5);
        values.push_back(day + 1.5);
        values.push_back(day + 0.25);
    }
    for (int s = 0; s < 200; ++s) {
        for (const double offset : {-1e-9, 0.0, 1e-9})
            values.push_back(45000.0 + (s + 0.5) * second + offset);
    }
    for (const double value : {-0.5, -0.0, 0.5, -1.25, -0.9999999, 1e300, -657435.0, 2958466.0})
        values.push_back(value);
    // Just below half a second the time of day still rounds down.
    for (const double half : {0.5 * second, -0.5 * second, 1.5 * second}) {
        double below = half;
        for (int i = 0; i < 4; ++i) {
            below = std::nextafter(below, 0.0);
            values.push_back(below);
        }
    }
    for (const double value : values) {
        check(value);
        // The calendar's own fields of the same value.
        const QStringList fields = ReferenceDate(Date(value)).split(u'|');
        char text[DateTimeCharsSize];
        const int length = DateTimeChars(Date(value), text);
        EXPECT_EQ(QString::fromLatin1(text, length), fields[0] + u'/' + fields[2] + u'/' + fields[4] + u' ' +
                                                        fields[6] + u':' + fields[8] + u':' + fields[10])
            << value;
    }
}

// The fixed forms of a single round half away from zero on its shortest text; most values are
// worked out in plain arithmetic. Around every half of the last place (where the shortest text
// and the binary value may round apart), a few units in the last place either side, and over
// readings of every size, they give the general picture's text.
TEST(NumberText, FixedDecimalsAroundHalvesGiveTheTextOfTheirPicture) {
    std::vector<Single> values;
    for (int k = 0; k < 3000; ++k) {
        for (const double scale : {1.0, 10.0, 100.0, 1000.0}) {
            float near = static_cast<float>((k + 0.5) / scale);
            for (int i = 0; i < 3; ++i)
                near = std::nextafter(near, 0.0f);
            for (int i = 0; i < 7; ++i) {
                values.push_back(near);
                near = std::nextafter(near, std::numeric_limits<float>::infinity());
            }
        }
    }
    // Every size from 1e-8 to 1e10, both signs, spread over the bit patterns.
    for (std::uint32_t bits = 0x32000000u; bits < 0x50800000u; bits += 0x0001E849u) {
        values.push_back(std::bit_cast<float>(bits));
        values.push_back(-std::bit_cast<float>(bits));
    }
    int failures = 0;
    for (int decimals : {0, 1, 2, 3, 4, 9}) {
        const QString picture = FixedDecimalsPicture(decimals);
        for (const Single value : values) {
            char text[FixedDecimalsCharsSize];
            const int length = FixedDecimalsChars(text, value, decimals);
            const QString expected = FormatNumber(value, picture);
            if ((length < 0 || QString::fromLatin1(text, length) != expected) && failures++ < 10)
                ADD_FAILURE() << value << " with " << decimals << " decimals: "
                              << (length < 0 ? std::string("-1") : std::string(text, static_cast<std::size_t>(length)))
                              << " for " << expected.toStdString();
        }
    }
}

TEST(VariantValues, Conversions) {
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_EQ(Variant().toInteger(), 0);
    EXPECT_EQ(Variant().toString(), QString());
    EXPECT_EQ(ErrorOf([] { Variant::Null().toInteger(); }), ErrInvalidNull);
    EXPECT_EQ(ErrorOf([] { Variant::Null().toString(); }), ErrInvalidNull);
    EXPECT_EQ(ErrorOf([] { Variant(QStringLiteral("abc")).toSingle(); }), ErrTypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant(40000.0).toInteger(); }), ErrOverflow);
    EXPECT_EQ(Variant(QStringLiteral(" 2.5 ")).toInteger(), 2);
    EXPECT_EQ(Variant(QStringLiteral("3.5")).toLong(), 4);
    EXPECT_EQ(Variant(true).toInteger(), -1);
    EXPECT_EQ(Variant(5.5f).toString(), QStringLiteral("5.5"));
    EXPECT_EQ(Variant(Integer{7}).type(), Variant::Type::Integer);
    EXPECT_EQ(Variant(7).type(), Variant::Type::Long);
    EXPECT_EQ(Variant(QStringLiteral("2009/04/30 08:05:03")).toDate(), *Date::FromParts(2009, 4, 30, 8, 5, 3));
    EXPECT_EQ(Variant(*Date::FromParts(2009, 4, 30)).toString(), QStringLiteral("2009/04/30"));
    EXPECT_FALSE(Variant::Null() == Variant());
}

TEST(Strings, OneBasedHelpers) {
    const QString s = QStringLiteral("ABCDEF");
    EXPECT_EQ(Mid(s, 2, 3), QStringLiteral("BCD"));
    EXPECT_EQ(Mid(s, 5), QStringLiteral("EF"));
    EXPECT_EQ(Mid(s, 9, 2), QString());
    EXPECT_EQ(ErrorOf([&] { Mid(s, 0, 1); }), ErrInvalidArgument);
    EXPECT_EQ(Left(s, 10), s);
    EXPECT_EQ(Right(s, 2), QStringLiteral("EF"));
    EXPECT_EQ(InStr(s, QStringLiteral("CD")), 3);
    EXPECT_EQ(InStr(4, s, QStringLiteral("CD")), 0);
    EXPECT_EQ(InStrRev(QStringLiteral("a b c"), QStringLiteral(" ")), 4);
    EXPECT_EQ(Trim(QStringLiteral("  a b\t ")), QStringLiteral("a b\t"));
}

TEST(InstrumentBytes, HalfWidthKatakanaTable) {
    const QByteArray bytes("\x41\xA1\xB1\xDF\x7F\xE0", 6);
    const QString text = DecodeInstrumentBytes(bytes);
    ASSERT_EQ(text.size(), 6);
    EXPECT_EQ(text[0], QChar(u'A'));
    EXPECT_EQ(text[1].unicode(), 0xFF61);
    EXPECT_EQ(text[2].unicode(), 0xFF71);
    EXPECT_EQ(text[3].unicode(), 0xFF9F);
    EXPECT_EQ(text[5].unicode(), 0xE0);
    EXPECT_EQ(EncodeInstrumentText(text), bytes);
    EXPECT_EQ(EncodeInstrumentText(QStringLiteral("\u3042")), QByteArray("?"));
}

TEST(Layout, TwipsAndDialogDefaults) {
    EXPECT_EQ(TwipsToPixels(11640), 776);
    EXPECT_EQ(PixelsToTwips(100), 1500);
    EXPECT_EQ(DefaultAnswer(vbYesNo | vbQuestion), vbYes);
    EXPECT_EQ(DefaultAnswer(vbYesNo | vbDefaultButton2), vbNo);
    EXPECT_EQ(DefaultAnswer(vbOKOnly), vbOK);
}

}  // namespace
}  // namespace mt52
