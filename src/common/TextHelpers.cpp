#include "common/TextHelpers.h"

#include "common/ModuleState.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace mt52 {
namespace {

bool IsAsciiLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool IsIdChar(char16_t c) {
    return IsAsciiLetterOrDigit(c) || c == u' ' || c == u'-' || c == u'_' || c == u'/';
}

constexpr Integer BackspaceKey = 8;

}  // namespace

QString BlankToDashes(const QString& text, Integer kind) {
    const QString trimmed = Trim(text);
    if (!trimmed.isEmpty())
        return trimmed;
    switch (kind) {
    case BlankUserId:
    case BlankStationId:
        return QString(16, u'-');
    case BlankSerialNo:
    case BlankDummySerialNo:
        return QString(20, u'-');
    default:
        return QStringLiteral("*");
    }
}

bool IsTextKey(Integer keyCode) {
    if (keyCode == BackspaceKey)
        return true;
    if (keyCode < 0 || keyCode > 127)
        return false;
    const auto c = static_cast<char16_t>(keyCode);
    return IsAsciiLetterOrDigit(c) || c == u' ' || c == u'*' || c == u'-';
}

bool IsIdKey(Integer keyCode) {
    if (keyCode == BackspaceKey)
        return true;
    return keyCode >= 0 && keyCode <= 127 && IsIdChar(static_cast<char16_t>(keyCode));
}

bool IsIdText(const QString& text) {
    for (const QChar c : text) {
        if (!IsIdChar(c.unicode()))
            return false;
    }
    return true;
}

bool IsAllDigits(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

Integer CountDecimals(const QString& text) {
    const auto point = text.indexOf(u'.');
    if (point < 0)
        return 0;
    return ToInteger(static_cast<double>(text.size() - point - 1));
}

Long LeadingNumber(const QString& text) {
    const auto blank = text.indexOf(u' ');
    if (blank < 0)
        return 0;
    const QString part = text.left(blank);
    if (!IsNumeric(part))
        return 0;
    const double value = RoundHalfEven(ParseNumber(part));
    if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max())
        return 0;
    return static_cast<Long>(value);
}

QString DropLastTwo(const QString& text) {
    return text.size() < 3 ? QString() : text.left(text.size() - 2);
}

QString LastWord(const QString& text) {
    // Each step keeps, from the whole text, as many trailing characters as follow the first
    // blank of the working text, trimmed; the working text shrinks until no blank is left.
    QString word = text;
    for (auto k = word.indexOf(u' '); k >= 0; k = word.indexOf(u' '))
        word = Trim(text.right(word.size() - k - 1));
    return word;
}

QString FormatEventDate(Single value, const Date& time) {
    if (value == -118.0f)
        return QStringLiteral("-----");
    if (time == InvalidDateMark)
        return QStringLiteral("*****");
    return FormatDate(time, QStringLiteral("mm/dd hh:nn:ss"));
}

QString FormatEventDate2(Single value, const Date& time) { return FormatEventDate(value, time); }

QString FormatCalDate(const Date& date) {
    if (date.value() <= 0 || date.year() < 2000)
        return QString();
    return GeneralDate(date);
}

QString GetLocaleString(Long type) {
    switch (type) {
    case LocaleCalendarType:
        return QStringLiteral("1");
    case LocaleShortDate:
        // The locale's pattern letters (d, dd, M, MM, yy, yyyy, quoted literals) are the
        // classic picture letters already.
        return QLocale().dateFormat(QLocale::ShortFormat);
    default:
        return QString();
    }
}

std::uint16_t MakeLangId(Byte primary, Byte sub) {
    const int id = sub * 1024 + primary;
    if (id > std::numeric_limits<std::uint16_t>::max())
        Raise(ErrOverflow, QStringLiteral("sub-language %1").arg(sub));
    return static_cast<std::uint16_t>(id);
}

// Sort id 0 in the upper bits: the locale id is the language id.
Long MakeLcid(std::uint16_t langId) { return static_cast<Long>(langId); }

void GetOsVersionClass() {
    State().OsPlatformId = 0;
    State().OsVersionClass = 0;
}

}  // namespace mt52
