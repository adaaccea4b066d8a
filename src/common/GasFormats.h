#pragma once
// The small formats every page uses for gases: the gas caption, the decimal patterns, the
// unit suffix, the over-range check of a reading, the interval list position and the
// rounding of a value to a step.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// The caption of a slot without a gas.
inline const QString EmptyGasCaption = QStringLiteral("----(---)");

// The parts of a gas caption that an object holding gas slots hands out for one slot.
struct GasCaptionParts {
    QString Name;          // as held, blanks included
    Single FullScale = 0;  // settings and stored records
    Integer Point = 0;     // decimals of the full scale
    QString Unit;
    // Snapshots carry the instrument's own texts: the full scale is a text holding a number.
    bool InstrumentTexts = false;
    QString FullScaleText;

    // A gas slot of an instrument's settings or of a stored record.
    static GasCaptionParts Settings(const QString& name, Single fullScale, Integer point, const QString& unit);
    // A gas slot of a snapshot: name, full scale and unit as the instrument sent them.
    static GasCaptionParts Sent(const QString& name, const QString& fullScale, const QString& unit);
};

// Implemented by every object whose gas slots can be captioned (the instrument settings and
// the record models). A slot the object does not hold gives parts with an empty name.
class GasCaptionSource {
public:
    virtual ~GasCaptionSource() = default;
    virtual GasCaptionParts GasCaptionPartsOf(Integer gas) const = 0;
};

// "CH4(100%LEL)": the name (blanks kept), "(", the full scale formatted with
// DecimalFormat(point), the unit and ")"; a full scale of -1 is left out ("CH4(%LEL)");
// "----(---)" when the trimmed name is empty. The result passes through InstGlyphToText.
QString GasCaption(const QString& name, const QString& unit, Single fullScale, Integer point);

// The caption of a gas slot of an object; "----(---)" for a null object or a slot whose
// trimmed name is empty. Settings and records: name, "(", full scale with
// DecimalFormat(point), unit, ")" (no -1 rule, no glyph mapping). Snapshots: the trimmed
// name, full scale and unit, the full scale in the shortest form of its number ("100",
// "5.5"), or as it stands when it is not a number.
QString GasCaptionOf(const GasCaptionSource* record, Integer gas);
QString GasCaptionOf(const GasCaptionSource& record, Integer gas);

// "#0" for 0, "#0." and as many "0" as the point for 1 to 9; the empty text otherwise,
// with which FormatNumber writes the plain general form.
QString DecimalFormat(Integer point);

// The suffix after a value in the data views and exports. With a switch above 0 the unit
// code decides (" %LEL", " ppm", " vol%" for -173, -174, -175, else empty); otherwise a
// blank and the alternative text when it is not empty and the value exceeds the limit,
// else a blank and the unit text.
QString UnitSuffix(Integer unitCode, Single unitSwitch, Single value, Single limit,
                   const QString& alternativeText, const QString& unitText);

// The over-range check of a formatted reading: "-----" when the full scale is -101; a
// numeric text outside 0 .. full scale gives "OVER"; any other text comes back unchanged.
QString FormatReading(const QString& text, Single fullScale);
// Appends FormatReading(FormatTrendCell(value, point), fullScale) to `out` (recording the
// category as FormatTrendCell does) without the temporaries of the two calls: the reading
// cell of long tables and exports. True when the appended text is numeric.
bool AppendReadingText(QString& out, Single value, Integer point, Single fullScale);

// Position of a logging interval in the interval list: 10, 20, 30, 60, 180, 300, 600
// seconds give 0 to 6; any other value gives 5 (300 s).
Integer IntervalToIndex(Integer seconds);

// The nearest multiple of the step (an exact half of a step goes to the even multiple);
// 0 when the value is negative or the step is 0. A quotient outside the 16-bit range raises
// the overflow error.
Single RoundDownToStep(Single value, Single step);

}  // namespace mt52
