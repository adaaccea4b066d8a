#include "views/StatusCodePlot.h"

#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "graph/ZelGraph.h"
#include "records/RecordFrame.h"

namespace mt52 {

namespace {

// The graph's sample-indexed event track, where the labels go.
constexpr int SampleTrack = 1000;

}  // namespace

bool PlotStatusCode(ZelGraph& graph, const RecordFrame& record, Integer gas, Long index, Single code) {
    const auto level = [&](Long field) {
        const Integer point = record.GasListInfo(gas, GasInfoField::Point).toInteger();
        return FormatTrendCell(record.GasListInfo(gas, field).toSingle(), point).toFloat();
    };
    Single value = 0;
    int label = 0;
    const int whole = static_cast<int>(code);
    switch (whole) {
    case -107: value = record.GasListInfo(gas, GasInfoField::Full).toSingle(); label = 20001; break;
    case -103: value = level(GasInfoField::Warning); label = 20003; break;
    case -104: value = level(GasInfoField::Alarm); label = 20004; break;
    case -105: value = level(GasInfoField::Stel); label = 20005; break;
    case -106: value = level(GasInfoField::Twa); label = 20006; break;
    case -102: value = index > 0 ? graph.valueY(gas, int(index - 1)) : 0; label = 20008; break;
    case -101:
    case -118:
    case -121: value = GraphNoData; break;
    default: return false;
    }
    graph.valueY(gas, int(index), value);
    if (label != 0)
        graph.EventFlag(SampleTrack, int(index), GetResText(label));
    return true;
}

}  // namespace mt52
