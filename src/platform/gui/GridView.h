#pragma once
// Draws a GridModel and lets the user edit it: the grid control of the pages and dialogs.
// The view owns its model; the form code works on Model() (texts, formats, events) and on
// the widget's geometry. Every change of the model is drawn at once, merges on the next turn
// of the event loop or at Refresh().
//
// Editing: a double click, F2, Enter or a typed character starts an edit of the current cell
// (GridModel::StartEdit, so BeforeEdit may refuse it); the editor is a text box, or a drop-down
// when the edit has a choice list. Enter and Tab end the edit through ValidateEdit (a refusal
// keeps the editor open), Escape abandons it, leaving the editor ends it like Enter. A click or
// Space on a check box cell toggles it. Typed keys pass KeyPressEdit first.
#include "platform/GridModel.h"

#include <QTableView>
#include <vector>

class QComboBox;
class QLineEdit;

namespace mt52 {

class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    GridModel& Model() { return *grid_; }
    const GridModel& Model() const { return *grid_; }

    // Brings the drawing up to date now, merges included.
    void Refresh();

    // The control's size in twips.
    int WidthTwips() const;
    int HeightTwips() const;

    // Sets a column's width to its widest text in the cells' fonts, with a small margin.
    void AutoSizeColumn(int col);

    // With `on`, a column whose texts are wider than the model's width for it is drawn wider,
    // as far as the room the columns leave free in the grid allows (WidenedColumnWidths); the
    // model's width stays the least width it is drawn with. Off by default.
    void WidenColumnsToText(bool on);

    // The open editor (a QLineEdit or a QComboBox); nullptr when no edit runs.
    QWidget* Editor() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Keep the grid's top row when the view works its scroll range out again (rows changed, the
    // view was resized) and when it is shown (a view scrolls its current cell into sight then):
    // neither is a scroll of the user's.
    void updateGeometries() override;
    bool event(QEvent* event) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class ItemModel;
    class FixedRowsModel;

    void ApplyStructure();
    void ApplyColumns();
    // The drawn widths of the columns in pixels: the model's widths, widened to their texts
    // when that is on.
    std::vector<int> DrawnColumnWidths() const;
    int TextWidthOfColumn(int col, int rows, const std::vector<bool>& merged) const;
    void ScheduleColumns();
    void ApplySpans();
    void ScheduleSpans();
    void ApplyCurrentCell();
    void ApplyTopRow();
    // The fixed rows stay in sight while the grid scrolls: a copy of them lies over the top
    // of the scrolled rows whenever the grid is not scrolled to its top.
    void UpdateFixedRows();
    int ShownFixedRows() const;
    int FixedRowsHeight() const;
    void OpenEditor();
    void CloseEditor();
    void ShowEditText();
    // Ends the edit from the editor; true when it ended. A refusal keeps the editor and,
    // when asked, its focus.
    bool CommitFromEditor(bool keepFocus);
    void ReportEditorState();
    bool FilterEditorKey(QKeyEvent* event);
    bool IsCheckCell(const QModelIndex& index) const;

    GridModel* grid_;
    ItemModel* items_;
    FixedRowsModel* fixedItems_;
    QTableView* fixedRows_;
    QLineEdit* lineEditor_ = nullptr;
    QComboBox* comboEditor_ = nullptr;
    bool spansPending_ = false;
    bool syncing_ = false;
    bool committing_ = false;
    bool widenColumns_ = false;
    bool columnsPending_ = false;
};

}  // namespace mt52
