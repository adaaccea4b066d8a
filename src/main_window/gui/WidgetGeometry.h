#pragma once
// Connects the twip layouts to the widgets: reads the named controls' rectangles, visibility
// and option values and the grids' column widths into a LayoutState, and applies a laid-out
// state back. The exact twips of the last placement are kept, so a layout that reads a
// control placed in an earlier run sees the value it computed, not one rounded to pixels;
// a control that other code has moved since is read from its pixels.
#include "main_window/LayoutState.h"

#include <QPointer>
#include <QWidget>
#include <map>

namespace mt52 {

class GridView;

class WidgetGeometry {
public:
    // Registers a control or a grid under the name the layouts use.
    void AddControl(const QString& name, QWidget* widget);
    void AddGrid(const QString& name, GridView* grid);
    // Registers every child of the window that has an object name, grids as grids too.
    void AddChildren(QWidget* window);

    LayoutState Read() const;
    // Moves, shows or hides the controls whose values changed and sets the changed column
    // widths. Pixel edges are rounded (not the sizes), so controls that touch in twips touch
    // on the screen.
    void Apply(const LayoutState& state);

private:
    struct Control {
        QPointer<QWidget> widget;
        ControlBox placed;  // the twips of the last placement
        bool hasPlaced = false;
    };
    static QRect PixelRect(const ControlBox& box);

    std::map<QString, Control> controls_;
    std::map<QString, QPointer<GridView>> grids_;
};

}  // namespace mt52
