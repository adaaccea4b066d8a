#include "main_window/GridRowHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

constexpr Long Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(StatusColor, ColourOfEachCodeRange) {
    struct Case {
        Long code;
        bool grey;
        Long colour;
    };
    const Case cases[] = {
        {-197, false, Rgb(160, 160, 0)}, {-193, false, Rgb(160, 160, 0)}, {-192, false, 0},
        {-158, false, 0},                {-157, false, Rgb(128, 128, 128)}, {-150, false, Rgb(128, 128, 128)},
        {-137, false, 0},                {-136, false, Rgb(128, 128, 128)}, {-130, false, Rgb(128, 128, 128)},
        {-107, false, Rgb(255, 64, 64)}, {-106, false, Rgb(192, 128, 192)}, {-105, false, Rgb(255, 192, 192)},
        {-104, false, Rgb(255, 0, 0)},   {-103, false, Rgb(255, 128, 0)},   {-102, false, Rgb(64, 192, 128)},
        {-101, true, Rgb(192, 192, 192)}, {0, true, Rgb(192, 192, 192)},    {-101, false, 0},
        {0, false, 0},                   {-118, true, 0},                   {12, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusColor(c.code, c.grey), c.colour) << c.code << (c.grey ? " grey" : "");
}

// An interval trend as CountValidSamples reads it.
struct FakeTrend {
    std::vector<Single> slot0;
    bool enabled = true;
    Long DataCount() const { return static_cast<Long>(slot0.size()); }
    Variant GasValue(Integer slot, Long index) const { return slot == 0 ? Variant(slot0[index]) : Variant(Single(5)); }
    Variant GasListInfo(Integer, Long field) const { return field == 10 ? Variant(enabled) : Variant(); }
};

TEST(CountValidSamples, ReadingsAndOverRangeOfAnEnabledFirstSlot) {
    FakeTrend trend{{5, -107, -101, 0, -150, 0.25f, -102}};
    EXPECT_EQ(CountValidSamples(trend), 4);
    trend.enabled = false;
    EXPECT_EQ(CountValidSamples(trend), 0);
    EXPECT_EQ(CountValidSamples(FakeTrend{}), 0);
}

}  // namespace
}  // namespace mt52
