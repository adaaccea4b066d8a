#pragma once
// The trend search: from an alarm event of an interval trend (a coloured event cell of the
// record table or an event mark of the graph) to the alarm trend the instrument recorded
// around that moment. The database look-up and the rules for which clicks start a search and
// which pointer icon shows are plain functions, so the data view and the tests share them.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <optional>

namespace mt52 {

// The alarm trend (Log_Head kind 2) of the instrument `serialNo` whose Dates lies within
// [eventTime + beforeSeconds, eventTime + afterSeconds], both ends included, other than the
// record `seqNo`, nearest to the event time and less than 600 seconds from it; of several at
// the same distance the earliest. -1 when there is none. Every value is bound, so any serial
// number is safe. Raises a RuntimeError when the database cannot be opened or read.
Long FindAlarmTrend(const QString& databasePath, Long seqNo, const QString& serialNo, const Date& eventTime,
                    int beforeSeconds, int afterSeconds);

// The icon the pointer shows over an event: none (the default pointer), the alarm-trend icon
// (a warning, alarm or over-range event) or the interval-trend icon (a mode event).
enum class TrendEventIcon { None, Alarm, Interval };

// A graph event mark: "WARNING", "ALARM" or "OVER" the alarm icon, "MODE" the interval icon,
// anything else none (exact, case-sensitive). A mark with an icon starts a search on a click.
TrendEventIcon GraphMarkIcon(const QString& markText);

// A record-table cell under the pointer: only on an interval trend (kind 1), below the header
// row, right of column 0 and on a coloured cell (background colour not 0); then its first four
// characters "WARN", "ALAR" or "OVER" give the alarm icon and "MODE" the interval icon. A cell
// with an icon starts a search on a click of any button but the right one.
TrendEventIcon TableCellIcon(Long logType, int row, int col, const QString& cellText, Long backColour);

// The event time of a table row from its date cell: a mark in brackets after the time (the
// sample's "(1)") is removed first, then the text is read as a date. nullopt when it is none.
std::optional<Date> TableRowDate(const QString& dateCellText);

}  // namespace mt52
