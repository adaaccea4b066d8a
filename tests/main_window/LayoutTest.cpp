#include "LayoutFixture.h"
#include "main_window/InstrumentPagesLayout.h"
#include "main_window/MainFrameLayout.h"
#include "main_window/StoredDataPagesLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace mt52 {
namespace {

using test::LayoutFixture;

void ExpectBox(const LayoutState& s, const QString& name, double left, double top, double width, double height) {
    SCOPED_TRACE(name.toStdString());
    const ControlBox& box = s[name];
    EXPECT_NEAR(box.Left, left, 1e-6);
    EXPECT_NEAR(box.Top, top, 1e-6);
    EXPECT_NEAR(box.Width, width, 1e-6);
    EXPECT_NEAR(box.Height, height, 1e-6);
}

std::vector<int> Widths(const LayoutState& s, const char* grid) { return s.Grid(QLatin1String(grid)).Widths; }

void SetCols(LayoutState& s, const char* grid, int cols) {
    s.Grid(QLatin1String(grid)).Widths.assign(static_cast<std::size_t>(cols), 960);
}

// ---- Frame ----------------------------------------------------------------------------------

TEST(MainFrameLayout, MinimumOuterSizeRaisesOnlyTheDimensionThatIsTooSmall) {
    EXPECT_EQ(EnforceMinimumSize({5000, 9000}), (WindowSize{11640, 9000}));
    EXPECT_EQ(EnforceMinimumSize({12000, 8000}), (WindowSize{12000, 8250}));
    EXPECT_EQ(EnforceMinimumSize({20000, 10000}), (WindowSize{20000, 10000}));
}

TEST(MainFrameLayout, PageFramesAndMenuColumnFollowTheClientSize) {
    struct Case {
        double scaleWidth, scaleHeight;
        double pageWidth, menuLeft, menuWidth, buttonHeight;
        double tops[4];
    };
    const Case cases[] = {
        {10000, 7800, 8560, 8680, 1200, 1740, {180, 2040, 3900, 5760}},
        {28800, 16200, 25104, 25224, 3456, 3840, {180, 4140, 8100, 12060}},
    };
    for (const Case& c : cases) {
        LayoutFixture f;
        f.ShowPage(-1);
        LayoutWindow(f.state, c.scaleWidth, c.scaleHeight);
        for (int i = 0; i < 6; ++i)
            ExpectBox(f.state, Indexed("fraMenu", i), 0, 120, c.pageWidth, c.scaleHeight - 180);
        const int menu[4] = {0, 2, 4, 5};
        for (int k = 0; k < 4; ++k)
            ExpectBox(f.state, Indexed("cmdInst", menu[k]), c.menuLeft, c.tops[k], c.menuWidth, c.buttonHeight);
        // The lowest button ends 300 above the client's bottom edge.
        EXPECT_NEAR(f.state[Indexed("cmdInst", 5)].Bottom(), c.scaleHeight - 300, 1e-6);
        for (int hidden : {1, 3})
            ExpectBox(f.state, Indexed("cmdInst", hidden), 37, 41, 1200, 1740);
    }
}

TEST(MainFrameLayout, OnlyTheFirstVisiblePageIsLaidOut) {
    LayoutFixture f;
    f.ShowPage(2);
    f.state[Indexed("fraMenu", 5)].Visible = true;
    LayoutWindow(f.state, 10000, 7800);
    EXPECT_EQ(f.state[QStringLiteral("tvwLog")].Left, 120);
    EXPECT_EQ(f.state[Indexed("fraOption", 0)].Left, 37);

    LayoutFixture none;
    none.ShowPage(-1);
    LayoutWindow(none.state, 10000, 7800);
    EXPECT_EQ(none.state[QStringLiteral("rtbLog")].Left, 37);
}

// ---- Download, Instruments and option pages (PW 8560, PH 7620) --------------------------------

TEST(DownloadPageLayout, LeftColumnOfLogBoxAndRightColumnOfFrames) {
    LayoutFixture f;
    f.state[Indexed("cmdDown", 5)].Visible = true;  // other code showed it: the layout hides it again
    LayoutDownloadPage(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    ExpectBox(s, Indexed("fraDown", 0), 120, 240, 5136, 612);
    ExpectBox(s, Indexed("shpStatus", 0), 120, 240, 200, 200);
    ExpectBox(s, Indexed("shpStatus", 1), 1284, 240, 200, 200);
    ExpectBox(s, Indexed("shpStatus", 3), 3852, 240, 200, 200);
    ExpectBox(s, Indexed("lblStatus", 1), 1544, 240, 852, 252);
    ExpectBox(s, Indexed("lblStatus", 9), 4112, 240, 852, 252);
    ExpectBox(s, QStringLiteral("rtbLog"), 120, 1257, 5136, 4191);
    ExpectBox(s, Indexed("fraDown", 3), 120, 5568, 5136, 1932);
    ExpectBox(s, Indexed("fraDown", 1), 5316, 240, 3184, 975);
    ExpectBox(s, Indexed("chkAutoLoad", 0), 120, 240, 2944, 195);
    ExpectBox(s, Indexed("chkAutoLoad", 1), 120, 495, 2944, 195);
    ExpectBox(s, Indexed("fraDown", 2), 5316, 1215, 3184, 6285);
    const double h = (6285.0 - 900) / 9;
    for (int i = 0; i < 6; ++i)
        ExpectBox(s, Indexed("cmdDown", i), 120, 240 + i * (h + 120), 2944, h);
    ExpectBox(s, QStringLiteral("cmdInportDat"), 120, 240 + 7 * (h + 120), 2944, h);
    ExpectBox(s, QStringLiteral("fraDown3Ceneter"), 40.5, 238.5, 5055, 975);
    EXPECT_FALSE(s[Indexed("cmdDown", 5)].Visible);
}

TEST(InstrumentsPageLayout, IdentityFrameAndGrids) {
    LayoutFixture f;
    LayoutInstrumentsPage(f.state, 8560, 7620);
    ExpectBox(f.state, QStringLiteral("fraInst"), 120, 240, 2140, 3429);
    ExpectBox(f.state, QStringLiteral("fraInstCeneter"), -137.5, 207, 2415, 3015);
    ExpectBox(f.state, QStringLiteral("vfgInst"), 2380, 360, 6060, 3309);
    ExpectBox(f.state, QStringLiteral("vfgInstSensor"), 120, 3789, 8320, 3591);
}

TEST(InstrumentsPageLayout, ColumnWidthsByColumnCount) {
    // vfgInst is 6060 wide, vfgInstSensor 8320.
    struct Case {
        const char* grid;
        int cols;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"vfgInst", 4, {960, 960, 960, 960}},
        {"vfgInst", 5, {1151, 1515, 727, 727, 960}},
        {"vfgInst", 6, {1151, 1515, 727, 727, 727, 960}},
        {"vfgInst", 7, {960, 960, 960, 960, 960, 960, 960}},
        {"vfgInstSensor", 3, {2746, 2746, 100}},
        {"vfgInstSensor", 4, {2746, 2746, 2746, 100}},
        {"vfgInstSensor", 1, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.grid) + " " + std::to_string(c.cols));
        LayoutFixture f;
        SetCols(f.state, c.grid, c.cols);
        LayoutInstrumentsPage(f.state, 8560, 7620);
        EXPECT_EQ(Widths(f.state, c.grid), c.widths);
    }
}

TEST(OptionPageLayout, StatusFrameWithItsButtonsAboveTheSettingsGrid) {
    LayoutFixture f;
    LayoutOptionPage(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    const double h = 0.6 * 7620;
    ExpectBox(s, Indexed("fraOption", 0), 120, 240, 2568, h);
    ExpectBox(s, QStringLiteral("fraOptionCenter0"), 256.5, (h - 3135) / 2, 2055, 3135);
    const double statusHeight = h - 372 - 120;
    ExpectBox(s, Indexed("fraOption", 1), 2808, 240, 5512, statusHeight);
    const double w = 5512 / 4.2;
    for (int i = 0; i < 4; ++i)
        ExpectBox(s, Indexed("cmdOption", i), 2808 + i * (w + 120), 240 + statusHeight + 120, w, 372);
    ExpectBox(s, QStringLiteral("fraOptionCenter1"), -191.5, (statusHeight - 2595) / 2, 5895, 2595);
    // The record suffix at the foot of the status frame.
    ExpectBox(s, QStringLiteral("picOptionToToval"), 120, statusHeight - 372 - 120, 5272, 372);
    // The calibration panel is not touched; the settings grid fills the page below the frames.
    ExpectBox(s, Indexed("fraOption", 2), 37, 41, 5632, 6858);
    ExpectBox(s, QStringLiteral("vfgOption"), 120, 240 + h + 120, 8320, 7620 - (240 + h) - 360);
    EXPECT_EQ(Widths(s, "vfgOption"), (std::vector<int>{2746, 2746, 2746}));
    // The calibration grid's widths are set while its panel is hidden: 0.3, 0.1, 0.3 of 5000.
    EXPECT_EQ(Widths(s, "vfgCal"), (std::vector<int>{1500, 500, 1500}));
}

TEST(OptionPageLayout, CalibrationPanelLeavesTheStatusFrameAndItsButtons) {
    LayoutFixture f;
    f.state[Indexed("fraOption", 1)].Visible = false;
    f.state[Indexed("fraOption", 2)].Visible = true;
    LayoutOptionPage(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    const double h = 0.6 * 7620;
    ExpectBox(s, Indexed("fraOption", 2), 2808, 240, 5512, h);
    ExpectBox(s, QStringLiteral("vfgCal"), 120, 240, 5272, 0.7 * h);
    const double top = 240 + 0.7 * h + 120;
    const double height = h - (240 + 0.7 * h) - 240;
    ExpectBox(s, Indexed("cmdCal", 0), 120, top, 0.31 * 5272, height);
    ExpectBox(s, Indexed("cmdCal", 1), 5272 - 0.666 * 5272, top, 0.31 * 5272, height);
    ExpectBox(s, Indexed("cmdCal", 2), 5272 - 0.333 * 5272 - 120, top, 0.31 * 5272, height);
    ExpectBox(s, Indexed("fraOption", 1), 37, 41, 5632, 6366);
    ExpectBox(s, Indexed("cmdOption", 0), 37, 41, 1340, 372);
    EXPECT_EQ(Widths(s, "vfgCal"), (std::vector<int>{1582, 527, 1582}));
}

// ---- Stored-data page, data view, calibration-history page ------------------------------------

TEST(StoredDataPageLayout, TreeListDetailGridAndButtons) {
    LayoutFixture f;
    LayoutStoredDataPage(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    ExpectBox(s, QStringLiteral("tvwLog"), 120, 240, 2996, 5715);
    ExpectBox(s, QStringLiteral("fraLog"), 120, 5955, 2996, 1545);
    ExpectBox(s, QStringLiteral("fraLogCenter"), 170.5, 285, 2655, 975);
    ExpectBox(s, QStringLiteral("lvwLog"), 3236, 240, 5204, 3200.4);
    ExpectBox(s, QStringLiteral("vfgLog"), 3236, 3560.4, 5204, 3200.4);
    ExpectBox(s, QStringLiteral("cmdDetail"), 4076.6, 7000.8, 1561.2, 379.2);
    ExpectBox(s, QStringLiteral("cmdListCSV"), 5817.8, 7000.8, 1561.2, 379.2);
    ExpectBox(s, QStringLiteral("chkRawData"), 5737.8, 7000.8, 1215, 465);
}

TEST(StoredDataPageLayout, EntryDetailColumnWidthsByColumnCount) {
    // vfgLog is 5204 wide; the last column always keeps its width.
    const std::vector<std::vector<int>> expected = {
        {960},
        {1561, 960},
        {1561, 1821, 960},
        {1561, 1214, 1214, 960},
        {1301, 1821, 1821, 1821, 960},
        {960, 960, 960, 960, 960, 960},
        {1041, 694, 694, 694, 694, 694, 960},
        {960, 960, 960, 960, 960, 960, 960, 960},
    };
    for (const auto& widths : expected) {
        LayoutFixture f;
        SetCols(f.state, "vfgLog", static_cast<int>(widths.size()));
        LayoutStoredDataPage(f.state, 8560, 7620);
        EXPECT_EQ(Widths(f.state, "vfgLog"), widths) << widths.size() << " columns";
    }
}

TEST(DataViewLayout, GraphWithSummary) {
    LayoutFixture f;
    f.state[Indexed("optBrowse", 1)].Value = true;
    LayoutDataView(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    ExpectBox(s, Indexed("optBrowse", 0), 120, 240, 855, 252);
    ExpectBox(s, Indexed("optBrowse", 1), 1095, 240, 855, 252);
    ExpectBox(s, QStringLiteral("chkEvent"), 2070, 240, 1215, 252);
    ExpectBox(s, QStringLiteral("chkOutline"), 3405, 240, 1455, 252);
    ExpectBox(s, QStringLiteral("vfgSummary"), 120, 612, 8320, 2286);
    ExpectBox(s, QStringLiteral("vfgBrowse"), 120, 3018, 8320, 4482);
    ExpectBox(s, QStringLiteral("zelGraph"), 120, 3018, 8320, 3802);
    EXPECT_FALSE(s[QStringLiteral("vfgBrowse")].Visible);
    EXPECT_TRUE(s[QStringLiteral("zelGraph")].Visible);
    EXPECT_TRUE(s[QStringLiteral("cmbBrowse")].Visible);
    const double first = 3018 + 3802 + 120;
    ExpectBox(s, Indexed("chkBrowse", 0), 120, first, 2055, 252);
    ExpectBox(s, Indexed("chkBrowse", 1), 2140, first, 1875, 252);
    ExpectBox(s, Indexed("chkBrowse", 3), 6420, first, 2415, 252);
    ExpectBox(s, Indexed("lblTitle", 1), 120, first + 252, 444, 204);
    ExpectBox(s, QStringLiteral("cmbBrowse"), 804, first + 252, 1452, 300);
    ExpectBox(s, Indexed("chkBrowse", 5), 4280, first + 252, 1515, 252);
    ExpectBox(s, Indexed("chkBrowse", 6), 6420, first + 252, 1092, 252);
    // Series boxes keep the visibility the data view gave them.
    EXPECT_TRUE(s[Indexed("chkBrowse", 5)].Visible);
    EXPECT_FALSE(s[Indexed("chkBrowse", 4)].Visible);
    const double w = 0.12 * 8320;
    ExpectBox(s, Indexed("cmdBrowse", 4), 8440 - w, 240, w, 252);
    ExpectBox(s, Indexed("cmdBrowse", 3), 8440 - 2 * w - 240, 240, w, 252);
    ExpectBox(s, Indexed("cmdBrowse", 2), 8440 - 3 * w - 240, 240, w, 252);
    ExpectBox(s, Indexed("cmdBrowse", 0), 8440 - 4 * w - 240, 240, w, 252);
    ExpectBox(s, Indexed("cmdBrowse", 1), 37, 41, 1027, 252);
    EXPECT_EQ(Widths(s, "vfgSummary"), (std::vector<int>{2163, 2912, 2912}));
}

TEST(DataViewLayout, SummaryAloneAndTableAlone) {
    LayoutFixture alone;
    LayoutDataView(alone.state, 8560, 7620);
    ExpectBox(alone.state, QStringLiteral("vfgSummary"), 120, 612, 8320, 6096);
    EXPECT_FALSE(alone.state[QStringLiteral("vfgBrowse")].Visible);
    EXPECT_FALSE(alone.state[QStringLiteral("zelGraph")].Visible);
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(alone.state[Indexed("chkBrowse", i)].Visible) << i;
    EXPECT_FALSE(alone.state[Indexed("lblTitle", 1)].Visible);
    EXPECT_FALSE(alone.state[QStringLiteral("cmbBrowse")].Visible);

    LayoutFixture table;
    table.state[Indexed("optBrowse", 0)].Value = true;
    table.state[QStringLiteral("vfgSummary")].Visible = false;
    LayoutDataView(table.state, 8560, 7620);
    ExpectBox(table.state, QStringLiteral("vfgBrowse"), 120, 612, 8320, 6888);
    // The hidden graph is still moved under the top row.
    ExpectBox(table.state, QStringLiteral("zelGraph"), 120, 612, 8320, 6208);
    EXPECT_TRUE(table.state[QStringLiteral("vfgBrowse")].Visible);
    EXPECT_FALSE(table.state[QStringLiteral("zelGraph")].Visible);
    EXPECT_FALSE(table.state[Indexed("chkBrowse", 6)].Visible);
    // The summary's widths are left alone while it is hidden.
    EXPECT_EQ(Widths(table.state, "vfgSummary"), (std::vector<int>{960, 960, 960}));
}

TEST(DataViewLayout, TableColumnWidthsByColumnCount) {
    // vfgBrowse is 8320 wide.
    const std::vector<std::vector<int>> expected = {
        {960},
        {2413, 960},
        {2413, 2954, 960},
        {582, 1830, 2954, 960},
        {832, 2496, 1664, 1664, 960},
        {582, 1581, 2912, 2912, 2912, 960},
        {582, 1830, 1165, 1165, 1165, 1165, 960},
        {416, 1581, 1560, 1560, 1560, 1560, 1560, 1560},
        {416, 1331, 582, 998, 998, 998, 998, 998, 960},
        std::vector<int>(10, 960),
    };
    for (const auto& widths : expected) {
        LayoutFixture f;
        f.state[Indexed("optBrowse", 0)].Value = true;
        SetCols(f.state, "vfgBrowse", static_cast<int>(widths.size()));
        LayoutDataView(f.state, 8560, 7620);
        EXPECT_EQ(Widths(f.state, "vfgBrowse"), widths) << widths.size() << " columns";
    }
}

TEST(HistoryPageLayout, ChoicesGridAndPrintButton) {
    LayoutFixture f;
    LayoutHistoryPage(f.state, 8560, 7620);
    const LayoutState& s = f.state;
    ExpectBox(s, Indexed("optHistory", 0), 60, 240, 2140, 252);
    ExpectBox(s, Indexed("optHistory", 1), 2320, 240, 2140, 252);
    ExpectBox(s, Indexed("optHistory", 2), 4580, 240, 2140, 252);
    ExpectBox(s, QStringLiteral("vfgHistory"), 60, 552, 8440, 7008);
    ExpectBox(s, QStringLiteral("cmdLastCal"), 8500 - 0.142 * 8440, 240, 0.142 * 8440, 252);
    EXPECT_EQ(Widths(s, "vfgHistory"), (std::vector<int>{506, 1983, 1983, 1983, 1983}));

    LayoutFixture one;
    SetCols(one.state, "vfgHistory", 1);
    LayoutHistoryPage(one.state, 8560, 7620);
    EXPECT_EQ(Widths(one.state, "vfgHistory"), (std::vector<int>{506}));
}

// ---- Every page fits: visible controls inside their container, siblings apart ----------------

struct PageVariant {
    const char* name;
    int page;
    void (*prepare)(LayoutState&);
};

void CheckGroup(const LayoutState& s, const ControlBox& container, const QStringList& children) {
    std::vector<std::pair<QString, ControlBox>> shown;
    for (const QString& name : children) {
        const ControlBox& box = s[name];
        if (!box.Visible)
            continue;
        EXPECT_GE(box.Left, 0) << name.toStdString();
        EXPECT_GE(box.Top, 0) << name.toStdString();
        EXPECT_LE(box.Right(), container.Width) << name.toStdString();
        EXPECT_LE(box.Bottom(), container.Height) << name.toStdString();
        EXPECT_GT(box.Width, 0) << name.toStdString();
        EXPECT_GT(box.Height, 0) << name.toStdString();
        for (const auto& [other, otherBox] : shown) {
            const bool apart = box.Left >= otherBox.Right() || otherBox.Left >= box.Right() ||
                               box.Top >= otherBox.Bottom() || otherBox.Top >= box.Bottom();
            EXPECT_TRUE(apart) << name.toStdString() << " overlaps " << other.toStdString();
        }
        shown.emplace_back(name, box);
    }
}

TEST(PageLayouts, EveryPageFitsAtTheMinimumAndALargeSize) {
    const PageVariant variants[] = {
        {"download", 0, [](LayoutState&) {}},
        {"instruments", 1, [](LayoutState&) {}},
        {"stored data", 2, [](LayoutState&) {}},
        {"data view, graph and summary", 3,
         [](LayoutState& s) {
             s[Indexed("optBrowse", 1)].Value = true;
             for (int i = 0; i < 4; ++i)
                 s[Indexed("chkBrowse", i)].Visible = true;
         }},
        {"data view, table alone", 3,
         [](LayoutState& s) {
             s[Indexed("optBrowse", 0)].Value = true;
             s[QStringLiteral("vfgSummary")].Visible = false;
         }},
        {"data view, summary alone", 3, [](LayoutState&) {}},
        {"calibration history", 4, [](LayoutState&) {}},
        {"option, status", 5, [](LayoutState&) {}},
        {"option, calibration", 5,
         [](LayoutState& s) {
             s[Indexed("fraOption", 1)].Visible = false;
             for (int i = 0; i < 4; ++i)
                 s[Indexed("cmdOption", i)].Visible = false;
             s[Indexed("fraOption", 2)].Visible = true;
         }},
    };
    const std::pair<QString, QStringList> innerGroups[] = {
        {Indexed("fraDown", 1), {Indexed("chkAutoLoad", 0), Indexed("chkAutoLoad", 1)}},
        {Indexed("fraDown", 2),
         {Indexed("cmdDown", 0), Indexed("cmdDown", 1), Indexed("cmdDown", 2), Indexed("cmdDown", 3),
          Indexed("cmdDown", 4), QStringLiteral("cmdInportDat")}},
        {Indexed("fraDown", 3), {QStringLiteral("fraDown3Ceneter")}},
        {QStringLiteral("fraInst"), {QStringLiteral("fraInstCeneter")}},
        {QStringLiteral("fraLog"), {QStringLiteral("fraLogCenter")}},
        {Indexed("fraOption", 0), {QStringLiteral("fraOptionCenter0")}},
        {Indexed("fraOption", 1), {QStringLiteral("fraOptionCenter1"), QStringLiteral("picOptionToToval")}},
        {Indexed("fraOption", 2),
         {QStringLiteral("vfgCal"), Indexed("cmdCal", 0), Indexed("cmdCal", 1), Indexed("cmdCal", 2)}},
    };
    const WindowSize sizes[] = {{MinimumWindowWidth, MinimumWindowHeight}, {28800, 16200}};
    for (const WindowSize& size : sizes) {
        for (const PageVariant& variant : variants) {
            SCOPED_TRACE(std::string(variant.name) + " at " + std::to_string(size.Width));
            LayoutFixture f;
            f.ShowPage(variant.page);
            variant.prepare(f.state);
            LayoutWindow(f.state, size.Width, size.Height);
            const ControlBox& page = f.state[Indexed("fraMenu", variant.page)];
            CheckGroup(f.state, page, f.pageChildren[variant.page]);
            for (const auto& [container, children] : innerGroups) {
                if (f.pageChildren[variant.page].contains(container) && f.state[container].Visible)
                    CheckGroup(f.state, f.state[container], children);
            }
        }
    }
}

}  // namespace
}  // namespace mt52
