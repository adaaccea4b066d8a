#include "printing/GraphPage.h"

namespace mt52 {

void BuildPrintGraph(ReportForm&) {}

void PrintGraph(PrintTarget& target, ReportForm& form) {
    ZelGraph& graph = form.zelPrint();
    graph.SetDrawLeft(static_cast<Single>(0.02 * target.ScaleWidth()));
    graph.SetDrawTop(static_cast<Single>(0.40 * target.ScaleHeight()));
    graph.SetDrawWidth(static_cast<Single>(0.95 * target.ScaleWidth()));
    graph.SetDrawHeight(static_cast<Single>(0.45 * target.ScaleHeight()));
    graph.DrawObj(&target.Graph());
    graph.Refresh();
    graph.DrawObj(nullptr);
}

}  // namespace mt52
