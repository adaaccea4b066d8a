#include "common/ReadingCodes.h"
#include "common/ReadingChars.h"

#include "common/ModuleState.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace mt52 {
namespace {

using namespace CellCategories;

constexpr std::array<ReadingCodeInfo, 42> CodeTable{{
    {-101, "-----", NoValue, ""},
    {-102, "NORMAL", GasState, "NORMAL"},
    {-103, "WARNING", GasState, "WARNING"},
    {-104, "ALARM", GasState, "ALARM"},
    {-105, "STEL", GasState, "STEL"},
    {-106, "TWA", GasState, "TWA"},
    {-107, "OVER", GasState, "OVER"},
    {-118, "-----", NoValue, "*****"},
    {-121, "*****", NoValue, "NODATA"},
    {-130, "Fail(Air)", FailureFirst, "Fail(Air)"},
    {-131, "Fail(Span)", FailureFirst, "Fail(Span)"},
    {-132, "Fail(Sen.)", FailureFirst, "Fail(Sens.)"},
    {-133, "Fail(Com.)", FailureFirst, "Fail(Com.)"},
    {-134, "Fail(Ram)", FailureFirst, "Fail(Ram)"},
    {-135, "Fail(Rom)", FailureFirst, "Fail(Rom)"},
    {-136, "Fail(Ext.)", FailureFirst, "Fail(Ext.)"},
    {-137, "Fail(Fol.)", FailureFirst, "Fail(Fol.)"},
    {-150, "Fail(ALK.)", FailureSecond, "Fail(ALK.)"},
    {-151, "Fail(Li-ion)", FailureSecond, "Fail(Li-ion)"},
    {-152, "Fail(FLOW)", FailureSecond, "Fail(FLOW)"},
    {-153, "Fail(RAM)", FailureSecond, "Fail(RAM)"},
    {-154, "Fail(ROM)", FailureSecond, "Fail(ROM)"},
    {-155, "Fail(FRAM)", FailureSecond, "Fail(FRAM)"},
    {-156, "Fail(FLA.)", FailureSecond, "Fail(FLA.)"},
    {-157, "Fail(CLO.)", FailureSecond, "Fail(CLO.)"},
    {-158, "NORMAL", FailureSecond, "NORMAL"},
    {-170, "CAL ON", Event, "CALON"},
    {-171, "CAL OFF", Event, "CALOFF"},
    {-172, "CLEAR", Event, "CLR"},
    {-173, "LEL", Event, "LEL"},
    {-174, "ppm", Event, "ppm"},
    {-175, "vol", Event, "vol"},
    {-176, "ELE ON", Event, "EL. ON"},
    {-177, "ELE OFF", Event, "EL.OFF"},
    {-178, "CAT ON", Event, "CATON"},
    {-179, "CAT OFF", Event, "CATOFF"},
    {-180, "AIR", Event, "AIR"},
    {-193, "-WARNING", GasState, "-WARNING"},
    {-194, "-ALARM", GasState, "-ALARM"},
    {-195, "-STEL", GasState, "-STEL"},
    {-196, "-TWA", GasState, "-TWA"},
    {-197, "-OVER", GasState, "-OVER"},
}};

// Readings that still hold one of the instrument's 16-bit markers as a number.
struct RawMark {
    Single value;
    const char* text;
};
constexpr std::array<RawMark, 3> RawMarks{{{56797.0f, "*****"}, {65535.0f, "-----"}, {65287.0f, "-----"}}};

// The screen texts of the table as shared strings, made once: a cell of a long table takes a
// reference rather than a new string.
const QString& ScreenTextOf(const ReadingCodeInfo& row) {
    static const std::array<QString, CodeTable.size()> texts = [] {
        std::array<QString, CodeTable.size()> made;
        for (std::size_t i = 0; i < CodeTable.size(); ++i)
            made[i] = QString::fromLatin1(CodeTable[i].ScreenText);
        return made;
    }();
    return texts[static_cast<std::size_t>(&row - CodeTable.data())];
}

}  // namespace

const ReadingCodeInfo* FindReadingCode(double code) {
    // Every code of the table is -101 or below; a reading above that is none.
    if (!(code <= ReadingCode::NoData))
        return nullptr;
    for (const ReadingCodeInfo& row : CodeTable) {
        if (row.Code == code)
            return &row;
    }
    return nullptr;
}

namespace {

// The text of a raw 16-bit mark; nullptr for any other value.
const char* RawMarkText(Single value) {
    for (const RawMark& mark : RawMarks)
        if (value == mark.value)
            return mark.text;
    return nullptr;
}

}  // namespace

QString FormatTrendCell(Single value, Integer point) {
    if (const ReadingCodeInfo* row = FindReadingCode(value)) {
        State().CellCategory = row->Category;
        return ScreenTextOf(*row);
    }
    if (const char* mark = RawMarkText(value)) {
        State().CellCategory = NoValue;
        return QString::fromLatin1(mark);
    }
    State().CellCategory = Number;
    return FormatFixedDecimals(value, ReadingDecimals(point));
}

bool AppendTrendCell(QString& out, Single value, Integer point) {
    if (const ReadingCodeInfo* row = FindReadingCode(value)) {
        State().CellCategory = row->Category;
        out += ScreenTextOf(*row);
        return false;
    }
    if (const char* mark = RawMarkText(value)) {
        State().CellCategory = NoValue;
        out += QLatin1StringView(mark);
        return false;
    }
    State().CellCategory = Number;
    AppendFixedDecimals(out, value, ReadingDecimals(point));
    return std::isfinite(value);
}

int TrendNumberChars(char* out, Single value, Integer point) {
    if (!std::isfinite(value) || FindReadingCode(value) != nullptr || RawMarkText(value) != nullptr)
        return -1;
    const int n = FixedDecimalsChars(out, value, ReadingDecimals(point));
    if (n >= 0)
        State().CellCategory = Number;
    return n;
}

QString EventCodeText(Long code) {
    const ReadingCodeInfo* row = FindReadingCode(code);
    return row != nullptr ? QString::fromLatin1(row->ReportText) : QString();
}

Integer StatusFlagsToCode(Integer flags) {
    if (flags == 255)
        return ReadingCode::NoData;
    const int low = flags & 0xFF;
    if (low & 0x08)
        return ReadingCode::Stel;
    if (low & 0x10)
        return ReadingCode::Twa;
    if (low & 0x80)
        return ReadingCode::Over;
    if (low & 0x02)
        return ReadingCode::Alarm;
    if (low & 0x01)
        return ReadingCode::Warning;
    return ReadingCode::NoData;
}

Integer EventNumberToCode(const QString& text) {
    if (!IsNumeric(text))
        return 0;
    const int n = ToInteger(ParseNumber(text));
    if (n >= 0 && n <= 5)
        return static_cast<Integer>(-102 - n);
    if (n >= 6 && n <= 10)
        return static_cast<Integer>(-187 - n);
    if (n >= 16 && n <= 23)
        return static_cast<Integer>(-114 - n);
    if (n >= 32 && n <= 40)
        return static_cast<Integer>(-118 - n);
    if (n >= 48 && n <= 58)
        return static_cast<Integer>(-122 - n);
    return ReadingCode::NoData;
}

Single ParseStatValue(const QString& text) {
    if (IsNumeric(text))
        return ToSingle(ParseNumber(text));
    const QString word = Left(Trim(text), 3).toUpper();
    if (word == QLatin1String("OVE"))
        return ReadingCode::Over;
    if (word == QLatin1String("WAR"))
        return ReadingCode::Warning;
    if (word == QLatin1String("ALR"))
        return ReadingCode::Alarm;
    if (word == QLatin1String("STE"))
        return ReadingCode::Stel;
    if (word == QLatin1String("TWA"))
        return ReadingCode::Twa;
    if (word == QLatin1String("NOR"))
        return ReadingCode::Normal;
    if (word == QLatin1String("FAI") || word == QLatin1String("MAX") || word == QLatin1String("MIN"))
        return 0;
    return ReadingCode::NoData;
}

Single DecodeWideCount(Long count) {
    constexpr Long WideBase = 53248;  // D000
    if (count <= WideBase)
        return static_cast<Single>(count);
    const std::int64_t wide = 50000 + (static_cast<std::int64_t>(count) - WideBase) * 100;
    if (wide > INT32_MAX)
        Raise(ErrOverflow, QStringLiteral("compressed count %1").arg(count));
    return static_cast<Single>(wide);
}

}  // namespace mt52
