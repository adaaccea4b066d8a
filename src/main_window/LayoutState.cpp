#include "main_window/LayoutState.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace mt52 {

void ControlBox::Move(double left, double top) {
    Left = left;
    Top = top;
}

void ControlBox::Move(double left, double top, double width) {
    Move(left, top);
    Width = std::max(0.0, width);
}

void ControlBox::Move(double left, double top, double width, double height) {
    Move(left, top, width);
    Height = std::max(0.0, height);
}

void GridColumns::SetColWidth(int col, double twips) {
    if (col < 0 || col >= Cols())
        return;
    // nearbyint rounds to nearest with halves to even in the default rounding mode.
    Widths[static_cast<std::size_t>(col)] = static_cast<int>(std::max(0.0, std::nearbyint(twips)));
}

ControlBox& LayoutState::Add(const QString& name, const ControlBox& box) { return controls_[name] = box; }

GridColumns& LayoutState::AddGrid(const QString& name, const GridColumns& columns) { return grids_[name] = columns; }

ControlBox& LayoutState::operator[](const QString& name) {
    const auto found = controls_.find(name);
    if (found == controls_.end())
        Raise(ErrSubscript, name);
    return found->second;
}

const ControlBox& LayoutState::operator[](const QString& name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end())
        Raise(ErrSubscript, name);
    return found->second;
}

GridColumns& LayoutState::Grid(const QString& name) {
    const auto found = grids_.find(name);
    if (found == grids_.end())
        Raise(ErrSubscript, name);
    return found->second;
}

const GridColumns& LayoutState::Grid(const QString& name) const {
    const auto found = grids_.find(name);
    if (found == grids_.end())
        Raise(ErrSubscript, name);
    return found->second;
}

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

}  // namespace mt52
