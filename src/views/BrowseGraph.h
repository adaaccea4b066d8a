#pragma once
// The data view's trend graph: fills the graph from an interval or alarm trend (curves thinned
// to the samples where a reading changes, over-range and unit conversions, event marks, titles)
// and says how the view's series boxes, event and cursor boxes and zoom list are to be set.
// It touches no widget, so the main data view, the trend-search window and the tests share it.
#include "graph/TrendGraphFill.h"
#include "platform/Types.h"

#include <QString>
#include <QStringList>
#include <array>

namespace mt52 {

class ZelGraph;
class clsAlarm;
class clsInterval;

// What the fill reads of the view.
struct BrowseGraphInputs {
    int logType = 0;                       // 1 interval trend, 2 alarm trend; others: an empty graph
    clsInterval* interval = nullptr;       // the loaded record of kind 1
    const clsAlarm* alarm = nullptr;       // the loaded record of kind 2
    std::array<Long, 4> colours{};         // colour of each series
    bool eventsTicked = false;             // the "Event" box
    bool cursorTicked = false;             // the "Cursor" box
    bool graphSelected = false;            // the Graph option
};

// One series box as the fill leaves it.
struct BrowseSeriesBox {
    QString caption;
    Long colour = 0;
    bool ticked = false;
    bool visible = false;
};

// What the view shows besides the graph after a fill.
struct BrowseGraphBoxes {
    bool seriesSet = false;                   // the series boxes below were set (trends only)
    std::array<BrowseSeriesBox, 4> series;
    bool showEventAndCursorBoxes = false;     // the "Event" and "Cursor" boxes are to be shown
    QStringList zoomItems;                    // the zoom list; its first item is selected
};

// The zoom factors offered for a graph of `samples` samples: "1", then "3" above 30, "5"
// above 50, "10" above 100, "20" above 200, "30" above 300 and "50" above 500.
QStringList BrowseZoomItems(int samples);

// Clears and fills `graph` from the record of `inputs.logType`, sets zoom 1 with automatic
// ranges and repaints it. Returns the settings of the boxes and the zoom list. The control
// around the graph is set up first by the caller: a bold font, and the cursor shown as the
// "Cursor" box says.
BrowseGraphBoxes DrawBrowseGraph(ZelGraph& graph, const BrowseGraphInputs& inputs);

}  // namespace mt52
