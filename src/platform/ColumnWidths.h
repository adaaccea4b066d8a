#pragma once
// The widths a grid draws its columns with when their texts may widen them.
#include <vector>

namespace mt52 {

// Each column is at least its least width. A column whose text needs more grows by what it
// lacks, out of the room the columns leave free in the available width; when that room does
// not cover every column's lack, it is shared out in proportion to the lacks. Columns never
// grow past the available width in total, and never shrink.
std::vector<int> WidenedColumnWidths(const std::vector<int>& least, const std::vector<int>& needed, int available);

}  // namespace mt52
