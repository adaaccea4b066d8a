#pragma once
// Inner layouts of the pages that show stored records: the stored-data page fraMenu(2), the
// data view fraMenu(3) and the calibration-history page fraMenu(4). PW and PH are the width
// and height of the page frame; lengths are twips. The grids' column counts are set by
// whoever fills them; these layouts read them.
#include "main_window/LayoutState.h"

namespace mt52 {

// Record tree with the grouping boxes below it on the left; record list, entry-detail grid
// and the row of buttons on the right.
void LayoutStoredDataPage(LayoutState& state, double pw, double ph);

// Visibility of table, graph, series boxes and zoom from the Table/Graph choice; the top
// row; summary, table and graph stacked; two rows of series boxes under the graph; the
// buttons at the right end of the top row; the column widths of table and summary.
void LayoutDataView(LayoutState& state, double pw, double ph);

// The three layout choices in a row, the history grid below them, the Print button.
void LayoutHistoryPage(LayoutState& state, double pw, double ph);

}  // namespace mt52
