#pragma once
// The record table of an interval trend: its samples and events in one time-ordered list,
// a reading per gas on a sample row and the event words, coloured by status, on an event row.
// The main data view and the trend-search window both fill their grids with it.
#include "platform/Types.h"

namespace mt52 {

class GridModel;
class clsInterval;
struct RecordTableOptions;

// Whether the listing goes on past an event of this code: false for the instrument failures
// after which the stored data cannot be trusted (-150, -151, -153 .. -157), and for a sensor
// failure (-132) once sample rows have been listed; true for every other code. A sensor
// failure before the first sample is the instrument's start-up check and ends nothing.
bool fix001(Single code, Long sampleRows);

// Fills `table` (6 columns: "No", "Date/Time", gas slots 0 to 3, of which the data view hides
// the last two and the trend-search window, options.trendSearch, shows all) from the loaded record, restarting its getOrder walk. Unit-change events are left
// out unless options.debugMode; options.eventOnly lists the events alone. The first gas
// column shows options.firstGasSlot in its heading and slot 4 while the unit is ppm or vol%.
// An event of slot 4 is shown in the first gas column, its unit in "<>".
// After an event that ends the listing, later items are not listed and, when the record has
// an end date, row 2 of `summary` ends the period at that event; row 6 of `summary` is
// rewritten with the number of samples and events less the unit changes left out.
// Summary rows that `summary` lacks are left alone.
void FillIntervalTable(clsInterval& record, GridModel& table, GridModel& summary, const RecordTableOptions& options);

}  // namespace mt52
