#pragma once
// The grid of the pages and dialogs, without its drawing: size, fixed rows and columns, cell
// texts and formats, column properties, merging, choice lists, the current cell, and the edit
// cycle with its events. A GridView draws it; tests read and drive it without a display.
//
// Rows and columns count from 0; the first FixedRows rows and FixedCols columns are fixed
// (headings): they are drawn in the fixed-cell colour and never edited. A row or column
// outside the grid raises the subscript error (9).
//
// Colours are Long values (see platform/Colors.h). A cell colour of 0 means "none of its
// own": the cell shows the grid's colour (BackColorFixed for fixed cells, BackColor for the
// others), so setting 0 clears a mark.
#include "platform/FontSpec.h"
#include "platform/Types.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace mt52 {

// Alignment codes of cells and columns.
enum GridAlignment : int {
    AlignLeftTop = 0,
    AlignLeftCenter = 1,
    AlignLeftBottom = 2,
    AlignCenterTop = 3,
    AlignCenterCenter = 4,
    AlignCenterBottom = 5,
    AlignRightTop = 6,
    AlignRightCenter = 7,
    AlignRightBottom = 8,
    AlignGeneral = 9,  // numbers right, other texts left; vertically centred
};

// Merging modes. Under any mode but MergeNever, neighbouring cells with equal, non-empty text
// merge into one cell along the rows whose MergeRow switch is on and down the columns whose
// MergeCol switch is on (rows first). A fixed cell never merges with a scrollable one, so a
// row's heading stays apart from its values. MergeFixedOnly restricts merging to fixed cells.
enum GridMergeMode : int {
    MergeNever = 0,
    MergeFree = 1,
    MergeRestrictRows = 2,
    MergeRestrictColumns = 3,
    MergeRestrictAll = 4,
    MergeFixedOnly = 5,
};

// The check box of a cell.
enum GridCheck : int { NoCheckBox = 0, Checked = 1, Unchecked = 2 };

enum class GridClear { Text, Formatting, Everything };

// A rectangle of cells, corners included.
struct GridRange {
    int row1 = 0;
    int col1 = 0;
    int row2 = 0;
    int col2 = 0;

    bool Contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
    int RowCount() const { return row2 - row1 + 1; }
    int ColCount() const { return col2 - col1 + 1; }
    friend bool operator==(const GridRange&, const GridRange&) = default;
};

// The grid's events. Each is optional; handlers may change the grid, edit text included.
struct GridEvents {
    // An edit of the cell is about to start; set cancel to refuse it.
    std::function<void(int row, int col, bool& cancel)> BeforeEdit;
    // A key typed into the editor, before the editor takes it: keyAscii is the character code
    // (8 for backspace); set it to 0 to drop the key or change it to another character.
    std::function<void(int row, int col, int& keyAscii)> KeyPressEdit;
    // The editor's text changed.
    std::function<void(int row, int col)> ChangeEdit;
    // The edit is about to end with the editor's text (EditText, which the handler may
    // change); set cancel to refuse it, which keeps the editor open.
    std::function<void(int row, int col, bool& cancel)> ValidateEdit;
    // The edit ended and the cell holds the new text (or check state).
    std::function<void(int row, int col)> AfterEdit;
    // The current cell changed.
    std::function<void()> RowColChange;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
};

class GridModel : public QObject {
    Q_OBJECT

public:
    // Column width when none was set, in twips.
    static constexpr int DefaultColWidth = 960;

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // --- Size -------------------------------------------------------------------------------
    // New rows and columns start empty; cells that stay keep their text and format.
    int Rows() const { return rows_; }
    void SetRows(int rows);
    int Cols() const { return cols_; }
    void SetCols(int cols);
    // Fixed rows and columns as set; a value above Rows or Cols fixes them all.
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);
    bool IsFixedCell(int row, int col) const;

    // Empties the cells: their texts, their formats (colours, fonts, alignment, check boxes,
    // choice lists) or both. Size, column properties and merge switches stay.
    void Clear(GridClear what = GridClear::Everything);

    // "a|b|c": as many columns as fields, and the fields as the texts of row 0.
    void SetFormatString(const QString& format);
    QString FormatString() const { return formatString_; }

    // --- Texts ------------------------------------------------------------------------------
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    // The current cell's text.
    QString Text() const;
    void SetText(const QString& text);

    // --- Colours ----------------------------------------------------------------------------
    Long BackColor() const { return backColor_; }
    void SetBackColor(Long colour);
    Long ForeColor() const { return foreColor_; }
    void SetForeColor(Long colour);
    Long BackColorFixed() const { return backColorFixed_; }
    void SetBackColorFixed(Long colour);
    Long ForeColorFixed() const { return foreColorFixed_; }
    void SetForeColorFixed(Long colour);

    // A cell's own colour, 0 when it has none.
    Long CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, Long colour);
    void SetCellBackColor(const GridRange& range, Long colour);
    Long CellBackColor() const;              // current cell
    void SetCellBackColor(Long colour);      // current cell
    Long CellForeColor(int row, int col) const;
    void SetCellForeColor(int row, int col, Long colour);
    void SetCellForeColor(const GridRange& range, Long colour);
    Long CellForeColor() const;
    void SetCellForeColor(Long colour);
    // The colours the cell is drawn with.
    Long DrawnBackColor(int row, int col) const;
    Long DrawnForeColor(int row, int col) const;

    // --- Fonts ------------------------------------------------------------------------------
    FontSpec Font() const { return font_; }
    void SetFont(const FontSpec& font);
    // The cell's font: its own, or the grid's.
    FontSpec CellFont(int row, int col) const;
    void SetCellFont(int row, int col, const FontSpec& font);
    void SetCellFont(const GridRange& range, const FontSpec& font);
    FontSpec CellFont() const;
    void SetCellFont(const FontSpec& font);

    // --- Alignment --------------------------------------------------------------------------
    // A column's alignment; column -1 sets every column.
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alignment);
    // A cell's alignment: its own when one was set (whenever that was), else its column's.
    int CellAlignment(int row, int col) const;
    void SetCellAlignment(int row, int col, int alignment);
    void SetCellAlignment(const GridRange& range, int alignment);
    int CellAlignment() const;
    void SetCellAlignment(int alignment);
    // CellAlignment with AlignGeneral settled by the cell's text (numbers right-centre,
    // other texts left-centre).
    int DrawnAlignment(int row, int col) const;

    // --- Check boxes ------------------------------------------------------------------------
    int CellChecked(int row, int col) const;
    void SetCellChecked(int row, int col, int state);
    void SetCellChecked(const GridRange& range, int state);
    int CellChecked() const;
    void SetCellChecked(int state);

    // --- Columns ----------------------------------------------------------------------------
    // Width in twips; column -1 sets every column. Width 0 draws the column invisibly.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    // A hidden column keeps its cells and texts; it is only not drawn.
    bool ColHidden(int col) const;
    void SetColHidden(int col, bool hidden);

    // --- Merging ----------------------------------------------------------------------------
    int MergeCells() const { return mergeCells_; }
    void SetMergeCells(int mode);
    // Row -1 and column -1 set every row or column.
    bool MergeRow(int row) const;
    void SetMergeRow(int row, bool merge);
    bool MergeCol(int col) const;
    void SetMergeCol(int col, bool merge);
    // The merged block the cell belongs to (the cell alone when it does not merge).
    GridRange MergedRange(int row, int col) const;
    // Every merged block of more than one cell.
    std::vector<GridRange> MergedRanges() const;

    // --- Choice lists -----------------------------------------------------------------------
    // A choice list is one text with "|" between the items; an edit with a list offers the
    // items in a drop-down instead of a text editor. Lists are looked up for an edit in this
    // order: ComboList (set by a BeforeEdit handler, for example), the cell's, the column's.
    QString ComboList() const { return comboList_; }
    void SetComboList(const QString& list);
    QString ColComboList(int col) const;
    void SetColComboList(int col, const QString& list);
    QString CellComboList(int row, int col) const;
    void SetCellComboList(int row, int col, const QString& list);
    // The items of a list, empty items included ("a||b" has three); none for an empty text.
    static QStringList SplitChoiceList(const QString& list);

    // --- Current cell and scrolling ---------------------------------------------------------
    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    // Sets both; RowColChange runs once when the cell changed.
    void SetCurrentCell(int row, int col);
    // The first scrolling row shown.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    // The view reports the first row the user scrolled to (fixed rows scroll with the rest).
    void ViewScrolled(int row);

    // --- Drawing ----------------------------------------------------------------------------
    // While Redraw is off the view does not follow the changes; turning it on redraws all.
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool redraw);
    // Redraws the grid now.
    void Refresh();

    // --- Editing ----------------------------------------------------------------------------
    // Whether the user may edit the non-fixed cells.
    bool Editable() const { return editable_; }
    void SetEditable(bool editable);

    GridEvents& Events() { return events_; }

    // Starts an edit of a cell: refused for a fixed cell, a hidden column, a grid that is not
    // editable, or by BeforeEdit. The cell becomes current; the editor holds the cell's text,
    // all of it selected. For a cell with a check box, the edit is the toggle of ToggleCheck
    // and no editor stays open. True when an editor is open afterwards. A running edit is
    // ended first (and the new one refused when that edit is refused).
    bool StartEdit(int row, int col);
    bool IsEditing() const { return editing_; }
    int EditRow() const { return editRow_; }
    int EditCol() const { return editCol_; }
    // The items offered by the running edit; empty for a text editor.
    QStringList EditChoices() const { return editChoices_; }

    // The editor's text and selection.
    QString EditText() const { return editText_; }
    // Sets the editor's text from the program (a handler); no ChangeEdit.
    void SetEditText(const QString& text);
    int EditSelStart() const { return selStart_; }
    int EditSelLength() const { return selLength_; }
    void SetEditSelection(int start, int length);
    // The editor widget reports its text and selection; ChangeEdit runs when the text changed.
    void EditorChanged(const QString& text, int selStart, int selLength);

    // Runs KeyPressEdit for a typed key; the key the editor should take, 0 for none.
    int FilterKey(int keyAscii);
    // Types one key into the editor as a text editor would: filtered, then replacing the
    // selection (backspace deletes it, or the character before the caret). False when the
    // key was dropped or no edit runs.
    bool TypeKey(QChar key);
    // Types each character of a text.
    void TypeText(const QString& text);

    // Ends the edit with the editor's text: ValidateEdit may refuse (the edit goes on and
    // false is returned); otherwise the cell takes the text and AfterEdit runs.
    bool CommitEdit();
    // Ends the edit leaving the cell as it was; no event.
    void CancelEdit();

    // Toggles a check box cell as an edit: BeforeEdit, ValidateEdit (with an empty EditText),
    // the new state, AfterEdit. False when the cell has no check box or the edit was refused.
    bool ToggleCheck(int row, int col);

signals:
    // Texts or formats of the cells of a rectangle changed.
    void cellsChanged(int row1, int col1, int row2, int col2);
    // Size, fixed rows or columns, or grid-wide properties changed: draw everything again.
    void structureChanged();
    // Column widths or hidden switches changed.
    void columnsChanged();
    // Merging mode or switches changed.
    void mergesChanged();
    void currentCellChanged(int row, int col);
    void topRowChanged(int row);
    void refreshRequested();
    // The editor is to open, to take a text set by the program, or to close.
    void editStarted();
    void editTextSet();
    void editEnded();

private:
    struct CellFormat;
    struct Cell {
        QString text;
        std::unique_ptr<CellFormat> format;
    };
    struct Column {
        int width = -1;
        bool hidden = false;
        int alignment = AlignGeneral;
        bool merge = false;
        QString comboList;
    };

    void CheckCell(int row, int col) const;
    void CheckColumn(int col) const;
    void CheckRow(int row) const;
    GridRange Normalised(const GridRange& range) const;
    Cell& At(int row, int col) { return cells_[static_cast<std::size_t>(row * cols_ + col)]; }
    const Cell& At(int row, int col) const { return cells_[static_cast<std::size_t>(row * cols_ + col)]; }
    const CellFormat* FormatOf(int row, int col) const;
    CellFormat& FormatFor(int row, int col);
    template <typename Apply>
    void FormatRange(const GridRange& range, Apply apply);
    void Resize(int rows, int cols);
    void AfterResize();
    void EmitAll();
    void EndEditState();

    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<Cell> cells_;
    std::vector<Column> columns_;
    std::vector<bool> mergeRows_;
    QString formatString_;

    Long backColor_;
    Long foreColor_;
    Long backColorFixed_;
    Long foreColorFixed_;
    FontSpec font_;
    int mergeCells_ = MergeNever;
    QString comboList_;

    int row_ = 1;
    int col_ = 1;
    int topRow_ = 1;
    bool redraw_ = true;
    bool editable_ = false;
    GridEvents events_;

    bool editing_ = false;
    int editRow_ = -1;
    int editCol_ = -1;
    QString editText_;
    int selStart_ = 0;
    int selLength_ = 0;
    QStringList editChoices_;
};

}  // namespace mt52
