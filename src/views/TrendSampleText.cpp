// The statistics blocks, column headers and rows of interval and alarm trends in the
// data-sample text.
#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingChars.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Numbers.h"
#include "platform/TextChars.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "views/DataSampleText.h"
#include "views/SampleTextParts.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace mt52 {
namespace {

constexpr Integer FirstGas = 0;
constexpr Integer SecondGas = 1;
// The slot that carries the first gas's reading in its other unit (vol% or ppm).
constexpr Integer OtherUnitGas = 4;

const QString NoValueText = QStringLiteral("-----");

// Every byte a row number, a date or a plain reading (or its "OVER") is made of.
constexpr std::string_view NumberBytes = "0123456789.-/: OVER";
// A unit text up to this long is copied as bytes.
constexpr std::size_t MaxUnitBytes = 32;

const SampleSlot& SlotOf(const SampleSlots& gases, Integer gas) { return gases[static_cast<std::size_t>(gas)]; }

bool IsUnitCode(Single code) {
    return code == ReadingCode::UnitLel || code == ReadingCode::UnitPpm || code == ReadingCode::UnitVol;
}

// No, Date/Time, the two gas captions; with unit columns an empty heading stands over the
// first gas's unit column and none over the second's.
void ColumnHeader(SampleTextLines& lines, const RecordFrame& record, Integer firstCaptionSlot, bool unitColumns) {
    QStringList fields{GetResText(5620), GetResText(5621), GasCaptionOf(record, firstCaptionSlot)};
    if (unitColumns)
        fields << QString();
    fields << GasCaptionOf(record, SecondGas);
    lines.Line(fields);
}

// A reading of slot 4 (the first gas in vol%) written in the first gas's %LEL scale. Only a
// positive ratio converts: without one the reading keeps its vol% form.
bool ConvertsToLel(const SampleTextOptions& options, const SampleSlot& firstGas) {
    return options.lelConversion && firstGas.ratio > 0;
}
QString LelReading(Single volReading, const SampleSlot& firstGas) {
    return SingleToText(volReading * 1000000.0f / firstGas.ratio);
}

// The reading and unit text of a trend slot under the general rule.
struct Reading {
    QString text;
    QString unit;
};
Reading GeneralReading(const SampleSlot& slot, Single value, Integer unitCode) {
    return {FormatReading(FormatTrendCell(value, slot.decimals), slot.full),
            UnitSuffix(unitCode, slot.ratio, value, slot.full, QString(), slot.unit)};
}
// Slot 4's reading shown in vol%, or converted to %LEL when the file type asks for it.
Reading OtherUnitReading(const SampleSlots& gases, Single volReading, Single firstGasReading,
                         const SampleTextOptions& options) {
    const SampleSlot& first = SlotOf(gases, FirstGas);
    const SampleSlot& other = SlotOf(gases, OtherUnitGas);
    if (ConvertsToLel(options, first)) {
        return {LelReading(volReading, first),
                UnitSuffix(ReadingCode::UnitLel, first.ratio, firstGasReading, first.full, QString(), first.unit)};
    }
    return {FormatReading(FormatTrendCell(volReading, other.decimals), other.full),
            UnitSuffix(ReadingCode::UnitVol, other.ratio, volReading, other.full, QString(), other.unit)};
}
bool WithinOtherUnitScale(const SampleSlots& gases, Single volReading) {
    return volReading > 0 && volReading <= SlotOf(gases, OtherUnitGas).full;
}

// --- Interval trend ------------------------------------------------------------------------------

class IntervalRows {
public:
    IntervalRows(SampleTextLines& lines, clsInterval& record, const SampleSlots& gases,
                 const SampleTextOptions& options)
        : lines_(lines),
          record_(record),
          gases_(gases),
          options_(options),
          debugMode_(State().DebugMode),
          plainNumbers_(lines.IsPlainBytes(NumberBytes)) {}

    void Write(const std::function<void()>& yield) {
        record_.getOrder(0);
        for (;;) {
            if (yield)
                yield();
            const Long k = record_.getOrder();
            if (k == 0)
                break;
            if (k > 0)
                Sample(k - 1);
            else
                Event(-k - 1);
        }
    }

private:
    Single Value(Integer gas, Long i) const { return record_.GasValue(gas, i).toSingle(); }
    Single Code(Integer gas, Long e) const { return record_.GasEvent(gas, e).toSingle(); }

    // A sample row is written field by field into the text: a long trend has tens of thousands
    // of rows. The row number, the date and a plain reading are made as ASCII bytes: while
    // streaming with a separator that none of their bytes is, straight into the streamed bytes
    // (with the unit's bytes when its text needs no quotes either), else in buffers on the
    // stack; a code, a mark or a converted reading is made in one reused string. The fields are
    // those of AddReading over GeneralReading and OtherUnitReading.
    void Sample(Long i) {
        if (lines_.streaming() && plainNumbers_) {
            constexpr std::size_t RowNumberRoom = 24;
            char* at = lines_.PlainFieldRoom(RowNumberRoom);
            lines_.EndPlainField(static_cast<std::size_t>(std::to_chars(at, at + RowNumberRoom, ++rowNumber_).ptr - at));
            at = lines_.PlainFieldRoom(DateTimeCharsSize);
            lines_.EndPlainField(static_cast<std::size_t>(dates_(record_.DateTimes(i), at)));
        } else {
            char number[24];
            const auto end = std::to_chars(number, number + sizeof number, ++rowNumber_).ptr;
            lines_.Field(std::string_view(number, static_cast<std::size_t>(end - number)));
            char date[DateTimeCharsSize];
            lines_.Field(std::string_view(date, static_cast<std::size_t>(dates_(record_.DateTimes(i), date))));
        }
        const Single vol = Value(OtherUnitGas, i);
        if (unitCode_ == ReadingCode::UnitVol && WithinOtherUnitScale(gases_, vol)) {
            const Reading first = OtherUnitReading(gases_, vol, Value(FirstGas, i), options_);
            cell_ = first.text;
            ReadingFields(IsNumeric(first.text), first.unit);
        } else {
            GeneralReadingFields(FirstGas, Value(FirstGas, i));
        }
        GeneralReadingFields(SecondGas, Value(SecondGas, i));
        lines_.EndLine();
    }

    // The reading of a gas under the general rule and its unit text.
    void GeneralReadingFields(Integer gas, Single value) {
        const SampleSlot& slot = SlotOf(gases_, gas);
        const QString& unit = UnitText(gas);
        const UnitBytes& bytes = unitBytes_[static_cast<std::size_t>(gas)];
        char reading[FixedDecimalsCharsSize];
        bool numeric = false;
        int length = 0;
        if (lines_.streaming() && plainNumbers_) {
            // The unit's bytes are copied whole behind the reading (the room holds them) and
            // counted only as far as the unit goes.
            char* at = lines_.PlainFieldRoom(FixedDecimalsCharsSize + MaxUnitBytes);
            length = ReadingChars(at, value, slot.decimals, slot.full, numeric);
            if (length >= 0 && (bytes.plain || !numeric)) {
                const auto size = static_cast<std::size_t>(length);
                const std::size_t unitSize = numeric ? bytes.size : 0;
                if (options_.unitColumns) {
                    lines_.EndPlainField(size);
                    std::memcpy(lines_.PlainFieldRoom(MaxUnitBytes), bytes.text.data(), MaxUnitBytes);
                    lines_.EndPlainField(unitSize);
                } else {
                    std::memcpy(at + size, bytes.text.data(), MaxUnitBytes);
                    lines_.EndPlainField(size + unitSize);
                }
                return;
            }
            if (length >= 0)
                std::memcpy(reading, at, static_cast<std::size_t>(length));
        } else {
            length = ReadingChars(reading, value, slot.decimals, slot.full, numeric);
        }
        if (length >= 0) {
            const std::string_view text(reading, static_cast<std::size_t>(length));
            if (options_.unitColumns) {
                lines_.Field(text);
                lines_.Field(numeric ? QStringView(unit) : QStringView());
            } else {
                lines_.Field(text, numeric ? QStringView(unit) : QStringView());
            }
            return;
        }
        cell_.clear();
        numeric = AppendReadingText(cell_, value, slot.decimals, slot.full);
        ReadingFields(numeric, UnitText(gas));
    }

    // cell_ holds the reading: the reading and the unit of a numeric reading, in one field or
    // with unit columns in two.
    void ReadingFields(bool numeric, const QString& unit) {
        if (options_.unitColumns) {
            lines_.Field(cell_);
            lines_.Field(numeric ? QStringView(unit) : QStringView());
            return;
        }
        if (numeric)
            cell_ += unit;
        lines_.Field(cell_);
    }

    // GeneralReading's unit text of the first or second gas in the current unit. It does not
    // depend on the reading (no alternative text is given), so it is made once per unit, with
    // its bytes when it can stand in a field as it is.
    const QString& UnitText(Integer gas) {
        if (unitTextsFor_ != unitCode_) {
            for (Integer g : {FirstGas, SecondGas}) {
                const SampleSlot& slot = SlotOf(gases_, g);
                const auto at = static_cast<std::size_t>(g);
                unitTexts_[at] = UnitSuffix(unitCode_, slot.ratio, 0, slot.full, QString(), slot.unit);
                const QByteArray latin1 = unitTexts_[at].toLatin1();
                UnitBytes& bytes = unitBytes_[at];
                const auto size = static_cast<std::size_t>(latin1.size());
                bytes.plain = size <= MaxUnitBytes && QString::fromLatin1(latin1) == unitTexts_[at] &&
                              lines_.IsPlainBytes(std::string_view(latin1.constData(), size));
                bytes.text.fill('\0');
                bytes.size = bytes.plain ? size : 0;
                std::memcpy(bytes.text.data(), latin1.constData(), bytes.size);
            }
            unitTextsFor_ = unitCode_;
        }
        return unitTexts_[static_cast<std::size_t>(gas)];
    }

    void Event(Long e) {
        const Single firstCode = Code(FirstGas, e);
        if (IsUnitCode(firstCode)) {
            unitCode_ = static_cast<Integer>(firstCode);
            if (!debugMode_)
                return;
        }
        QStringList fields{QString::number(++rowNumber_), ExportDate(record_.EventDateTimes(e))};
        for (Integer gas : {FirstGas, SecondGas}) {
            if (options_.unitColumns)
                fields << QString();
            fields << EventText(gas, e);
        }
        lines_.Line(fields);
    }

    QString EventText(Integer gas, Long e) const {
        const Single code = Code(gas, e);
        QString text = IsUnitCode(code) && !debugMode_ ? NoValueText : FormatTrendCell(code, SlotOf(gases_, gas).decimals);
        if (gas != FirstGas)
            return text;
        // An event of slot 4 (the first gas in its other unit) joins the first gas's cell.
        const Single otherCode = Code(OtherUnitGas, e);
        if (!(otherCode < ReadingCode::NoData))
            return text;
        const QString other = FormatTrendCell(otherCode, SlotOf(gases_, FirstGas).decimals);
        const Integer category = State().CellCategory;
        const bool joins = category == CellCategories::GasState || category == CellCategories::FailureFirst;
        if (text == NoValueText)
            return joins ? other + QLatin1Char('<') + SlotOf(gases_, OtherUnitGas).unit + QLatin1Char('>') : other;
        return joins ? text + QLatin1Char('/') + other : text;
    }

    SampleTextLines& lines_;
    clsInterval& record_;
    const SampleSlots& gases_;
    const SampleTextOptions& options_;
    const bool debugMode_;
    Integer unitCode_ = ReadingCode::UnitLel;
    Long rowNumber_ = 0;
    RunningDateTimeChars dates_;
    QString cell_;
    Integer unitTextsFor_ = 0;  // the unit code unitTexts_ were made for; 0 before the first
    std::array<QString, 2> unitTexts_;
    struct UnitBytes {
        bool plain = false;  // the text is plain ASCII that needs no quotes: its bytes follow
        std::array<char, MaxUnitBytes> text{};
        std::size_t size = 0;
    };
    std::array<UnitBytes, 2> unitBytes_;
    // The bytes of numbers and dates need no quotes with this separator.
    const bool plainNumbers_;
};

}  // namespace

void AppendIntervalStatistics(SampleTextLines& lines, const clsInterval& record, const SampleSlots& gases,
                              bool barHole, SampleStatistics statistics, SampleTextOptions& options) {
    const bool stelAndTwa = statistics == SampleStatistics::FourGasesWithStelTwa;
    QStringList header{GetResText(5750), GetResText(5613), GetResText(5614), GetResText(5663),
                       GetResText(5615), GetResText(5664), GetResText(5642), GetResText(5643)};
    if (stelAndTwa)
        header << GetResText(5644) << GetResText(5645);
    lines.Line(header);

    const SampleSlot& first = SlotOf(gases, FirstGas);
    const SampleSlot& other = SlotOf(gases, OtherUnitGas);
    // Slot 4 stands in for the first gas when only it holds data; its readings are then in
    // their own unit, so nothing is converted to %LEL.
    const bool otherStandsIn = other.present && !first.present;
    if (otherStandsIn)
        options.lelConversion = false;

    const Integer rows = stelAndTwa && !barHole ? 4 : 2;
    for (Integer r = 0; r < rows; ++r) {
        const Integer captionSlot = r == FirstGas && otherStandsIn ? OtherUnitGas : r;
        const Integer maxSlot =
            r == FirstGas && (!first.present || (other.present && other.maximum > 0)) ? OtherUnitGas : r;
        const SampleSlot& c = SlotOf(gases, captionSlot);
        const SampleSlot& m = SlotOf(gases, maxSlot);
        const SampleSlot& s = SlotOf(gases, r);
        QStringList fields{GasCaptionOf(record, captionSlot),
                           StatisticsReadingCell(c, c.average),
                           StatisticsReadingCell(m, m.maximum),
                           m.present ? FormatEventDate(m.maximum, m.maxDate) : NoValueText,
                           StatisticsReadingCell(s, s.minimum),
                           s.present ? FormatEventDate2(s.minimum, s.minDate) : NoValueText,
                           LevelCell(s, s.warning),
                           LevelCell(s, s.alarm)};
        if (stelAndTwa)
            fields << LevelCell(s, s.stel) << LevelCell(s, s.twa);
        lines.Line(fields);
    }
}

void AppendIntervalRows(SampleTextLines& lines, clsInterval& record, const SampleSlots& gases,
                        const SampleTextOptions& options, const std::function<void()>& yield) {
    const bool otherStandsIn = SlotOf(gases, OtherUnitGas).present && !SlotOf(gases, FirstGas).present;
    ColumnHeader(lines, record, otherStandsIn ? OtherUnitGas : FirstGas, options.unitColumns);
    lines.StreamToOutput();
    IntervalRows(lines, record, gases, options).Write(yield);
}

// --- Alarm trend ---------------------------------------------------------------------------------

void AppendAlarmStatistics(SampleTextLines& lines, const clsAlarm& record, const SampleSlots& gases) {
    lines.Line({GetResText(5750), GetResText(5642), GetResText(5643)});
    for (Integer gas : {FirstGas, SecondGas}) {
        const SampleSlot& slot = SlotOf(gases, gas);
        lines.Line({GasCaptionOf(record, gas), LevelCell(slot, slot.warning), LevelCell(slot, slot.alarm)});
    }
}

void AppendAlarmRows(SampleTextLines& lines, const clsAlarm& record, const SampleSlots& gases,
                     const SampleTextOptions& options) {
    ColumnHeader(lines, record, FirstGas, options.unitColumns);
    const SampleSlot& first = SlotOf(gases, FirstGas);
    for (Long i = 0; i < record.DataCount(); ++i) {
        QStringList fields{QString::number(i + 1), ExportDate(record.DateTimes(i))};
        const Single reading = record.value(FirstGas, i);
        const Single vol = record.value(OtherUnitGas, i);
        // At or above its full scale the first gas is shown by its vol% reading, when slot 4
        // holds one.
        const bool overRange = reading >= first.full && first.enable && WithinOtherUnitScale(gases, vol);
        const Reading firstCell = overRange ? OtherUnitReading(gases, vol, reading, options)
                                            : GeneralReading(first, reading, ReadingCode::UnitLel);
        AddReading(fields, firstCell.text, firstCell.unit, options.unitColumns);
        const Reading second = GeneralReading(SlotOf(gases, SecondGas), record.value(SecondGas, i), ReadingCode::UnitLel);
        AddReading(fields, second.text, second.unit, options.unitColumns);
        lines.Line(fields);
    }
}

}  // namespace mt52
