#include "printing/GraphPage.h"

#include "graph/GraphSurface.h"
#include "graph/TrendGraphFill.h"
#include "graph/ZelGraph.h"
#include "printing/ReportPageLayout.h"

#include <algorithm>

namespace mt52 {

void BuildPrintGraph(ReportForm& form) {
    ZelGraph& graph = form.zelPrint();
    const ReportOptions& options = form.Options();
    graph.Clear();
    graph.DrawLineWidth(options.printLineWidths[0]);
    graph.ScaleLineWidth(options.printLineWidths[1]);
    // A bar-hole record is an interval record and is drawn as one.
    const Long kind = form.Request().kind;
    // On paper the series' event marks stay hidden; an alarm trend's alarm moment is marked.
    TrendGraphStyle style;
    std::copy_n(options.graphColors.begin(), style.colours.size(), style.colours.begin());
    style.alarmMomentVisible = true;
    if (kind == ReportKind::IntervalTrend || kind == ReportKind::BarHole)
        FillIntervalTrendGraph(graph, RequiredRecord(form.Request().interval, "interval-trend"), style);
    else
        FillAlarmTrendGraph(graph, RequiredRecord(form.Request().alarm, "alarm-trend"), style);
    graph.Zoom(1);
    graph.MinX(0);
    graph.MaxX(0);
    graph.MinY(0, 0);
    graph.MaxY(0, 0);
    graph.Refresh();
}

void PrintGraph(PrintTarget& target, ReportForm& form) {
    ZelGraph& graph = form.zelPrint();
    graph.SetDrawLeft(static_cast<Single>(0.02 * target.ScaleWidth()));
    graph.SetDrawTop(static_cast<Single>(0.40 * target.ScaleHeight()));
    graph.SetDrawWidth(static_cast<Single>(0.95 * target.ScaleWidth()));
    graph.SetDrawHeight(static_cast<Single>(0.45 * target.ScaleHeight()));
    // The graph prints its titles and scales in bold, as on the screen.
    GraphSurface& surface = target.Graph();
    surface.FontBold = true;
    // Each value scale of a further gas takes a column right of the plot; with three of them the
    // last would run past the header's right margin, to the paper's edge. The plot is narrowed
    // so that the last column ends at that margin (its right edge moves with the drawing width).
    const double overshoot = graph.ValueScalesRight(surface) - (target.ScaleWidth() - PageRightMargin);
    if (overshoot > 0)
        graph.SetDrawWidth(static_cast<Single>(graph.SetDrawWidth() - overshoot));
    graph.DrawObj(&surface);
    graph.Refresh();
    graph.DrawObj(nullptr);
}

}  // namespace mt52
