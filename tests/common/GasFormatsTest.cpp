#include "common/GasFormats.h"
#include "common/GasTable.h"
#include "common/ModuleState.h"
#include "common/ReadingChars.h"
#include "common/ReadingCodes.h"
#include "platform/Numbers.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace mt52 {
namespace {

TEST(GasCaption, FormatsNameFullScaleAndUnit) {
    struct Case {
        const char* name;
        const char* unit;
        Single fullScale;
        Integer point;
        const char* caption;
    };
    const std::vector<Case> cases{
        {"CH4", "%LEL", 100, 0, "CH4(100%LEL)"},
        {"CH4", "%LEL", 100, 1, "CH4(100.0%LEL)"},
        {"CH4", "%LEL", -1, 2, "CH4(%LEL)"},
        {"HC ", "%LEL", 100, 0, "HC (100%LEL)"},      // the name keeps its blanks
        {"O2", "%", 25, -101, "O2(25%)"},             // no pattern: the general form
        {"H2S", "ppm", 5.5f, -101, "H2S(5.5ppm)"},
        {"", "%LEL", 100, 0, "----(---)"},
        {"   ", "ppm", 100, 0, "----(---)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GasCaption(QString::fromLatin1(c.name), QString::fromLatin1(c.unit), c.fullScale, c.point),
                  QString::fromLatin1(c.caption))
            << c.name;
    }
}

// An object with gas gases, as the instrument and the record models are.
class SlotsFake : public GasCaptionSource {
public:
    std::map<Integer, GasCaptionParts> gases;
    GasCaptionParts GasCaptionPartsOf(Integer gas) const override {
        auto it = gases.find(gas);
        return it != gases.end() ? it->second : GasCaptionParts{};
    }
};

TEST(GasCaptionOf, CaptionsSettingsRecordsAndSnapshots) {
    SlotsFake record;
    record.gases[0] = GasCaptionParts::Settings(QStringLiteral("CH4"), 100, 1, QStringLiteral("%LEL"));
    record.gases[1] = GasCaptionParts::Settings(QStringLiteral("CO"), -1, 0, QStringLiteral("ppm"));
    record.gases[2] = GasCaptionParts::Settings(QStringLiteral("  "), 100, 0, QStringLiteral("ppm"));
    record.gases[3] = GasCaptionParts::Sent(QStringLiteral(" O2 "), QStringLiteral(" 25.0 "), QStringLiteral(" % "));
    record.gases[4] = GasCaptionParts::Sent(QStringLiteral("H2S"), QStringLiteral("5.50"), QStringLiteral("ppm"));
    record.gases[5] = GasCaptionParts::Sent(QStringLiteral("CO"), QStringLiteral("#?"), QStringLiteral("ppm"));

    EXPECT_EQ(GasCaptionOf(record, 0), "CH4(100.0%LEL)");
    EXPECT_EQ(GasCaptionOf(record, 1), "CO(-1ppm)");  // no -1 rule for objects
    EXPECT_EQ(GasCaptionOf(record, 2), "----(---)");
    EXPECT_EQ(GasCaptionOf(record, 3), "O2(25%)");
    EXPECT_EQ(GasCaptionOf(record, 4), "H2S(5.5ppm)");
    EXPECT_EQ(GasCaptionOf(record, 5), "CO(#?ppm)");  // a damaged full scale is shown as it stands
    EXPECT_EQ(GasCaptionOf(record, 9), "----(---)");  // a slot the object does not hold
    EXPECT_EQ(GasCaptionOf(nullptr, 0), "----(---)");
}

TEST(GasFormats, DecimalPatterns) {
    const std::vector<std::pair<Integer, const char*>> cases{
        {0, "#0"}, {1, "#0.0"}, {3, "#0.000"}, {4, "#0.0000"}, {9, "#0.000000000"}, {10, ""}, {-1, ""}, {-101, ""},
    };
    for (auto [point, pattern] : cases)
        EXPECT_EQ(DecimalFormat(point), QString::fromLatin1(pattern)) << point;
}

TEST(GasFormats, UnitSuffix) {
    EXPECT_EQ(UnitSuffix(0, 0, 5, 100, QString(), QStringLiteral("ppm")), " ppm");
    EXPECT_EQ(UnitSuffix(-175, 1, 5, 100, QString(), QStringLiteral("ppm")), " vol%");
    EXPECT_EQ(UnitSuffix(-173, 0.5f, 5, 100, QString(), QStringLiteral("ppm")), " %LEL");
    EXPECT_EQ(UnitSuffix(-174, 1, 5, 100, QString(), QStringLiteral("%")), " ppm");
    EXPECT_EQ(UnitSuffix(-102, 1, 5, 100, QString(), QStringLiteral("ppm")), "");
    EXPECT_EQ(UnitSuffix(-175, 0, 150, 100, QStringLiteral("vol%"), QStringLiteral("%LEL")), " vol%");
    EXPECT_EQ(UnitSuffix(-175, 0, 100, 100, QStringLiteral("vol%"), QStringLiteral("%LEL")), " %LEL");
}

TEST(GasFormats, ReadingOverRangeCheck) {
    const std::vector<std::tuple<const char*, Single, const char*>> cases{
        {"60", 50, "OVER"},   {"-1", 50, "OVER"},    {"NORMAL", 50, "NORMAL"}, {"12", -101, "-----"},
        {"NORMAL", -101, "-----"}, {"50", 50, "50"}, {"0", 50, "0"},          {"12.50", 50, "12.50"},
        {"50.01", 50, "OVER"}, {"", 50, ""},
    };
    for (auto [text, fullScale, result] : cases)
        EXPECT_EQ(FormatReading(QString::fromLatin1(text), fullScale), QString::fromLatin1(result)) << text;
}

TEST(GasFormats, AppendedReadingTextIsTheFormattedReadingChecked) {
    test::ResetProgramState();
    std::vector<Single> values{0.0f,    -0.0f,   0.04f,   0.05f,    -0.04f,  -0.05f,  -0.5f,   12.346f, 2.675f,
                               49.95f,  49.96f,  50.0f,   50.04f,   50.05f,  99.95f,  100.0f,  -101.0f, -102.0f,
                               -107.0f, -118.0f, -121.0f, -132.0f,  -158.0f, -173.0f, -175.0f, -197.0f, -100.0f,
                               -150.5f, 56797.0f, 65535.0f, 65287.0f, 1e-30f, 3.4e38f, -3.4e38f,
                               std::numeric_limits<Single>::quiet_NaN(), std::numeric_limits<Single>::infinity(),
                               -std::numeric_limits<Single>::infinity()};
    for (int i = -300; i <= 700; ++i)
        values.push_back(static_cast<Single>(i) / 7.0f);
    for (const Single fullScale : {50.0f, 0.0f, 100.0f, 5.0f, -101.0f, -1.0f, 3.4e38f}) {
        for (Integer point : {Integer(0), Integer(1), Integer(2), Integer(3), Integer(4), Integer(-1)}) {
            for (const Single value : values) {
                const QString expected = FormatReading(FormatTrendCell(value, point), fullScale);
                const Integer category = State().CellCategory;
                State().CellCategory = -1;
                QString appended = QStringLiteral("a,b ");
                const bool numeric = AppendReadingText(appended, value, point, fullScale);
                EXPECT_EQ(appended, QStringLiteral("a,b ") + expected) << value << " " << point << " " << fullScale;
                EXPECT_EQ(numeric, IsNumeric(expected)) << value << " " << point << " " << fullScale;
                EXPECT_EQ(State().CellCategory, category) << value;
                // The byte form gives the same text for every value it takes; it leaves codes,
                // marks, non-finite values and a missing full scale to the text form.
                char bytes[FixedDecimalsCharsSize];
                bool bytesNumeric = !numeric;
                State().CellCategory = -1;
                const int length = ReadingChars(bytes, value, point, fullScale, bytesNumeric);
                const bool plainReading = std::isfinite(value) && fullScale != -101.0f &&
                                          FindReadingCode(value) == nullptr && value != 56797.0f &&
                                          value != 65535.0f && value != 65287.0f;
                EXPECT_EQ(length >= 0, plainReading) << value << " " << point << " " << fullScale;
                if (length >= 0) {
                    EXPECT_EQ(QString::fromLatin1(bytes, length), expected) << value << " " << point << " " << fullScale;
                    EXPECT_EQ(bytesNumeric, numeric) << value << " " << point << " " << fullScale;
                    EXPECT_EQ(State().CellCategory, category) << value;
                }
            }
        }
    }
    test::ResetProgramState();
}

// A plain reading well inside its full scale is numeric without reading its text back; one near
// the full scale (either side, at every count of decimals) or near zero is compared at the
// precision it shows. Both give AppendReadingText's text and answer.
TEST(GasFormats, ReadingBytesNearTheFullScaleAreCheckedAtTheirPrecision) {
    test::ResetProgramState();
    int failures = 0;
    for (const Single fullScale : {0.1f, 0.3f, 1.0f, 5.0f, 20.9f, 25.0f, 99.9f, 100.0f, 300.0f, 1000.1f, 50000.0f}) {
        std::vector<Single> values{0.0f, -0.0f, fullScale, -fullScale};
        for (const Single centre : {fullScale, 0.0f}) {
            for (int step = -2500; step <= 2500; ++step)
                values.push_back(centre + static_cast<Single>(step) * 0.0001f);
            Single near = centre;
            for (int i = 0; i < 40; ++i)
                near = std::nextafter(near, -1e9f);
            for (int i = 0; i < 80; ++i) {
                values.push_back(near);
                near = std::nextafter(near, 1e9f);
            }
        }
        for (Integer point : {Integer(0), Integer(1), Integer(2), Integer(3), Integer(5)}) {
            for (const Single value : values) {
                QString general;
                const bool generalNumeric = AppendReadingText(general, value, point, fullScale);
                char bytes[FixedDecimalsCharsSize];
                bool numeric = !generalNumeric;
                const int length = ReadingChars(bytes, value, point, fullScale, numeric);
                const bool same = length >= 0 && QString::fromLatin1(bytes, length) == general && numeric == generalNumeric;
                if (!same && failures++ < 10)
                    ADD_FAILURE() << value << " point " << point << " full scale " << fullScale << ": "
                                  << general.toStdString();
            }
        }
    }
    test::ResetProgramState();
}

TEST(GasFormats, IntervalListPosition) {
    const std::vector<std::pair<Integer, Integer>> cases{
        {10, 0}, {20, 1}, {30, 2}, {60, 3}, {180, 4}, {300, 5}, {600, 6}, {45, 5}, {0, 5}, {-10, 5},
    };
    for (auto [seconds, index] : cases)
        EXPECT_EQ(IntervalToIndex(seconds), index) << seconds;
}

TEST(GasFormats, RoundToStepGoesToNearestEvenMultiple) {
    const std::vector<std::tuple<Single, Single, Single>> cases{
        {17, 10, 20}, {14, 10, 10}, {15, 10, 20}, {25, 10, 20}, {-3, 10, 0}, {5, 0, 0},
        {0, 10, 0},   {2.5f, 1, 2}, {3.5f, 1, 4}, {0.75f, 0.5f, 1}, {12.3f, 0.1f, 12.3f},
    };
    for (auto [value, step, result] : cases)
        EXPECT_FLOAT_EQ(RoundDownToStep(value, step), result) << value << " step " << step;
    EXPECT_EQ(ErrorOf([] { RoundDownToStep(400000, 1); }), ErrOverflow);
}

TEST(GasTable, DefaultsFillTheFirstTwoChoicesOnly) {
    test::ResetProgramState();
    GasTableEntry(0, 5).Name = QStringLiteral("kept");
    FillDefaultGasTable();

    const GasDefinition& ch4 = State().GasTable[0][0];
    EXPECT_TRUE(ch4.Enabled);
    EXPECT_EQ(ch4.Name, "CH4");
    EXPECT_FALSE(ch4.Locked);
    EXPECT_EQ(ch4.Unit, "%LEL");
    EXPECT_EQ(ch4.FullScale, 100);
    EXPECT_EQ(ch4.Digit, 1);
    EXPECT_EQ(ch4.Point, 0);
    EXPECT_EQ(ch4.Warning, 10);
    EXPECT_EQ(ch4.Alarm, 50);
    EXPECT_EQ(ch4.STEL, -1);
    EXPECT_EQ(ch4.TWA, -1);
    EXPECT_EQ(ch4.Ratio, 0);
    EXPECT_EQ(ch4.AutoCal, 10);
    EXPECT_EQ(ch4.Zero, 0);

    GasDefinition hc = ch4;
    hc.Name = QStringLiteral("HC ");
    EXPECT_EQ(State().GasTable[0][1], hc);
    EXPECT_EQ(State().GasTable[0][5].Name, "kept");
    EXPECT_EQ(State().GasTable[0][8], GasDefinition{});
    EXPECT_EQ(GasCaption(hc.Name, hc.Unit, hc.FullScale, hc.Point), "HC (100%LEL)");

    EXPECT_EQ(ErrorOf([] { GasTableEntry(1, 0); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([] { GasTableEntry(0, 9); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([] { GasTableEntry(0, -1); }), ErrSubscript);
    test::ResetProgramState();
}

}  // namespace
}  // namespace mt52
