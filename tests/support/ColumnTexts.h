#pragma once
// Whether the columns of the grids and lists under a page show their texts whole: each header
// and cell text, measured with the font metrics of its cell, against the width of its column.
// A text may be cut only where the columns leave no room free in their view.
#include "platform/gui/GridView.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVariant>
#include <QWidget>
#include <string>
#include <vector>

namespace mt52::test {

// The texts of the columns of `page` that are cut while their view has room, as
// "view: column c, row r \"text\"" lines; empty when every text shows whole or has no room.
inline std::vector<std::string> CutColumnTexts(QWidget* page, int rowsChecked = 50) {
    std::vector<std::string> cut;
    const auto check = [&](QAbstractItemView& view, QHeaderView* header, bool headerShown) {
        if (!view.isVisibleTo(page))
            return;
        QAbstractItemModel* model = view.model();
        if (model == nullptr)
            return;
        const int margin = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
        int used = 0;
        for (int c = 0; c < header->count(); ++c)
            used += header->isSectionHidden(c) ? 0 : header->sectionSize(c);
        const bool room = used < view.viewport()->width();
        if (!room)
            return;
        const std::string name = view.objectName().toStdString();
        for (int c = 0; c < model->columnCount(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            const int width = header->sectionSize(c);
            if (headerShown) {
                const QString text = model->headerData(c, Qt::Horizontal).toString();
                const int needed = header->fontMetrics().horizontalAdvance(text) + 2 * margin;
                if (needed > width)
                    cut.push_back(name + ": header " + std::to_string(c) + " \"" + text.toStdString() + "\"");
            }
            const auto checkRows = [&](const QModelIndex& parent, auto&& self) -> void {
                for (int r = 0; r < model->rowCount(parent) && r < rowsChecked; ++r) {
                    const QModelIndex index = model->index(r, c, parent);
                    if (view.visualRect(index).height() == 0)
                        continue;
                    const QString text = index.data(Qt::DisplayRole).toString();
                    const QVariant fontData = index.data(Qt::FontRole);
                    const QFont font = fontData.isValid() ? fontData.value<QFont>() : view.font();
                    int needed = QFontMetrics(font).horizontalAdvance(text) + margin;
                    if (!index.data(Qt::DecorationRole).isNull())
                        needed += view.iconSize().width() > 0 ? view.iconSize().width() + margin
                                                              : view.style()->pixelMetric(QStyle::PM_SmallIconSize) + margin;
                    const QRect cell = view.visualRect(index);
                    const bool spans = [&] {
                        if (auto* grid = qobject_cast<GridView*>(&view))
                            return grid->columnSpan(r, c) > 1;
                        return false;
                    }();
                    if (!text.isEmpty() && !spans && needed > cell.width())
                        cut.push_back(name + ": column " + std::to_string(c) + ", row " + std::to_string(r) + " \"" +
                                      text.toStdString() + "\" needs " + std::to_string(needed) + " of " +
                                      std::to_string(cell.width()));
                    if (auto* tree = qobject_cast<QTreeView*>(&view); tree && c == 0 && tree->isExpanded(index))
                        self(index, self);
                }
            };
            checkRows(QModelIndex(), checkRows);
        }
    };
    for (GridView* grid : page->findChildren<GridView*>())
        check(*grid, grid->horizontalHeader(), false);
    for (QTreeView* tree : page->findChildren<QTreeView*>())
        check(*tree, tree->header(), !tree->isHeaderHidden());
    return cut;
}

}  // namespace mt52::test
