#pragma once
// What the window layout reads and writes of the controls, without the controls: each
// control's rectangle in twips (Left and Top in its container), its visibility and, for
// option buttons, its value; each grid's column count and column widths. The window fills
// a LayoutState from its widgets, runs a layout on it and applies the result; tests build
// one from the controls' created sizes and read the numbers.
#include <QString>
#include <map>
#include <vector>

namespace mt52 {

struct ControlBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool Visible = true;
    bool Value = false;  // option buttons: chosen

    double Right() const { return Left + Width; }
    double Bottom() const { return Top + Height; }

    // The one-step placement; an omitted dimension keeps its value. A negative size (a
    // window too small for the layout) becomes 0, so no control is given an impossible size.
    void Move(double left, double top);
    void Move(double left, double top, double width);
    void Move(double left, double top, double width, double height);
};

// The columns of a grid: Widths.size() is the column count.
struct GridColumns {
    std::vector<int> Widths;

    int Cols() const { return static_cast<int>(Widths.size()); }
    // Sets a column's width to the nearest whole twip (halves to the even number); a column
    // the grid does not have is passed over.
    void SetColWidth(int col, double twips);
};

class LayoutState {
public:
    // Adds or replaces a control or a grid's columns.
    ControlBox& Add(const QString& name, const ControlBox& box);
    GridColumns& AddGrid(const QString& name, const GridColumns& columns);

    bool Has(const QString& name) const { return controls_.count(name) != 0; }
    bool HasGrid(const QString& name) const { return grids_.count(name) != 0; }
    // A control or grid the state does not hold raises the subscript error (9) with its name:
    // a layout never works on a control that is not there.
    ControlBox& operator[](const QString& name);
    const ControlBox& operator[](const QString& name) const;
    GridColumns& Grid(const QString& name);
    const GridColumns& Grid(const QString& name) const;

    const std::map<QString, ControlBox>& Controls() const { return controls_; }
    const std::map<QString, GridColumns>& Grids() const { return grids_; }

private:
    std::map<QString, ControlBox> controls_;
    std::map<QString, GridColumns> grids_;
};

// "name(index)": the name of a member of a control array.
QString Indexed(const char* name, int index);

}  // namespace mt52
