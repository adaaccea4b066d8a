#include "common/GridRowHelpers.h"
#include "platform/GridModel.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

constexpr Long Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// Row 1 of a grid of `cols` columns after SetGridRow; every cell starts as "x".
QStringList RowAfter(int cols, Integer firstCol, bool fill, const std::vector<Variant>& values) {
    GridModel grid;
    grid.SetRows(2);
    grid.SetCols(cols);
    for (int c = 0; c < cols; ++c)
        grid.SetTextMatrix(1, c, QStringLiteral("x"));
    SetGridRow(grid, 1, firstCol, fill, values);
    QStringList row;
    for (int c = 0; c < cols; ++c)
        row << grid.TextMatrix(1, c);
    return row;
}

TEST(SetGridRow, WritesFromTheFirstColumnDropsWhatDoesNotFitAndFills) {
    const std::vector<Variant> three = {Variant("a"), Variant(Integer(2)), Variant(Single(1.5f))};
    EXPECT_EQ(RowAfter(5, 1, false, three), (QStringList{"x", "a", "2", "1.5", "x"}));
    EXPECT_EQ(RowAfter(5, 1, true, three), (QStringList{"x", "a", "2", "1.5", "1.5"}));
    const std::vector<Variant> six = {Variant("1"), Variant("2"), Variant("3"), Variant("4"), Variant("5"), Variant("6")};
    EXPECT_EQ(RowAfter(4, 0, true, six), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(RowAfter(6, 2, true, {}), (QStringList{"x", "x", "", "", "", ""}));
    EXPECT_EQ(RowAfter(6, 2, false, {}), (QStringList{"x", "x", "x", "x", "x", "x"}));
    // An empty value writes an empty text.
    EXPECT_EQ(RowAfter(3, 0, true, {Variant("t"), Variant()}), (QStringList{"t", "", ""}));
}

TEST(SetGridRow, FailuresReachTheCaller) {
    GridModel grid;
    grid.SetRows(2);
    grid.SetCols(4);
    EXPECT_EQ(ErrorOf([&] { SetGridRow(grid, 1, 0, false, {Variant("a"), Variant::Null()}); }), 94);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("a"));
    EXPECT_EQ(ErrorOf([&] { SetGridRow(grid, 1, 32767, false, {Variant("a"), Variant("b")}); }), 6);
    EXPECT_EQ(ErrorOf([&] { SetGridRow(grid, 5, 0, false, {Variant("a")}); }), 9);
}

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
