#pragma once
// The detail grid of the stored-data page for one tree or list key. A folder key shows the
// short folder table; an entry key shows the entry's property table or the newest rows of its
// child table, by kind: trends and bar holes, alarm trends, calibration histories and bump
// tests, alarm, trouble and power events and sensor histories, snapshots. A key of no kind
// leaves the grid in its empty two-column state.
//
// The entry number is the key's number part read as a whole number and passed to the queries
// as a value. A missing header row shows the grid's frame without values; Null columns show
// as empty texts, dashes or "-----", never as an error; a database without a sensor-history
// table shows no sensor-history rows.
#include "platform/Types.h"

#include <QString>
#include <array>
#include <functional>

namespace mt52 {

class Database;
class GridModel;

// The reading of gases 1 to 4 at the alarm moment of an alarm-trend entry (-101 for none).
using AlarmTimeReadings = std::array<Single, 4>;
using AlarmTimeJudge = std::function<AlarmTimeReadings(Long seqNo)>;

struct LogDetailShown {
    // An entry key: its kind and number become the current entry.
    bool IsEntry = false;
    Long LogType = 0;
    Long SeqNo = 0;
    // The Detail and Instrument buttons: disabled for a folder, enabled otherwise.
    bool ButtonsEnabled = true;
};

// Fills the grid for the key. `judge` gives the alarm-time readings of an alarm trend; without
// one they show as no data.
LogDetailShown ShowLogDetail(GridModel& grid, Database& db, const QString& key, const AlarmTimeJudge& judge = {});

}  // namespace mt52
