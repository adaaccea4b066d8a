#include "views/BrowseGraph.h"

#include "common/GasFormats.h"
#include "graph/TrendGraphFill.h"
#include "graph/ZelGraph.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"

namespace mt52 {

namespace {

TrendGraphStyle StyleOf(const BrowseGraphInputs& in) {
    TrendGraphStyle style;
    style.colours = in.colours;
    style.eventsVisible = in.eventsTicked;
    style.alarmMomentVisible = in.eventsTicked;
    return style;
}

// The series boxes follow the series the fill made: the caption and colour of the gas each shows,
// ticked and shown when that gas is enabled.
void SetBoxes(const RecordFrame& record, const BrowseGraphInputs& in, BrowseGraphBoxes& boxes, bool slot4StandsIn) {
    boxes.seriesSet = true;
    for (int f = 0; f < 4; ++f) {
        const int slot = slot4StandsIn ? TrendSeriesSlot(record, f) : f;
        const bool enabled = record.GasListInfo(Integer(slot), GasInfoField::Enable).toBool();
        BrowseSeriesBox& box = boxes.series[static_cast<std::size_t>(f)];
        box.caption = GasCaptionOf(record, Integer(slot));
        box.colour = in.colours[static_cast<std::size_t>(f)];
        box.ticked = enabled;
        box.visible = enabled;
    }
    boxes.showEventAndCursorBoxes = in.graphSelected;
}

}  // namespace

QStringList BrowseZoomItems(int samples) {
    QStringList items{QStringLiteral("1")};
    const std::pair<int, const char*> steps[] = {{30, "3"}, {50, "5"}, {100, "10"}, {200, "20"}, {300, "30"}, {500, "50"}};
    for (const auto& [above, item] : steps)
        if (samples > above)
            items << QString::fromLatin1(item);
    return items;
}

BrowseGraphBoxes DrawBrowseGraph(ZelGraph& graph, const BrowseGraphInputs& inputs) {
    BrowseGraphBoxes boxes;
    graph.Clear();
    if (inputs.logType == 1 && inputs.interval != nullptr) {
        FillIntervalTrendGraph(graph, *inputs.interval, StyleOf(inputs));
        SetBoxes(*inputs.interval, inputs, boxes, true);
    } else if (inputs.logType == 2 && inputs.alarm != nullptr) {
        FillAlarmTrendGraph(graph, *inputs.alarm, StyleOf(inputs));
        SetBoxes(*inputs.alarm, inputs, boxes, false);
    }

    boxes.zoomItems = BrowseZoomItems(graph.SampleCount());
    graph.Zoom(1);
    graph.MinX(0);
    graph.MaxX(0);
    graph.MinY(0, 0);
    graph.MaxY(0, 0);
    graph.Refresh();
    return boxes;
}

}  // namespace mt52
