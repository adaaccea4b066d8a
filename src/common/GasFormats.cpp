#include "common/GasFormats.h"
#include "common/ReadingChars.h"

#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Numbers.h"
#include "platform/VbString.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace mt52 {

GasCaptionParts GasCaptionParts::Settings(const QString& name, Single fullScale, Integer point,
                                          const QString& unit) {
    GasCaptionParts parts;
    parts.Name = name;
    parts.FullScale = fullScale;
    parts.Point = point;
    parts.Unit = unit;
    return parts;
}

GasCaptionParts GasCaptionParts::Sent(const QString& name, const QString& fullScale, const QString& unit) {
    GasCaptionParts parts;
    parts.Name = name;
    parts.Unit = unit;
    parts.InstrumentTexts = true;
    parts.FullScaleText = fullScale;
    return parts;
}

QString GasCaption(const QString& name, const QString& unit, Single fullScale, Integer point) {
    QString caption;
    if (Trim(name).isEmpty())
        caption = EmptyGasCaption;
    else if (fullScale != -1.0f)
        caption = name + QLatin1Char('(') + FormatNumber(fullScale, DecimalFormat(point)) + unit + QLatin1Char(')');
    else
        caption = name + QLatin1Char('(') + unit + QLatin1Char(')');
    return InstGlyphToText(caption);
}

QString GasCaptionOf(const GasCaptionSource& record, Integer gas) {
    const GasCaptionParts parts = record.GasCaptionPartsOf(gas);
    if (Trim(parts.Name).isEmpty())
        return EmptyGasCaption;
    if (!parts.InstrumentTexts) {
        return parts.Name + QLatin1Char('(') + FormatNumber(parts.FullScale, DecimalFormat(parts.Point)) +
               parts.Unit + QLatin1Char(')');
    }
    // A damaged full-scale text is shown as it stands rather than failing the whole caption.
    const QString fullScale = Trim(parts.FullScaleText);
    const QString shown = IsNumeric(fullScale) ? SingleToText(ToSingle(ParseNumber(fullScale))) : fullScale;
    return Trim(parts.Name) + QLatin1Char('(') + shown + Trim(parts.Unit) + QLatin1Char(')');
}

QString GasCaptionOf(const GasCaptionSource* record, Integer gas) {
    return record != nullptr ? GasCaptionOf(*record, gas) : EmptyGasCaption;
}

QString DecimalFormat(Integer point) {
    if (point == 0)
        return QStringLiteral("#0");
    if (point >= 1 && point <= 9)
        return QStringLiteral("#0.") + QString(point, QLatin1Char('0'));
    return QString();
}

QString UnitSuffix(Integer unitCode, Single unitSwitch, Single value, Single limit,
                   const QString& alternativeText, const QString& unitText) {
    if (unitSwitch > 0) {
        switch (unitCode) {
        case ReadingCode::UnitLel: return QStringLiteral(" %LEL");
        case ReadingCode::UnitPpm: return QStringLiteral(" ppm");
        case ReadingCode::UnitVol: return QStringLiteral(" vol%");
        default: return QString();
        }
    }
    if (!alternativeText.isEmpty() && value > limit)
        return QLatin1Char(' ') + alternativeText;
    return QLatin1Char(' ') + unitText;
}

QString FormatReading(const QString& text, Single fullScale) {
    if (fullScale == static_cast<Single>(ReadingCode::NoData))
        return QStringLiteral("-----");
    if (!IsNumeric(text))
        return text;
    const double value = ParseNumber(text);
    return (value >= 0 && value <= fullScale) ? text : QStringLiteral("OVER");
}

bool AppendReadingText(QString& out, Single value, Integer point, Single fullScale) {
    const qsizetype start = out.size();
    const bool number = AppendTrendCell(out, value, point);
    if (fullScale == static_cast<Single>(ReadingCode::NoData)) {
        out.truncate(start);
        out += QLatin1StringView("-----");
        return false;
    }
    // Code words and marks are never numeric and stay as they are; a number is compared at the
    // precision it shows, as FormatReading reads it back.
    if (!number)
        return false;
    char digits[96];
    const qsizetype length = std::min<qsizetype>(out.size() - start, sizeof digits);
    const QChar* text = out.constData() + start;
    for (qsizetype i = 0; i < length; ++i)
        digits[i] = static_cast<char>(text[i].unicode());
    double shown = 0;
    if (std::from_chars(digits, digits + length, shown).ec != std::errc()) {
        const QString text = out.mid(start);
        out.truncate(start);
        out += FormatReading(text, fullScale);
        return IsNumeric(out.mid(start));
    }
    if (shown >= 0 && shown <= fullScale)
        return true;
    out.truncate(start);
    out += QLatin1StringView("OVER");
    return false;
}

namespace {

// The value of a plain decimal text of at most 15 digits ("-12.50", "7"), the same as
// std::from_chars reads it: its digits as a whole number divided by the power of ten of its
// decimals. Both are exact in a double, so the quotient is the correctly rounded value of the
// text. False for any other text.
bool ShortDecimalValue(const char* text, int length, double& value) {
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    int i = 0;
    const bool negative = length > 0 && text[0] == '-';
    if (negative)
        ++i;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1;  // -1 before the point
    for (; i < length; ++i) {
        const char c = text[i];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9' || ++count > 15)
            return false;
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    if (count == 0)
        return false;
    const double magnitude = static_cast<double>(digits) / PowersOfTen[decimals < 0 ? 0 : decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

int ReadingChars(char* out, Single value, Integer point, Single fullScale, bool& numeric) {
    if (fullScale == static_cast<Single>(ReadingCode::NoData))
        return -1;
    const int n = TrendNumberChars(out, value, point);
    if (n < 0)
        return -1;
    // Compared at the precision it shows, as AppendReadingText does. The text is the reading
    // rounded to its last place, so it lies less than one unit of that place away: a reading
    // at least that far inside the full scale shows a number within it.
    static constexpr double LastPlace[] = {1.0, 0.1, 0.01, 0.001};
    const double reading = static_cast<double>(value);
    if (reading >= 0 && reading + LastPlace[ReadingDecimals(point)] <= static_cast<double>(fullScale)) {
        numeric = true;
        return n;
    }
    double shown = 0;
    if (!ShortDecimalValue(out, n, shown) && std::from_chars(out, out + n, shown).ec != std::errc())
        return -1;
    numeric = shown >= 0 && shown <= fullScale;
    if (numeric)
        return n;
    std::memcpy(out, "OVER", 4);
    return 4;
}

Integer IntervalToIndex(Integer seconds) {
    switch (seconds) {
    case 10: return 0;
    case 20: return 1;
    case 30: return 2;
    case 60: return 3;
    case 180: return 4;
    case 300: return 5;
    case 600: return 6;
    default: return 5;
    }
}

Single RoundDownToStep(Single value, Single step) {
    if (value < 0 || step == 0)
        return 0;
    const Single quotient = value / step;
    const Integer whole = ToInteger(quotient);
    return static_cast<Single>(whole * step);
}

}  // namespace mt52
