#include "main_window/gui/WidgetGeometry.h"

#include "platform/Twips.h"
#include "platform/gui/GridView.h"

#include <QAbstractButton>
#include <cmath>

namespace mt52 {

void WidgetGeometry::AddControl(const QString& name, QWidget* widget) { controls_[name] = Control{widget, {}, false}; }

void WidgetGeometry::AddGrid(const QString& name, GridView* grid) {
    AddControl(name, grid);
    grids_[name] = grid;
}

void WidgetGeometry::AddChildren(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (auto* grid = qobject_cast<GridView*>(child))
            AddGrid(name, grid);
        else
            AddControl(name, child);
    }
}

QRect WidgetGeometry::PixelRect(const ControlBox& box) {
    const int left = TwipsToPixels(box.Left);
    const int top = TwipsToPixels(box.Top);
    return QRect(left, top, std::max(0, TwipsToPixels(box.Right()) - left), std::max(0, TwipsToPixels(box.Bottom()) - top));
}

LayoutState WidgetGeometry::Read() const {
    LayoutState state;
    for (const auto& [name, control] : controls_) {
        QWidget* widget = control.widget;
        if (widget == nullptr)
            continue;
        ControlBox box;
        if (control.hasPlaced && PixelRect(control.placed) == widget->geometry()) {
            box = control.placed;
        } else {
            const QRect r = widget->geometry();
            box.Left = PixelsToTwips(r.x());
            box.Top = PixelsToTwips(r.y());
            box.Width = PixelsToTwips(r.width());
            box.Height = PixelsToTwips(r.height());
        }
        box.Visible = !widget->isHidden();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            box.Value = button->isCheckable() && button->isChecked();
        state.Add(name, box);
    }
    for (const auto& [name, grid] : grids_) {
        if (grid == nullptr)
            continue;
        const GridModel& model = grid->Model();
        GridColumns columns;
        for (int c = 0; c < model.Cols(); ++c)
            columns.Widths.push_back(model.ColWidth(c));
        state.AddGrid(name, columns);
    }
    return state;
}

void WidgetGeometry::Apply(const LayoutState& state) {
    for (auto& [name, control] : controls_) {
        QWidget* widget = control.widget;
        if (widget == nullptr || !state.Has(name))
            continue;
        const ControlBox& box = state[name];
        const QRect rect = PixelRect(box);
        if (widget->geometry() != rect)
            widget->setGeometry(rect);
        control.placed = box;
        control.hasPlaced = true;
        if (widget->isHidden() == box.Visible)
            widget->setVisible(box.Visible);
    }
    for (auto& [name, grid] : grids_) {
        if (grid == nullptr || !state.HasGrid(name))
            continue;
        GridModel& model = grid->Model();
        const GridColumns& columns = state.Grid(name);
        for (int c = 0; c < columns.Cols() && c < model.Cols(); ++c) {
            if (model.ColWidth(c) != columns.Widths[static_cast<std::size_t>(c)])
                model.SetColWidth(c, columns.Widths[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace mt52
