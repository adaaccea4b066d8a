#pragma once
// The checks of the option page's settings grid: whether a set point is allowed for a gas slot
// and level, whether a slot's warning and alarm points are in order, and the painting of the
// problem marks of the gas row.
#include "platform/Types.h"

namespace mt52 {

class GridModel;
class clsInstrument;

// Set-point levels of the grid's columns.
enum AlarmLevel : Integer { LevelWarning = 1, LevelAlarm = 2, LevelStel = 3, LevelTwa = 4 };

// The problem mark of a grid cell.
inline constexpr Long ProblemColor = 255;  // red (255, 0, 0)

// Whether `value` is allowed as the set point of `level` for gas slot `slot` (slot 1 is the
// oxygen slot, whose bounds follow the instrument's O2 alarm type). False when no rule applies.
bool CheckAlarmRange(const clsInstrument& instrument, Integer slot, Single value, Integer level);

// Whether the slot's warning and alarm points are in order (equal counts as in order); a point
// without a value always is. Falling oxygen alarms ("L-LL") run the other way.
bool CheckAlarmOrder(const clsInstrument& instrument, Integer slot);

// Paints the warning and alarm cells of the first gas row red when they are out of order and
// the span-concentration cell when it is out of range; clears the marks otherwise.
void CheckOptionGrid(const clsInstrument& instrument, GridModel& vfgOption);

// The range pass over the set-point cells of the gas rows after the first; the page shows only
// the first gas, so there is no row to pass over.
void CheckOptionValues(const clsInstrument& instrument, GridModel& vfgOption);

}  // namespace mt52
