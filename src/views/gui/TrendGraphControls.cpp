#include "views/gui/TrendGraphControls.h"

#include "common/ModuleState.h"
#include "graph/gui/uclZelGraph.h"
#include "platform/gui/QtUserDialogs.h"
#include "views/ViewRecords.h"

#include <QCheckBox>
#include <QPalette>
#include <QRadioButton>

namespace mt52 {

BrowseGraphInputs TrendGraphInputs(int logType, ViewRecords& records, const std::array<QCheckBox*, 7>& boxes,
                                   const QRadioButton& graphOption) {
    BrowseGraphInputs inputs;
    inputs.logType = logType;
    if (logType == 1)
        inputs.interval = &records.Interval();
    if (logType == 2)
        inputs.alarm = &records.Alarm();
    for (std::size_t f = 0; f < inputs.colours.size(); ++f)
        inputs.colours[f] = State().GraphColors[f];
    inputs.eventsTicked = boxes[5]->isChecked();
    inputs.cursorTicked = boxes[6]->isChecked();
    inputs.graphSelected = graphOption.isChecked();
    return inputs;
}

BrowseGraphBoxes DrawTrendGraph(uclZelGraph& graph, const BrowseGraphInputs& inputs) {
    // Cursor and bold font first: the fill draws the graph with them.
    graph.CursorVisible(inputs.cursorTicked);
    QFont font = graph.Font();
    font.setBold(true);
    graph.Font(font);
    return DrawBrowseGraph(graph.Graph(), inputs);
}

void ColourSeriesBox(QCheckBox& box, Long colour) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    palette.setColor(QPalette::ButtonText, ToQColor(colour));
    box.setPalette(palette);
}

}  // namespace mt52
