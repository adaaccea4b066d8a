#pragma once
// A status code of a trend sample drawn on the graph as a value with a label: over range at
// the gas's full scale ("Over"), a warning, alarm, STEL or TWA event at that level ("Warn",
// "Alrm", "Stel", "TWA"), a return to normal at the previous sample's value ("Norm"), and the
// no-data codes as a gap. Nothing in the program draws codes this way yet.
#include "platform/Types.h"

namespace mt52 {

class RecordFrame;
class ZelGraph;

// Puts the substitute of `code` for sample `index` of series `gas` into the graph: its value
// and, for a code with a label, the label on the sample-indexed event track. Levels are taken
// with the gas's decimals. Returns false (and changes nothing) for any other code.
bool PlotStatusCode(ZelGraph& graph, const RecordFrame& record, Integer gas, Long index, Single code);

}  // namespace mt52
