#pragma once
// The record tables of a calibration history (kind 3) and a bump test (kind 10): one block of
// rows per list item, newest first, with a column per gas slot 0 to 4.
namespace mt52 {

class GridModel;
class clsHistory;

// A calibration history shows two rows per item ("Before", "After") and hides the columns of
// gas slots 2 and 3; a bump test shows three ("Test Result", "Concentration", "Judge") and
// every column. Numbers carry their gas's unit and stay centred; words stand at the left.
void FillHistoryTable(const clsHistory& record, bool bumpTest, GridModel& table);

}  // namespace mt52
