#pragma once
// The widths a grid draws its columns with when their texts may widen them.
#include <vector>

namespace mt52 {

// What becomes of a column cut by its text when the columns at their least widths already run
// past the available width, so that the view scrolls sideways whatever the widths.
enum class OverflowWidening {
    None,    // the columns keep their least widths
    ToText,  // a cut column grows to what its text needs: it costs no room that is in view
};

// Each column is at least its least width. A column whose text needs more grows by what it
// lacks, out of the room the columns leave free in the available width; when that room does
// not cover every column's lack, it is shared out in proportion to the lacks. Columns that fit
// never grow past the available width in total, and never shrink; columns that already run
// past it grow as `overflow` says.
std::vector<int> WidenedColumnWidths(const std::vector<int>& least, const std::vector<int>& needed, int available,
                                     OverflowWidening overflow = OverflowWidening::None);

}  // namespace mt52
