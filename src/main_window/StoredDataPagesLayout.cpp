#include "main_window/StoredDataPagesLayout.h"

#include "main_window/MainFrameLayout.h"

#include <initializer_list>

namespace mt52 {

namespace {

// Sets columns first, first + 1, ... to the given fractions of the grid width.
void SetFractions(GridColumns& columns, double width, std::initializer_list<double> fractions, int first = 0) {
    int col = first;
    for (double fraction : fractions)
        columns.SetColWidth(col++, fraction * width);
}

// Entry-detail grid widths by column count; the last column keeps its width. A grid of
// seven columns gets 0.2 W and five columns of 0.8 W / 6 in both interface languages.
void SetEntryDetailWidths(GridColumns& columns, double w) {
    switch (columns.Cols()) {
    case 2: SetFractions(columns, w, {0.3}); break;
    case 3: SetFractions(columns, w, {0.3, 0.7 / 2}); break;
    case 4: SetFractions(columns, w, {0.3, 0.7 / 3, 0.7 / 3}); break;
    case 5: SetFractions(columns, w, {0.25, 0.7 / 2, 0.7 / 2, 0.7 / 2}); break;
    case 7: SetFractions(columns, w, {0.2, 0.8 / 6, 0.8 / 6, 0.8 / 6, 0.8 / 6, 0.8 / 6}); break;
    default: break;
    }
}

// Table widths by column count; with 8 columns every column is set, otherwise the last keeps
// its width.
void SetTableWidths(GridColumns& columns, double w) {
    switch (columns.Cols()) {
    case 2: SetFractions(columns, w, {0.29}); break;
    case 3: SetFractions(columns, w, {0.29, 0.71 / 2}); break;
    case 4: SetFractions(columns, w, {0.07, 0.22, 0.71 / 2}); break;
    case 5: SetFractions(columns, w, {0.1, 0.3, 0.2, 0.2}); break;
    case 6: SetFractions(columns, w, {0.07, 0.19, 0.7 / 2, 0.7 / 2, 0.7 / 2}); break;
    case 7: SetFractions(columns, w, {0.07, 0.22, 0.14, 0.14, 0.14, 0.14}); break;
    case 8: SetFractions(columns, w, {0.05, 0.19, 0.75 / 4, 0.75 / 4, 0.75 / 4, 0.75 / 4, 0.75 / 4, 0.75 / 4}); break;
    case 9: SetFractions(columns, w, {0.05, 0.16, 0.07, 0.12, 0.12, 0.12, 0.12, 0.12}); break;
    default: break;
    }
}

}  // namespace

void LayoutStoredDataPage(LayoutState& s, double pw, double ph) {
    ControlBox& tree = s[QStringLiteral("tvwLog")];
    tree.Move(120, 240, 0.35 * pw, 0.75 * ph);
    ControlBox& grouping = s[QStringLiteral("fraLog")];
    grouping.Move(120, tree.Bottom(), tree.Width, ph - tree.Bottom() - 120);
    CentreIn(s[QStringLiteral("fraLogCenter")], grouping);

    ControlBox& list = s[QStringLiteral("lvwLog")];
    list.Move(tree.Right() + 120, 240, pw - tree.Right() - 240, 0.42 * ph);
    ControlBox& detail = s[QStringLiteral("vfgLog")];
    detail.Move(tree.Right() + 120, list.Bottom() + 120, list.Width, 0.42 * ph);

    ControlBox& view = s[QStringLiteral("cmdDetail")];
    view.Move(tree.Right() + 180 + 0.3 * detail.Width / 2, detail.Bottom() + 240, 0.3 * detail.Width,
              ph - detail.Bottom() - 480);
    s[QStringLiteral("cmdListCSV")].Move(view.Right() + 180, view.Top, view.Width, view.Height);
    s[QStringLiteral("chkRawData")].Move(view.Right() + 100, view.Top);

    SetEntryDetailWidths(s.Grid(QStringLiteral("vfgLog")), detail.Width);
}

void LayoutDataView(LayoutState& s, double pw, double ph) {
    const bool table = s[Indexed("optBrowse", 0)].Value;
    const bool graph = s[Indexed("optBrowse", 1)].Value;
    ControlBox& browse = s[QStringLiteral("vfgBrowse")];
    ControlBox& trend = s[QStringLiteral("zelGraph")];
    browse.Visible = table;
    trend.Visible = graph;
    if (!graph) {
        for (int i = 0; s.Has(Indexed("chkBrowse", i)); ++i)
            s[Indexed("chkBrowse", i)].Visible = false;
    }
    ControlBox& zoomCaption = s[Indexed("lblTitle", 1)];
    ControlBox& zoom = s[QStringLiteral("cmbBrowse")];
    zoomCaption.Visible = graph;
    zoom.Visible = graph;

    ControlBox& tableChoice = s[Indexed("optBrowse", 0)];
    tableChoice.Move(120, 240);
    ControlBox& graphChoice = s[Indexed("optBrowse", 1)];
    graphChoice.Move(tableChoice.Right() + 120, 240);
    ControlBox& eventOnly = s[QStringLiteral("chkEvent")];
    eventOnly.Move(graphChoice.Right() + 120, 240);
    s[QStringLiteral("chkOutline")].Move(eventOnly.Right() + 120, 240);

    ControlBox& summary = s[QStringLiteral("vfgSummary")];
    if (summary.Visible) {
        const double height = (table || graph) ? 0.3 * ph : 0.8 * ph;
        summary.Move(120, tableChoice.Bottom() + 120, pw - 240, height);
        browse.Move(120, summary.Bottom() + 120, pw - 240, ph - summary.Bottom() - 240);
        if (trend.Visible)
            trend.Move(120, browse.Top, browse.Width, ph - summary.Bottom() - 920);
    } else {
        browse.Move(120, tableChoice.Bottom() + 120, pw - 240, ph - tableChoice.Bottom() - 240);
        // The graph takes the table's place but ends 680 higher, above the rows of boxes.
        trend.Move(120, browse.Top, browse.Width, ph - tableChoice.Bottom() - 920);
    }

    const double quarters[4] = {120, pw / 4, pw / 2, 3 * pw / 4};
    for (int i = 0; i < 4; ++i)
        s[Indexed("chkBrowse", i)].Move(quarters[i], trend.Bottom() + 120);
    const double second = s[Indexed("chkBrowse", 0)].Bottom();
    zoomCaption.Move(120, second);
    zoom.Move(zoomCaption.Right() + 240, second);
    for (int i = 4; i <= 6; ++i)
        s[Indexed("chkBrowse", i)].Move(quarters[i - 3], second);

    // Return ends where the table ends; Summary 240 to its left; Export and Print touching.
    const double width = 0.12 * browse.Width;
    const double height = eventOnly.Height;
    ControlBox& back = s[Indexed("cmdBrowse", 4)];
    back.Move(browse.Right() - width, 240, width, height);
    ControlBox& summaryButton = s[Indexed("cmdBrowse", 3)];
    summaryButton.Move(back.Left - back.Width - 240, 240, width, height);
    ControlBox& exportButton = s[Indexed("cmdBrowse", 2)];
    exportButton.Move(summaryButton.Left - summaryButton.Width, 240, width, height);
    s[Indexed("cmdBrowse", 0)].Move(exportButton.Left - exportButton.Width, 240, width, height);

    SetTableWidths(s.Grid(QStringLiteral("vfgBrowse")), browse.Width);
    if (summary.Visible) {
        GridColumns& summaryCols = s.Grid(QStringLiteral("vfgSummary"));
        summaryCols.SetColWidth(0, 0.26 * summary.Width);
        for (int c = 1; c < summaryCols.Cols(); ++c)
            summaryCols.SetColWidth(c, 0.7 * summary.Width / 2);
    }
}

void LayoutHistoryPage(LayoutState& s, double pw, double ph) {
    int count = 0;
    while (s.Has(Indexed("optHistory", count)))
        ++count;
    double left = 60;
    for (int i = 0; i < count; ++i) {
        ControlBox& choice = s[Indexed("optHistory", i)];
        choice.Move(left, 240, pw / (count + 1));
        left = choice.Right() + 120;
    }
    const ControlBox& first = s[Indexed("optHistory", 0)];
    ControlBox& grid = s[QStringLiteral("vfgHistory")];
    grid.Move(60, first.Bottom() + 60, pw - 120, ph - first.Bottom() - 120);
    GridColumns& columns = s.Grid(QStringLiteral("vfgHistory"));
    columns.SetColWidth(0, 0.06 * grid.Width);
    for (int c = 1; c < columns.Cols(); ++c)
        columns.SetColWidth(c, 0.94 * grid.Width / (columns.Cols() - 1));
    s[QStringLiteral("cmdLastCal")].Move(grid.Right() - 0.142 * grid.Width, 240, 0.142 * grid.Width, first.Height);
}

}  // namespace mt52
