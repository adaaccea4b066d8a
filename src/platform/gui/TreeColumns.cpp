#include "platform/gui/TreeColumns.h"

#include "platform/ColumnWidths.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

namespace mt52 {

void WidenTreeColumnsToText(QTreeView& view) {
    QHeaderView* header = view.header();
    const int cols = header->count();
    std::vector<int> least(static_cast<std::size_t>(cols), 0);
    std::vector<int> needed(static_cast<std::size_t>(cols), 0);
    for (int c = 0; c < cols; ++c) {
        if (view.isColumnHidden(c))
            continue;
        least[static_cast<std::size_t>(c)] = view.columnWidth(c);
        const int headerText = header->isHidden() ? 0 : header->sectionSizeHint(c);
        needed[static_cast<std::size_t>(c)] = std::max(headerText, static_cast<const QAbstractItemView&>(view).sizeHintForColumn(c));
    }
    // The last column of a view that stretches it takes whatever the others leave.
    const bool stretched = header->stretchLastSection() && cols > 0;
    if (stretched)
        least.back() = std::min(least.back(), needed.back());
    const std::vector<int> widths = WidenedColumnWidths(least, needed, view.viewport()->width());
    for (int c = 0; c < cols; ++c) {
        if (!view.isColumnHidden(c) && (!stretched || c < cols - 1))
            view.setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
}

}  // namespace mt52
