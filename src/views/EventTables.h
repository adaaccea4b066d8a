#pragma once
// The record tables of alarm events (kind 5), trouble events (6), power events (7) and sensor
// histories (8), read straight from the database: the entry's Log_Head row, then the rows of
// its child table, newest first.
#include "platform/Types.h"

namespace mt52 {

class Database;
class GridModel;

// Fills `table` with the child rows of the Log_Head row `seqNo`; a sensor history fills
// `summary` (serial number, user ID, last download) as well. A missing Log_Head row, a
// database without a SensorHistory table and Null or missing columns give empty cells, never
// an error. Other kinds leave both grids as they are.
void FillEventTable(int logType, Long seqNo, Database& db, GridModel& table, GridModel& summary);

}  // namespace mt52
