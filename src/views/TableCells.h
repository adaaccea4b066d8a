#pragma once
// What the record tables share: a table grid made ready for a fill, the closing alignments of
// the trend and snapshot tables, and the texts of a reading and of a bump-test judgement. The
// gas fields a table formats its cells with are read once per fill (ReadSampleSlots).
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class GridModel;
struct SampleSlot;

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
QString ReadingText(Single value, const SampleSlot& slot);

// A bump test's judgement of a gas: "PASS" (2), "FAIL" (1) or "-----" (anything else).
QString BumpJudgeText(Single judge);

// A cell text with a blank and the unit appended.
QString CellWithUnit(const QString& text, const QString& unit);

}  // namespace mt52
