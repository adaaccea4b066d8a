#pragma once
// Column widths of a tree or list view that fit its texts where the view has room.
class QTreeView;

namespace mt52 {

// Takes the view's present column widths as the least widths and widens a column whose header
// or item texts are wider, as far as the room the columns leave free in the view allows
// (WidenedColumnWidths). Run after the view is filled and its columns are given their widths.
void WidenTreeColumnsToText(QTreeView& view);

}  // namespace mt52
