#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

namespace mt52 {
namespace {

class ReadingCodesTest : public ::testing::Test {
protected:
    void SetUp() override { test::ResetProgramState(); }
    void TearDown() override { test::ResetProgramState(); }
};

TEST_F(ReadingCodesTest, TrendCellTextAndCategory) {
    struct Case {
        Single value;
        Integer point;
        const char* text;
        Integer category;
    };
    const std::vector<Case> cases{
        {-101, 2, "-----", 9},        {-118, 0, "-----", 9},         {-121, 0, "*****", 9},
        {56797, 2, "*****", 9},       {65535, 0, "-----", 9},        {65287, 0, "-----", 9},
        {-102, 0, "NORMAL", 1},       {-158, 0, "NORMAL", 3},        {-107, 0, "OVER", 1},
        {-193, 0, "-WARNING", 1},     {-197, 0, "-OVER", 1},         {-132, 0, "Fail(Sen.)", 2},
        {-137, 0, "Fail(Fol.)", 2},   {-151, 0, "Fail(Li-ion)", 3},  {-170, 0, "CAL ON", 4},
        {-175, 0, "vol", 4},          {-180, 0, "AIR", 4},
        // Readings: the picture follows the point, any point but 1 to 3 gives "#0".
        {12.346f, 2, "12.35", 0},     {7, 0, "7", 0},                {7.25f, 5, "7", 0},
        {7.25f, 1, "7.3", 0},         {0.5f, 3, "0.500", 0},         {65534, 0, "65534", 0},
        // Only exact codes are codes: a value near one is a reading.
        {-101.5f, 1, "-101.5", 0},    {-120, 0, "-120", 0},          {0, 0, "0", 0},
    };
    for (const Case& c : cases) {
        State().CellCategory = 77;
        EXPECT_EQ(FormatTrendCell(c.value, c.point), QString::fromLatin1(c.text)) << c.value;
        EXPECT_EQ(State().CellCategory, c.category) << c.value;
    }
}

TEST_F(ReadingCodesTest, ReportTextsDifferFromScreenTextsExactlyWhereExpected) {
    std::set<int> differing;
    for (int code = -90; code >= -210; --code) {
        if (FindReadingCode(code) == nullptr) {
            EXPECT_EQ(EventCodeText(code), QString()) << code;
            continue;
        }
        if (EventCodeText(code) != FormatTrendCell(static_cast<Single>(code), 0))
            differing.insert(code);
    }
    EXPECT_EQ(differing, (std::set<int>{-101, -118, -121, -132, -170, -171, -172, -176, -177, -178, -179}));

    EXPECT_EQ(EventCodeText(-121), "NODATA");
    EXPECT_EQ(EventCodeText(-118), "*****");
    EXPECT_EQ(EventCodeText(-132), "Fail(Sens.)");
    EXPECT_EQ(EventCodeText(-176), "EL. ON");
    EXPECT_EQ(EventCodeText(-158), "NORMAL");
    EXPECT_EQ(EventCodeText(-101), "");
    EXPECT_EQ(EventCodeText(5), "");
    EXPECT_EQ(EventCodeText(56797), "");
}

TEST_F(ReadingCodesTest, StatusFlagsFollowBitPriorityOnTheLowByte) {
    const std::vector<std::pair<Integer, Integer>> cases{
        {9, -105},   {0, -101},   {255, -101}, {256, -101}, {16, -106},  {128, -107},
        {2, -104},   {1, -103},   {3, -104},   {0x90, -106}, {0x118, -105}, {0x1FF, -105},
        {0x44, -101},
    };
    for (auto [flags, code] : cases)
        EXPECT_EQ(StatusFlagsToCode(flags), code) << flags;
}

TEST_F(ReadingCodesTest, EventNumbersMapToCodeRuns) {
    const std::vector<std::pair<const char*, Integer>> cases{
        {"0", -102},  {"5", -107},  {"6", -193},  {"10", -197}, {"11", -101}, {"12", -101},
        {"16", -130}, {"23", -137}, {"24", -101}, {"32", -150}, {"40", -158}, {"41", -101},
        {"48", -170}, {"50", -172}, {"58", -180}, {"59", -101}, {"-1", -101}, {" 3 ", -105},
        {"2.6", -105}, {"abc", 0},  {"", 0},      {"1e2", 0},
    };
    for (auto [text, code] : cases)
        EXPECT_EQ(EventNumberToCode(QString::fromLatin1(text)), code) << text;
    EXPECT_EQ(ErrorOf([] { EventNumberToCode(QStringLiteral("40000")); }), ErrOverflow);
}

TEST_F(ReadingCodesTest, StatisticsFieldsReadNumbersOrStatusWords) {
    const std::vector<std::pair<const char*, Single>> cases{
        {" over", -107}, {"12.5", 12.5f}, {"", -101},     {"war", -103}, {"ALRM", -104}, {"STEL", -105},
        {"TWA ", -106},  {"NORMAL", -102}, {"FAIL", 0},   {"MAX", 0},    {"min", 0},     {"xyz", -101},
        {"OV", -101},    {"-3", -3},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(ParseStatValue(QString::fromLatin1(text)), value) << text;
    EXPECT_EQ(ErrorOf([] { ParseStatValue(QStringLiteral("1") + QString(40, QLatin1Char('0'))); }), ErrOverflow);
}

TEST_F(ReadingCodesTest, WideCountsExpandAboveD000) {
    EXPECT_EQ(DecodeWideCount(0), 0.0f);
    EXPECT_EQ(DecodeWideCount(53248), 53248.0f);
    EXPECT_EQ(DecodeWideCount(53249), 50100.0f);
    EXPECT_EQ(DecodeWideCount(53250), 50200.0f);
    EXPECT_EQ(DecodeWideCount(65535), 1278700.0f);
    EXPECT_EQ(ErrorOf([] { DecodeWideCount(INT32_MAX); }), ErrOverflow);
}

}  // namespace
}  // namespace mt52
