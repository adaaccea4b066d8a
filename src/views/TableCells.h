#pragma once
// What the record tables share: a table grid made ready for a fill, the closing alignments of
// the trend and snapshot tables, the display text of a reading, and the per-slot gas fields a
// table formats its cells with, read once per fill instead of once per cell.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class GridModel;
class RecordFrame;

// The fields of one gas slot that the table cells need.
struct SlotFormat {
    Single full = 0;   // full scale
    Integer point = 0; // decimals
    QString unit;
    Single ratio = 0;  // above 0 for a gas whose unit follows the unit events (%LEL, ppm, vol%)
    bool enabled = false;
};
SlotFormat SlotFormatOf(const RecordFrame& record, Integer slot);

// Clears the table's texts and formats and gives it its size; every column is shown and none
// merges down, whatever an earlier fill of another kind left.
void PrepareTable(GridModel& table, int cols, int rows);

// The cells of row 0 centred.
void CentreHeaderRow(GridModel& table);

// Every column centred but the date column 1 (left), the header row centred: the closing
// alignment of the trend and snapshot tables.
void AlignTrendColumns(GridModel& table);

// A reading or code as a table shows it: its code word or its number with the slot's
// decimals, "OVER" outside 0 .. full scale, "-----" for a slot whose full scale is the
// no-data code.
QString ReadingText(Single value, const SlotFormat& slot);

// A cell text with a blank and the unit appended.
QString WithUnit(const QString& text, const QString& unit);

}  // namespace mt52
