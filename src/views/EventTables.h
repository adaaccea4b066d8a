#pragma once
// The record tables of alarm events (kind 5), trouble events (6), power events (7) and sensor
// histories (8), read straight from the database: the entry's Log_Head row, then the rows of
// its child table, newest first.
#include "platform/Types.h"

#include <QString>
#include <QStringList>

namespace mt52 {

class Database;
class GridModel;

// The child table of an event list and its headings after "No" and "Date/Time": alarm events
// (5), trouble events (6), power events (7), and the sensor history for any other kind.
struct EventListKind {
    QString table;
    QStringList headings;
};
EventListKind EventListKindOf(int logType);

// Fills `table` with the child rows of the Log_Head row `seqNo`; a sensor history fills
// `summary` (serial number, user ID, last download) as well. A missing Log_Head row, a
// database without a SensorHistory table and Null values give empty cells, never an error; a
// damaged value raises with its column's name. Kinds other than 5 to 8 leave both grids.
void FillEventTable(int logType, Long seqNo, Database& db, GridModel& table, GridModel& summary);

}  // namespace mt52
