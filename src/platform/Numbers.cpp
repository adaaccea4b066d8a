#include "platform/Numbers.h"
#include "platform/TextChars.h"

#include "platform/RuntimeError.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace mt52 {
namespace {

// Plain (non-exponent) shortest decimal text of a value: "-12.345", "0.001", "100".
template <typename T>
std::string ShortestFixed(T value) {
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

template <typename T>
QString ShortestGeneral(T value, int maxDigits) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0)
        return QStringLiteral("0");
    // Find the fewest significant digits (up to maxDigits) that read back as the value.
    std::string best;
    for (int p = 1; p <= maxDigits; ++p) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, p - 1);
        std::string s(buf, res.ptr);
        T back{};
        std::from_chars(s.data(), s.data() + s.size(), back);
        best = s;
        if (back == value)
            break;
    }
    // best is d.ddde±XX; decide between plain and exponent forms as the classic text does.
    const auto epos = best.find('e');
    int exponent = std::stoi(best.substr(epos + 1));
    std::string mantissa = best.substr(0, epos);
    bool negative = false;
    if (!mantissa.empty() && mantissa[0] == '-') {
        negative = true;
        mantissa.erase(0, 1);
    }
    std::string digits;
    for (char c : mantissa)
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (exponent >= maxDigits || exponent < -4) {
        out = digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1, std::string::npos);
        }
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += e;
    } else if (exponent >= 0) {
        if (static_cast<int>(digits.size()) <= exponent + 1) {
            out = digits + std::string(exponent + 1 - digits.size(), '0');
        } else {
            out.assign(digits, 0, static_cast<std::size_t>(exponent + 1));
            out += '.';
            out.append(digits, static_cast<std::size_t>(exponent + 1), std::string::npos);
        }
    } else {
        out = "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    QString text = QString::fromStdString(out);
    if (negative)
        text.prepend(u'-');
    return text;
}

// Rounds a plain decimal text (no sign) half away from zero to `decimals` places.
// Returns integer digits and fraction digits separately.
void RoundDecimalText(const std::string& text, int decimals, std::string& intPart, std::string& fracPart) {
    const auto dot = text.find('.');
    intPart = dot == std::string::npos ? text : text.substr(0, dot);
    fracPart = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (static_cast<int>(fracPart.size()) > decimals) {
        const bool up = fracPart[decimals] >= '5';
        fracPart.resize(decimals);
        if (up) {
            std::string all = intPart + fracPart;
            int i = static_cast<int>(all.size()) - 1;
            while (i >= 0) {
                if (all[i] == '9') {
                    all[i] = '0';
                    --i;
                } else {
                    ++all[i];
                    break;
                }
            }
            if (i < 0)
                all.insert(all.begin(), '1');
            intPart = all.substr(0, all.size() - decimals);
            fracPart = all.substr(all.size() - decimals);
        }
    }
    while (static_cast<int>(fracPart.size()) < decimals)
        fracPart += '0';
    // drop leading zeros of the integer part (kept as at least nothing; the caller pads)
    std::size_t nz = 0;
    while (nz < intPart.size() && intPart[nz] == '0')
        ++nz;
    intPart.erase(0, nz);
}

// The picture is not empty (an empty one asks for the general form, which the callers make).
QString FormatWithPicture(const std::string& shortest, bool negative, const QString& picture) {
    // Locate the numeric part of the picture: the run of 0 # , . characters.
    int start = -1, end = -1;
    for (int i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c == u'0' || c == u'#' || c == u'.' || c == u',') {
            if (start < 0)
                start = i;
            end = i + 1;
        } else if (start >= 0) {
            break;
        }
    }
    if (start < 0)
        return picture;
    const QString prefix = picture.left(start);
    const QString suffix = picture.mid(end);
    const QString numeric = picture.mid(start, end - start);
    const int dot = numeric.indexOf(u'.');
    const QString intPic = dot < 0 ? numeric : numeric.left(dot);
    const QString fracPic = dot < 0 ? QString() : numeric.mid(dot + 1);
    const int minInt = static_cast<int>(intPic.count(u'0'));
    const bool grouping = intPic.contains(u',');
    const int minFrac = static_cast<int>(fracPic.count(u'0'));
    const int maxFrac = minFrac + static_cast<int>(fracPic.count(u'#'));

    std::string intDigits, fracDigits;
    RoundDecimalText(shortest, maxFrac, intDigits, fracDigits);
    while (static_cast<int>(fracDigits.size()) > minFrac && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();
    while (static_cast<int>(intDigits.size()) < minInt)
        intDigits.insert(intDigits.begin(), '0');
    if (grouping && intDigits.size() > 3) {
        std::string grouped;
        int count = 0;
        for (int i = static_cast<int>(intDigits.size()) - 1; i >= 0; --i) {
            grouped.insert(grouped.begin(), intDigits[i]);
            if (++count % 3 == 0 && i > 0)
                grouped.insert(grouped.begin(), ',');
        }
        intDigits = grouped;
    }
    std::string body = intDigits;
    if (dot >= 0 && (!fracDigits.empty() || minFrac > 0)) {
        body += '.';
        body += fracDigits;
    } else if (dot >= 0 && fracPic.isEmpty())
        body += ".";
    bool allZero = true;
    for (char c : body)
        if (c >= '1' && c <= '9')
            allZero = false;
    QString out = QString::fromStdString(body);
    if (negative && !allZero)
        out.prepend(u'-');
    return prefix + out + suffix;
}

}  // namespace

bool IsNumeric(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    int digits = 0, dots = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && dots == 0)
            ++dots;
        else
            return false;
    }
    return digits > 0;
}

double ParseNumber(const QString& text) {
    if (!IsNumeric(text))
        Raise(ErrTypeMismatch, QStringLiteral("\"%1\" is not a number").arg(text));
    QString t = text.trimmed();
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    const std::string s = t.toStdString();
    double v = 0;
    // from_chars does not accept a leading '.', so build a canonical text
    std::string canon = s;
    bool neg = false;
    if (!canon.empty() && canon[0] == '-') {
        neg = true;
        canon.erase(0, 1);
    }
    if (!canon.empty() && canon[0] == '.')
        canon.insert(canon.begin(), '0');
    if (!canon.empty() && canon.back() == '.')
        canon.pop_back();
    if (std::from_chars(canon.data(), canon.data() + canon.size(), v).ec == std::errc::result_out_of_range) {
        // Without an exponent only a whole part can be too large; a fraction too small for a
        // double is zero.
        const std::string whole = canon.substr(0, canon.find('.'));
        if (whole.find_first_not_of('0') != std::string::npos)
            Raise(ErrOverflow, QStringLiteral("\"%1\" is too large for a number").arg(text.trimmed().left(40)));
        v = 0;
    }
    return neg ? -v : v;
}

double Val(const QString& text) {
    QString t;
    for (QChar c : text)
        if (c != u' ' && c != u'\t')
            t += c;
    int i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    bool dot = false;
    int end = i;
    for (; end < t.size(); ++end) {
        const QChar c = t[end];
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (c == u'.' && !dot) {
            dot = true;
            continue;
        }
        break;
    }
    const QString num = t.left(end);
    if (!IsNumeric(num))
        return 0.0;
    return ParseNumber(num);
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

Integer ToInteger(double value) {
    if (std::isnan(value))
        Raise(ErrOverflow);
    const double r = RoundHalfEven(value);
    if (r < -32768.0 || r > 32767.0)
        Raise(ErrOverflow, QStringLiteral("%1 does not fit a 16-bit integer").arg(value));
    return static_cast<Integer>(r);
}

Long ToLong(double value) {
    if (std::isnan(value))
        Raise(ErrOverflow);
    const double r = RoundHalfEven(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        Raise(ErrOverflow, QStringLiteral("%1 does not fit a 32-bit integer").arg(value));
    return static_cast<Long>(r);
}

Single ToSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        Raise(ErrOverflow, QStringLiteral("%1 does not fit a single").arg(value));
    return static_cast<Single>(value);
}

QString SingleToText(Single value) { return ShortestGeneral(value, 7); }
QString DoubleToText(double value) { return ShortestGeneral(value, 15); }

QString FormatNumber(double value, const QString& picture) {
    if (!std::isfinite(value) || picture.isEmpty())
        return DoubleToText(value);
    const bool negative = std::signbit(value);
    return FormatWithPicture(ShortestFixed(std::fabs(value)), negative, picture);
}

QString FormatNumber(Single value, const QString& picture) {
    if (!std::isfinite(value) || picture.isEmpty())
        return SingleToText(value);
    const bool negative = std::signbit(value);
    return FormatWithPicture(ShortestFixed(std::fabs(value)), negative, picture);
}

namespace {

constexpr std::array<double, MaxFixedDecimals + 1> PowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// The magnitude of a finite value as a whole number of units of the last of `decimals` places,
// rounded half away from zero on its shortest decimal text, worked out in double arithmetic;
// false where that cannot be sure of the result (the general way then makes the text).
// The magnitude times the power of ten is exact in a double (24 bits of the single and at most
// 21 of the power's odd factor). The shortest text lies within half a unit in the last place
// of the single, so unless the scaled value is that close to a half, rounding it rounds the
// shortest text the same way.
bool RoundedUnits(float magnitude, int decimals, std::uint64_t& units) {
    if (!(magnitude < 1e9f))
        return false;
    const double scale = PowersOfTen[static_cast<std::size_t>(decimals)];
    const double scaled = static_cast<double>(magnitude) * scale;
    if (scaled >= 1e15)
        return false;
    const auto whole = static_cast<std::int64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    const float next = std::bit_cast<float>(std::bit_cast<std::uint32_t>(magnitude) + 1);
    const double unitInLastPlace = static_cast<double>(next) - static_cast<double>(magnitude);
    if (std::fabs(fraction - 0.5) <= unitInLastPlace * scale)
        return false;
    units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// Exactly `width` digits of `value` (less than 10^width), zeros in front, into `out`.
void WidthDigits(char* out, std::uint32_t value, int width) {
    char* at = out + width;
    for (; width >= 2; width -= 2) {
        at -= 2;
        DigitPairChars(at, value % 100);
        value /= 100;
    }
    if (width == 1)
        *--at = static_cast<char>('0' + value);
}

// The text of whole `units` of the last of `Decimals` places, a magnitude.
template <int Decimals>
int UnitsChars(char* out, std::uint64_t units) {
    constexpr auto scale = static_cast<std::uint64_t>(PowersOfTen[Decimals]);
    const std::uint64_t whole = units / scale;
    int n = 0;
    if (whole < 10) {
        out[0] = static_cast<char>('0' + whole);
        n = 1;
    } else if (whole < 100) {
        DigitPairChars(out, static_cast<unsigned>(whole));
        n = 2;
    } else if (whole < 1000) {
        WidthDigits(out, static_cast<std::uint32_t>(whole), 3);
        n = 3;
    } else {
        n = static_cast<int>(std::to_chars(out, out + 24, whole).ptr - out);
    }
    if constexpr (Decimals == 0) {
        return n;
    } else {
        out[n] = '.';
        WidthDigits(out + n + 1, static_cast<std::uint32_t>(units - whole * scale), Decimals);
        return n + 1 + Decimals;
    }
}

int UnitsChars(char* out, std::uint64_t units, int decimals) {
    switch (decimals) {
    case 0: return UnitsChars<0>(out, units);
    case 1: return UnitsChars<1>(out, units);
    case 2: return UnitsChars<2>(out, units);
    case 3: return UnitsChars<3>(out, units);
    case 4: return UnitsChars<4>(out, units);
    case 5: return UnitsChars<5>(out, units);
    case 6: return UnitsChars<6>(out, units);
    case 7: return UnitsChars<7>(out, units);
    case 8: return UnitsChars<8>(out, units);
    default: return UnitsChars<9>(out, units);
    }
}

}  // namespace

int FixedDecimalsChars(char* out, Single value, int decimals) {
    if (decimals < 0 || decimals > MaxFixedDecimals)
        decimals = 0;
    if (!std::isfinite(value))
        return -1;
    std::uint64_t units = 0;
    if (RoundedUnits(std::fabs(value), decimals, units)) {
        // "-" only before a text that is not all zeros.
        const int sign = std::signbit(value) && units != 0 ? 1 : 0;
        out[0] = '-';
        return sign + UnitsChars(out + sign, units, decimals);
    }
    // The shortest plain text of the magnitude, then rounded half away from zero on its digits,
    // as FormatWithPicture does, but in buffers on the stack.
    char shortest[64];
    const auto res = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(value), std::chars_format::fixed);
    if (res.ec != std::errc())
        return -1;
    const int length = static_cast<int>(res.ptr - shortest);
    int dot = length;
    for (int i = 0; i < length; ++i)
        if (shortest[i] == '.')
            dot = i;
    // digits: the integer digits, then exactly `decimals` fraction digits (cut or padded).
    char digits[80];
    int count = 0;
    for (int i = 0; i < dot; ++i)
        digits[count++] = shortest[i];
    const int fraction = dot < length ? length - dot - 1 : 0;
    for (int i = 0; i < decimals; ++i)
        digits[count++] = i < fraction ? shortest[dot + 1 + i] : '0';
    int intDigits = dot;
    if (fraction > decimals && shortest[dot + 1 + decimals] >= '5') {
        int i = count - 1;
        for (; i >= 0 && digits[i] == '9'; --i)
            digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            std::memmove(digits + 1, digits, static_cast<std::size_t>(count));
            digits[0] = '1';
            ++count;
            ++intDigits;
        }
    }
    // Leading zeros of the integer part go; "#0" keeps at least one integer digit.
    int first = 0;
    while (first < intDigits - 1 && digits[first] == '0')
        ++first;
    bool allZero = true;
    for (int i = first; i < count; ++i)
        if (digits[i] != '0')
            allZero = false;
    char* const text = out;
    int n = 0;
    if (std::signbit(value) && !allZero)
        text[n++] = '-';
    for (int i = first; i < intDigits; ++i)
        text[n++] = digits[i];
    if (decimals > 0) {
        text[n++] = '.';
        for (int i = intDigits; i < count; ++i)
            text[n++] = digits[i];
    }
    return n;
}

void AppendFixedDecimals(QString& out, Single value, int decimals) {
    char text[FixedDecimalsCharsSize];
    const int n = FixedDecimalsChars(text, value, decimals);
    if (n >= 0) {
        out += QLatin1StringView(text, n);
        return;
    }
    if (!std::isfinite(value))
        out += SingleToText(value);
    else
        out += FormatNumber(value, FixedDecimalsPicture(decimals));
}

QString FormatFixedDecimals(Single value, int decimals) {
    QString text;
    text.reserve(16);
    AppendFixedDecimals(text, value, decimals);
    return text;
}

QString FixedDecimalsPicture(int decimals) {
    if (decimals < 1 || decimals > MaxFixedDecimals)
        return QStringLiteral("#0");
    return QStringLiteral("#0.") + QString(decimals, u'0');
}

}  // namespace mt52
