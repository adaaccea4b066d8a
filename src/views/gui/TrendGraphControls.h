#pragma once
// The steps the data view and the trend-search window share around the trend graph fill: the
// fill's inputs taken from a window's boxes and options, the graph control set up (cursor, bold
// font) before it is filled, and a series box coloured like its series.
#include "platform/Types.h"
#include "views/BrowseGraph.h"

#include <array>

class QCheckBox;
class QRadioButton;

namespace mt52 {

class ViewRecords;
class uclZelGraph;

// The fill's inputs for the shown record of `logType`: its trend record, the series colours of
// the settings, the "Event" (box 5) and "Cursor" (box 6) boxes and the Graph option.
BrowseGraphInputs TrendGraphInputs(int logType, ViewRecords& records, const std::array<QCheckBox*, 7>& boxes,
                                   const QRadioButton& graphOption);

// Shows the cursor as the inputs say, makes the graph's font bold and fills the graph.
BrowseGraphBoxes DrawTrendGraph(uclZelGraph& graph, const BrowseGraphInputs& inputs);

// Gives a series box the colour of its series.
void ColourSeriesBox(QCheckBox& box, Long colour);

}  // namespace mt52
