#pragma once
// The calibration-history list: the latest calibration of every instrument (cLatestHist,
// newest download first) in one of three layouts, with the due state of the first gas.
//   layout 0 "Need Calibration": only instruments whose first gas is due or nearly due, a
//            column per gas with its calibration date;
//   layout 1 "Calibration Date": every instrument, the first gas's date and the last download;
//   layout 2 "Calibration Record": a block of three rows per instrument, the first showing the
//            first gas's name, readings before and after, calibration gas value and due text.
// A calibration is due when its date plus the instrument's interval (CalLimit days) lies before
// now, or when the date lies in the future; it is nearly due when fewer than the warning days
// remain. Due cells are red, nearly due ones orange.
#include "platform/Colors.h"
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QString>

namespace mt52 {

class Database;
class GridModel;

inline constexpr Long CalDueColor = RGB(255, 0, 0);
inline constexpr Long CalNearDueColor = RGB(255, 128, 0);

// The date as the grid shows it; the empty text for a date before 2000, a date value not above
// 0, Null or anything that is not a date.
QString FormatCalDate(const Variant& date);

// The due colour: 0 (not due, no date or gas disabled), CalDueColor or CalNearDueColor.
Long GetCalDueColor(const Date& date, Integer interval, bool enabled, const Date& now, Integer warnDays);

// "Now" when due, "Remaining ~1 Day" with the whole days left otherwise; empty without a date.
QString CalDueText(const Date& date, Integer interval, const Date& now);

// Fills the grid in the layout (0, 1 or 2) from cLatestHist, reading now from the clock.
// An empty table leaves the grid prepared and empty, shows "Calibration data not found." and
// returns false. A Null column shows as no date, "-----", dashes or 0 days, never an error.
bool ShowCalHistoryList(GridModel& grid, Database& db, int layout, Integer warnDays);

}  // namespace mt52
