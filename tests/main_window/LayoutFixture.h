#pragma once
// The main window's controls as the layout sees them, at the sizes they are created with:
// what a run of the layout starts from before anything else moved them.
#include "main_window/LayoutState.h"

#include <QStringList>
#include <map>

namespace mt52::test {

struct LayoutFixture {
    LayoutState state;
    // The controls placed directly on each page frame (not inside an inner frame).
    std::map<int, QStringList> pageChildren;

    LayoutFixture() {
        const auto add = [this](int page, const QString& name, double w, double h, bool visible = true) {
            ControlBox box;
            box.Left = 37;  // an arbitrary place: the layout must set every position it owns
            box.Top = 41;
            box.Width = w;
            box.Height = h;
            box.Visible = visible;
            state.Add(name, box);
            if (page >= 0)
                pageChildren[page].append(name);
        };
        const auto inner = [&](const QString& name, double w, double h) { add(-1, name, w, h); };
        const auto grid = [this](const QString& name, int cols) {
            state.AddGrid(name, GridColumns{std::vector<int>(static_cast<std::size_t>(cols), 960)});
        };

        for (int i = 0; i < 6; ++i) {
            add(-1, Indexed("fraMenu", i), 8560, 7620, i == 0);
            add(-1, Indexed("cmdInst", i), 1200, 1740, i != 1 && i != 3);
        }

        // Download page
        add(0, Indexed("fraDown", 0), 5136, 612);
        for (int i = 0; i < 4; ++i)
            inner(Indexed("shpStatus", i), 200, 200);
        inner(Indexed("lblStatus", 0), 1092, 252);
        for (int i : {1, 8, 9})
            inner(Indexed("lblStatus", i), 852, 252);
        add(0, Indexed("lblTitle", 0), 900, 225);
        add(0, QStringLiteral("rtbLog"), 5136, 4191);
        add(0, Indexed("fraDown", 3), 5136, 1932);
        add(0, Indexed("fraDown", 1), 3184, 975);
        inner(Indexed("chkAutoLoad", 0), 2944, 195);
        inner(Indexed("chkAutoLoad", 1), 2944, 195);
        add(0, Indexed("fraDown", 2), 3184, 6285);
        for (int i = 0; i < 6; ++i)
            inner(Indexed("cmdDown", i), 2944, 598);
        inner(QStringLiteral("fraDown3Ceneter"), 5055, 975);
        // The record suffix, shown in the option page's status frame.
        inner(QStringLiteral("picOptionToToval"), 5136, 372);
        inner(QStringLiteral("cmdInportDat"), 2944, 598);

        // Instruments page
        add(1, QStringLiteral("fraInst"), 2140, 3429);
        inner(QStringLiteral("fraInstCeneter"), 2415, 3015);
        add(1, QStringLiteral("vfgInst"), 6000, 3000);
        add(1, QStringLiteral("vfgInstSensor"), 8000, 3000);
        grid(QStringLiteral("vfgInst"), 6);
        grid(QStringLiteral("vfgInstSensor"), 4);

        // Stored-data page
        add(2, QStringLiteral("tvwLog"), 2996, 5715);
        add(2, QStringLiteral("fraLog"), 2996, 1545);
        inner(QStringLiteral("fraLogCenter"), 2655, 975);
        add(2, QStringLiteral("lvwLog"), 5204, 3200);
        add(2, QStringLiteral("vfgLog"), 5204, 3200);
        add(2, QStringLiteral("cmdDetail"), 1561, 480);
        add(2, QStringLiteral("cmdListCSV"), 1561, 480);
        add(2, QStringLiteral("chkRawData"), 1215, 465, false);
        grid(QStringLiteral("vfgLog"), 3);

        // Data view
        add(3, Indexed("optBrowse", 0), 855, 252, false);
        add(3, Indexed("optBrowse", 1), 855, 252, false);
        add(3, QStringLiteral("chkEvent"), 1215, 252, false);
        add(3, QStringLiteral("chkOutline"), 1455, 252, false);
        add(3, QStringLiteral("vfgSummary"), 8000, 2000);
        add(3, QStringLiteral("vfgBrowse"), 8000, 4000);
        add(3, QStringLiteral("zelGraph"), 8000, 4000);
        const double boxWidths[7] = {2055, 1875, 1995, 2415, 2415, 1515, 1092};
        for (int i = 0; i < 7; ++i)
            add(3, Indexed("chkBrowse", i), boxWidths[i], 252, i >= 5);
        add(3, Indexed("lblTitle", 1), 444, 204);
        add(3, QStringLiteral("cmbBrowse"), 1452, 300);
        for (int i = 0; i < 5; ++i)
            add(3, Indexed("cmdBrowse", i), 1027, 252, i != 1);
        grid(QStringLiteral("vfgSummary"), 3);
        grid(QStringLiteral("vfgBrowse"), 5);

        // Calibration-history page
        for (int i = 0; i < 3; ++i)
            add(4, Indexed("optHistory", i), 2140, 252);
        add(4, QStringLiteral("vfgHistory"), 8000, 6000);
        add(4, QStringLiteral("cmdLastCal"), 1200, 252);
        grid(QStringLiteral("vfgHistory"), 5);

        // Option page
        add(5, Indexed("fraOption", 0), 2568, 6858);
        inner(QStringLiteral("fraOptionCenter0"), 2055, 3135);
        add(5, Indexed("fraOption", 1), 5632, 6366);
        inner(QStringLiteral("fraOptionCenter1"), 5895, 2595);
        for (int i = 0; i < 4; ++i)
            add(5, Indexed("cmdOption", i), 1340, 372);
        add(5, Indexed("fraOption", 2), 5632, 6858, false);
        inner(QStringLiteral("vfgCal"), 5000, 4000);
        for (int i = 0; i < 3; ++i)
            inner(Indexed("cmdCal", i), 1600, 1500);
        add(5, QStringLiteral("vfgOption"), 8000, 300, false);
        grid(QStringLiteral("vfgCal"), 3);
        grid(QStringLiteral("vfgOption"), 3);
    }

    // Shows page `index` alone, as the page menu does.
    void ShowPage(int index) {
        for (int i = 0; i < 6; ++i)
            state[Indexed("fraMenu", i)].Visible = i == index;
    }
};

}  // namespace mt52::test
