#include "platform/GridModel.h"

#include "platform/Colors.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

#include <algorithm>

namespace mt52 {

// Formats that most cells never get, kept apart so a large plain grid stays small.
struct GridModel::CellFormat {
    Long back = 0;
    Long fore = 0;
    int alignment = -1;  // -1: the column's
    int checked = NoCheckBox;
    std::optional<FontSpec> font;
    QString comboList;
};

GridModel::GridModel(QObject* parent)
    : QObject(parent),
      backColor_(RGB(255, 255, 255)),
      foreColor_(RGB(0, 0, 0)),
      backColorFixed_(RGB(212, 208, 200)),
      foreColorFixed_(RGB(0, 0, 0)) {
    // The grid a form gets before its code shapes it: 50 rows, 10 columns, one fixed of each.
    Resize(50, 10);
}

GridModel::~GridModel() = default;

// --- Checks ---------------------------------------------------------------------------------

void GridModel::CheckRow(int row) const {
    if (row < 0 || row >= rows_)
        Raise(ErrSubscript, QStringLiteral("grid row %1 of %2").arg(row).arg(rows_));
}

void GridModel::CheckColumn(int col) const {
    if (col < 0 || col >= cols_)
        Raise(ErrSubscript, QStringLiteral("grid column %1 of %2").arg(col).arg(cols_));
}

void GridModel::CheckCell(int row, int col) const {
    CheckRow(row);
    CheckColumn(col);
}

GridRange GridModel::Normalised(const GridRange& r) const {
    GridRange n{std::min(r.row1, r.row2), std::min(r.col1, r.col2), std::max(r.row1, r.row2),
                std::max(r.col1, r.col2)};
    CheckCell(n.row1, n.col1);
    CheckCell(n.row2, n.col2);
    return n;
}

const GridModel::CellFormat* GridModel::FormatOf(int row, int col) const { return At(row, col).format.get(); }

GridModel::CellFormat& GridModel::FormatFor(int row, int col) {
    Cell& cell = At(row, col);
    if (!cell.format)
        cell.format = std::make_unique<CellFormat>();
    return *cell.format;
}

template <typename Apply>
void GridModel::FormatRange(const GridRange& range, Apply apply) {
    const GridRange r = Normalised(range);
    for (int row = r.row1; row <= r.row2; ++row)
        for (int col = r.col1; col <= r.col2; ++col)
            apply(FormatFor(row, col));
    emit cellsChanged(r.row1, r.col1, r.row2, r.col2);
}

void GridModel::EmitAll() {
    if (rows_ > 0 && cols_ > 0)
        emit cellsChanged(0, 0, rows_ - 1, cols_ - 1);
}

// --- Size -----------------------------------------------------------------------------------

void GridModel::Resize(int rows, int cols) {
    rows = std::max(0, rows);
    cols = std::max(0, cols);
    if (cols == cols_) {
        cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    } else {
        std::vector<Cell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
        const int keepRows = std::min(rows, rows_);
        const int keepCols = std::min(cols, cols_);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[static_cast<std::size_t>(r * cols + c)] = std::move(At(r, c));
        cells_ = std::move(cells);
    }
    rows_ = rows;
    cols_ = cols;
    columns_.resize(static_cast<std::size_t>(cols));
    mergeRows_.resize(static_cast<std::size_t>(rows), false);
}

void GridModel::AfterResize() {
    if (editing_ && (editRow_ >= rows_ || editCol_ >= cols_))
        EndEditState();
    row_ = std::min(row_, rows_ - 1);
    col_ = std::min(col_, cols_ - 1);
    topRow_ = std::clamp(topRow_, 0, std::max(0, rows_ - 1));
    emit structureChanged();
}

void GridModel::SetRows(int rows) {
    Resize(rows, cols_);
    AfterResize();
}

void GridModel::SetCols(int cols) {
    Resize(rows_, cols);
    AfterResize();
}

void GridModel::SetFixedRows(int rows) {
    fixedRows_ = std::max(0, rows);
    emit structureChanged();
}

void GridModel::SetFixedCols(int cols) {
    fixedCols_ = std::max(0, cols);
    emit structureChanged();
}

bool GridModel::IsFixedCell(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

void GridModel::Clear(GridClear what) {
    for (Cell& cell : cells_) {
        if (what != GridClear::Formatting)
            cell.text.clear();
        if (what != GridClear::Text)
            cell.format.reset();
    }
    EmitAll();
}

void GridModel::SetFormatString(const QString& format) {
    formatString_ = format;
    if (format.isEmpty())
        return;
    const QStringList captions = format.split(u'|');
    SetCols(static_cast<int>(captions.size()));
    if (rows_ < 1)
        SetRows(1);
    for (int c = 0; c < cols_; ++c)
        At(0, c).text = captions[c];
    emit cellsChanged(0, 0, 0, cols_ - 1);
}

// --- Texts ----------------------------------------------------------------------------------

QString GridModel::TextMatrix(int row, int col) const {
    CheckCell(row, col);
    return At(row, col).text;
}

void GridModel::SetTextMatrix(int row, int col, const QString& text) {
    CheckCell(row, col);
    At(row, col).text = text;
    emit cellsChanged(row, col, row, col);
}

QString GridModel::Text() const { return TextMatrix(row_, col_); }

void GridModel::SetText(const QString& text) { SetTextMatrix(row_, col_, text); }

// --- Colours --------------------------------------------------------------------------------

void GridModel::SetBackColor(Long colour) {
    backColor_ = colour;
    EmitAll();
}

void GridModel::SetForeColor(Long colour) {
    foreColor_ = colour;
    EmitAll();
}

void GridModel::SetBackColorFixed(Long colour) {
    backColorFixed_ = colour;
    EmitAll();
}

void GridModel::SetForeColorFixed(Long colour) {
    foreColorFixed_ = colour;
    EmitAll();
}

Long GridModel::CellBackColor(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    return f ? f->back : 0;
}

void GridModel::SetCellBackColor(int row, int col, Long colour) { SetCellBackColor({row, col, row, col}, colour); }

void GridModel::SetCellBackColor(const GridRange& range, Long colour) {
    FormatRange(range, [colour](CellFormat& f) { f.back = colour; });
}

Long GridModel::CellBackColor() const { return CellBackColor(row_, col_); }

void GridModel::SetCellBackColor(Long colour) { SetCellBackColor(row_, col_, colour); }

Long GridModel::CellForeColor(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    return f ? f->fore : 0;
}

void GridModel::SetCellForeColor(int row, int col, Long colour) { SetCellForeColor({row, col, row, col}, colour); }

void GridModel::SetCellForeColor(const GridRange& range, Long colour) {
    FormatRange(range, [colour](CellFormat& f) { f.fore = colour; });
}

Long GridModel::CellForeColor() const { return CellForeColor(row_, col_); }

void GridModel::SetCellForeColor(Long colour) { SetCellForeColor(row_, col_, colour); }

Long GridModel::DrawnBackColor(int row, int col) const {
    const Long own = CellBackColor(row, col);
    if (own != 0)
        return own;
    return IsFixedCell(row, col) ? backColorFixed_ : backColor_;
}

Long GridModel::DrawnForeColor(int row, int col) const {
    const Long own = CellForeColor(row, col);
    if (own != 0)
        return own;
    return IsFixedCell(row, col) ? foreColorFixed_ : foreColor_;
}

// --- Fonts ----------------------------------------------------------------------------------

void GridModel::SetFont(const FontSpec& font) {
    font_ = font;
    emit structureChanged();
}

FontSpec GridModel::CellFont(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    return f && f->font ? *f->font : font_;
}

void GridModel::SetCellFont(int row, int col, const FontSpec& font) { SetCellFont({row, col, row, col}, font); }

void GridModel::SetCellFont(const GridRange& range, const FontSpec& font) {
    FormatRange(range, [&font](CellFormat& f) { f.font = font; });
}

FontSpec GridModel::CellFont() const { return CellFont(row_, col_); }

void GridModel::SetCellFont(const FontSpec& font) { SetCellFont(row_, col_, font); }

// --- Alignment ------------------------------------------------------------------------------

int GridModel::ColAlignment(int col) const {
    CheckColumn(col);
    return columns_[static_cast<std::size_t>(col)].alignment;
}

void GridModel::SetColAlignment(int col, int alignment) {
    if (col == -1) {
        for (Column& c : columns_)
            c.alignment = alignment;
        EmitAll();
        return;
    }
    CheckColumn(col);
    columns_[static_cast<std::size_t>(col)].alignment = alignment;
    if (rows_ > 0)
        emit cellsChanged(0, col, rows_ - 1, col);
}

int GridModel::CellAlignment(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    if (f && f->alignment >= 0)
        return f->alignment;
    return columns_[static_cast<std::size_t>(col)].alignment;
}

void GridModel::SetCellAlignment(int row, int col, int alignment) {
    SetCellAlignment({row, col, row, col}, alignment);
}

void GridModel::SetCellAlignment(const GridRange& range, int alignment) {
    FormatRange(range, [alignment](CellFormat& f) { f.alignment = alignment; });
}

int GridModel::CellAlignment() const { return CellAlignment(row_, col_); }

void GridModel::SetCellAlignment(int alignment) { SetCellAlignment(row_, col_, alignment); }

int GridModel::DrawnAlignment(int row, int col) const {
    const int a = CellAlignment(row, col);
    if (a >= AlignLeftTop && a <= AlignRightBottom)
        return a;
    return IsNumeric(At(row, col).text) ? AlignRightCenter : AlignLeftCenter;
}

// --- Check boxes ----------------------------------------------------------------------------

int GridModel::CellChecked(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    return f ? f->checked : NoCheckBox;
}

void GridModel::SetCellChecked(int row, int col, int state) { SetCellChecked({row, col, row, col}, state); }

void GridModel::SetCellChecked(const GridRange& range, int state) {
    FormatRange(range, [state](CellFormat& f) { f.checked = state; });
}

int GridModel::CellChecked() const { return CellChecked(row_, col_); }

void GridModel::SetCellChecked(int state) { SetCellChecked(row_, col_, state); }

// --- Columns --------------------------------------------------------------------------------

int GridModel::ColWidth(int col) const {
    CheckColumn(col);
    const int w = columns_[static_cast<std::size_t>(col)].width;
    return w < 0 ? DefaultColWidth : w;
}

void GridModel::SetColWidth(int col, int twips) {
    if (col == -1) {
        for (Column& c : columns_)
            c.width = twips;
    } else {
        CheckColumn(col);
        columns_[static_cast<std::size_t>(col)].width = twips;
    }
    emit columnsChanged();
}

bool GridModel::ColHidden(int col) const {
    CheckColumn(col);
    return columns_[static_cast<std::size_t>(col)].hidden;
}

void GridModel::SetColHidden(int col, bool hidden) {
    CheckColumn(col);
    columns_[static_cast<std::size_t>(col)].hidden = hidden;
    emit columnsChanged();
}

// --- Merging --------------------------------------------------------------------------------

void GridModel::SetMergeCells(int mode) {
    mergeCells_ = mode;
    emit mergesChanged();
}

bool GridModel::MergeRow(int row) const {
    CheckRow(row);
    return mergeRows_[static_cast<std::size_t>(row)];
}

void GridModel::SetMergeRow(int row, bool merge) {
    if (row == -1) {
        std::fill(mergeRows_.begin(), mergeRows_.end(), merge);
    } else {
        CheckRow(row);
        mergeRows_[static_cast<std::size_t>(row)] = merge;
    }
    emit mergesChanged();
}

bool GridModel::MergeCol(int col) const {
    CheckColumn(col);
    return columns_[static_cast<std::size_t>(col)].merge;
}

void GridModel::SetMergeCol(int col, bool merge) {
    if (col == -1) {
        for (Column& c : columns_)
            c.merge = merge;
    } else {
        CheckColumn(col);
        columns_[static_cast<std::size_t>(col)].merge = merge;
    }
    emit mergesChanged();
}

std::vector<GridRange> GridModel::MergedRanges() const {
    std::vector<GridRange> ranges;
    if (mergeCells_ == MergeNever)
        return ranges;
    const bool fixedOnly = mergeCells_ == MergeFixedOnly;
    auto joins = [&](int r1, int c1, int r2, int c2) {
        if (fixedOnly && !(IsFixedCell(r1, c1) && IsFixedCell(r2, c2)))
            return false;
        // Headings and data never merge with each other.
        if (IsFixedCell(r1, c1) != IsFixedCell(r2, c2))
            return false;
        const QString& a = At(r1, c1).text;
        return !a.isEmpty() && a == At(r2, c2).text;
    };
    // Cells already in a block along their row do not merge down their column.
    std::vector<bool> inRowBlock(cells_.size(), false);
    for (int r = 0; r < rows_; ++r) {
        if (!mergeRows_[static_cast<std::size_t>(r)])
            continue;
        for (int c = 0; c < cols_;) {
            int end = c;
            while (end + 1 < cols_ && joins(r, c, r, end + 1))
                ++end;
            if (end > c) {
                ranges.push_back({r, c, r, end});
                for (int k = c; k <= end; ++k)
                    inRowBlock[static_cast<std::size_t>(r * cols_ + k)] = true;
            }
            c = end + 1;
        }
    }
    for (int c = 0; c < cols_; ++c) {
        if (!columns_[static_cast<std::size_t>(c)].merge)
            continue;
        for (int r = 0; r < rows_;) {
            int end = r;
            if (!inRowBlock[static_cast<std::size_t>(r * cols_ + c)])
                while (end + 1 < rows_ && !inRowBlock[static_cast<std::size_t>((end + 1) * cols_ + c)] &&
                       joins(r, c, end + 1, c))
                    ++end;
            if (end > r)
                ranges.push_back({r, c, end, c});
            r = end + 1;
        }
    }
    return ranges;
}

GridRange GridModel::MergedRange(int row, int col) const {
    CheckCell(row, col);
    for (const GridRange& r : MergedRanges())
        if (r.Contains(row, col))
            return r;
    return {row, col, row, col};
}

// --- Choice lists ---------------------------------------------------------------------------

void GridModel::SetComboList(const QString& list) { comboList_ = list; }

QString GridModel::ColComboList(int col) const {
    CheckColumn(col);
    return columns_[static_cast<std::size_t>(col)].comboList;
}

void GridModel::SetColComboList(int col, const QString& list) {
    CheckColumn(col);
    columns_[static_cast<std::size_t>(col)].comboList = list;
}

QString GridModel::CellComboList(int row, int col) const {
    CheckCell(row, col);
    const CellFormat* f = FormatOf(row, col);
    return f ? f->comboList : QString();
}

void GridModel::SetCellComboList(int row, int col, const QString& list) {
    CheckCell(row, col);
    FormatFor(row, col).comboList = list;
}

QStringList GridModel::SplitChoiceList(const QString& list) {
    if (list.isEmpty())
        return {};
    return list.split(u'|');
}

// --- Current cell ---------------------------------------------------------------------------

void GridModel::SetRow(int row) { SetCurrentCell(row, col_); }

void GridModel::SetCol(int col) { SetCurrentCell(row_, col); }

void GridModel::SetCurrentCell(int row, int col) {
    CheckCell(row, col);
    if (row == row_ && col == col_)
        return;
    row_ = row;
    col_ = col;
    emit currentCellChanged(row, col);
    if (events_.RowColChange)
        events_.RowColChange();
}

void GridModel::SetTopRow(int row) {
    const int top = std::clamp(row, std::min(fixedRows_, std::max(0, rows_ - 1)), std::max(0, rows_ - 1));
    if (top == topRow_)
        return;
    topRow_ = top;
    emit topRowChanged(top);
}

void GridModel::ViewScrolled(int row) { topRow_ = std::clamp(row, 0, std::max(0, rows_ - 1)); }

// --- Drawing --------------------------------------------------------------------------------

void GridModel::SetRedraw(bool redraw) {
    if (redraw == redraw_)
        return;
    redraw_ = redraw;
    if (redraw)
        emit structureChanged();
}

void GridModel::Refresh() { emit refreshRequested(); }

// --- Editing --------------------------------------------------------------------------------

void GridModel::SetEditable(bool editable) { editable_ = editable; }

bool GridModel::StartEdit(int row, int col) {
    CheckCell(row, col);
    if (editing_) {
        if (row == editRow_ && col == editCol_)
            return true;
        if (!CommitEdit())
            return false;
    }
    if (!editable_ || IsFixedCell(row, col) || ColHidden(col))
        return false;
    if (CellChecked(row, col) != NoCheckBox) {
        ToggleCheck(row, col);
        return false;
    }
    SetCurrentCell(row, col);
    bool cancel = false;
    if (events_.BeforeEdit)
        events_.BeforeEdit(row, col, cancel);
    if (cancel || row >= rows_ || col >= cols_)
        return false;

    QString list = comboList_;
    if (list.isEmpty())
        list = CellComboList(row, col);
    if (list.isEmpty())
        list = ColComboList(col);
    editChoices_ = SplitChoiceList(list);
    editing_ = true;
    editRow_ = row;
    editCol_ = col;
    editText_ = At(row, col).text;
    selStart_ = 0;
    selLength_ = static_cast<int>(editText_.size());
    emit editStarted();
    return true;
}

void GridModel::SetEditText(const QString& text) {
    editText_ = text;
    selStart_ = static_cast<int>(text.size());
    selLength_ = 0;
    if (editing_)
        emit editTextSet();
}

void GridModel::SetEditSelection(int start, int length) {
    const int size = static_cast<int>(editText_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
}

void GridModel::EditorChanged(const QString& text, int selStart, int selLength) {
    const bool changed = text != editText_;
    editText_ = text;
    SetEditSelection(selStart, selLength);
    if (changed && editing_ && events_.ChangeEdit)
        events_.ChangeEdit(editRow_, editCol_);
}

int GridModel::FilterKey(int keyAscii) {
    if (editing_ && events_.KeyPressEdit)
        events_.KeyPressEdit(editRow_, editCol_, keyAscii);
    return keyAscii;
}

bool GridModel::TypeKey(QChar key) {
    if (!editing_)
        return false;
    const int taken = FilterKey(key.unicode());
    if (taken == 0 || !editing_)
        return false;
    QString text = editText_;
    int caret = selStart_;
    if (taken == 8) {
        if (selLength_ > 0) {
            text.remove(selStart_, selLength_);
        } else if (selStart_ > 0) {
            text.remove(selStart_ - 1, 1);
            --caret;
        }
    } else {
        text.replace(selStart_, selLength_, QChar(taken));
        ++caret;
    }
    EditorChanged(text, caret, 0);
    return true;
}

void GridModel::TypeText(const QString& text) {
    for (const QChar ch : text)
        TypeKey(ch);
}

void GridModel::EndEditState() {
    editing_ = false;
    editChoices_.clear();
    emit editEnded();
}

bool GridModel::CommitEdit() {
    if (!editing_)
        return true;
    const int row = editRow_;
    const int col = editCol_;
    bool cancel = false;
    if (events_.ValidateEdit)
        events_.ValidateEdit(row, col, cancel);
    if (!editing_)
        return true;  // a handler ended the edit itself
    if (cancel)
        return false;
    const QString text = editText_;
    EndEditState();
    if (row < rows_ && col < cols_)
        SetTextMatrix(row, col, text);
    if (events_.AfterEdit)
        events_.AfterEdit(row, col);
    return true;
}

void GridModel::CancelEdit() {
    if (editing_)
        EndEditState();
}

bool GridModel::ToggleCheck(int row, int col) {
    CheckCell(row, col);
    if (editing_ && !CommitEdit())
        return false;
    const int state = CellChecked(row, col);
    if (state == NoCheckBox || !editable_ || IsFixedCell(row, col))
        return false;
    SetCurrentCell(row, col);
    bool cancel = false;
    if (events_.BeforeEdit)
        events_.BeforeEdit(row, col, cancel);
    if (cancel)
        return false;
    editing_ = true;
    editRow_ = row;
    editCol_ = col;
    editText_.clear();
    if (events_.ValidateEdit)
        events_.ValidateEdit(row, col, cancel);
    editing_ = false;
    if (cancel || row >= rows_ || col >= cols_)
        return false;
    SetCellChecked(row, col, state == Checked ? Unchecked : Checked);
    if (events_.AfterEdit)
        events_.AfterEdit(row, col);
    return true;
}

}  // namespace mt52
