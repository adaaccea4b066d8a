#include "platform/gui/GridView.h"

#include "platform/ColumnWidths.h"
#include "platform/Twips.h"
#include "platform/gui/QtUserDialogs.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QResizeEvent>
#include <QTimer>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace mt52 {
namespace {

Qt::Alignment ToQtAlignment(int code) {
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int c = std::clamp(code, 0, 8);
    return horizontal[c / 3] | vertical[c % 3];
}

}  // namespace

// Presents the grid model to the table view.
class GridView::ItemModel final : public QAbstractTableModel {
public:
    ItemModel(const GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const int r = index.row();
        const int c = index.column();
        if (!index.isValid() || r >= grid_.Rows() || c >= grid_.Cols())
            return {};
        switch (role) {
        case Qt::DisplayRole: return grid_.TextMatrix(r, c);
        case Qt::BackgroundRole: return QBrush(ToQColor(grid_.DrawnBackColor(r, c)));
        case Qt::ForegroundRole: return QBrush(ToQColor(grid_.DrawnForeColor(r, c)));
        case Qt::FontRole: return ToQFont(grid_.CellFont(r, c));
        case Qt::TextAlignmentRole: return QVariant::fromValue(ToQtAlignment(grid_.DrawnAlignment(r, c)));
        case Qt::CheckStateRole:
            switch (grid_.CellChecked(r, c)) {
            case Checked: return Qt::Checked;
            case Unchecked: return Qt::Unchecked;
            default: return {};
            }
        default: return {};
        }
    }

    // Takes the model's size; the view forgets everything it drew.
    void Reset() {
        beginResetModel();
        rows_ = grid_.Rows();
        cols_ = grid_.Cols();
        endResetModel();
    }

    bool SizeMatches() const { return rows_ == grid_.Rows() && cols_ == grid_.Cols(); }

    void CellsChanged(int row1, int col1, int row2, int col2) {
        row2 = std::min(row2, rows_ - 1);
        col2 = std::min(col2, cols_ - 1);
        if (row1 > row2 || col1 > col2)
            return;
        emit dataChanged(index(row1, col1), index(row2, col2));
    }

private:
    const GridModel& grid_;
    int rows_ = 0;
    int cols_ = 0;
};

// The fixed rows of the grid alone, for the copy that stays at the top while the grid scrolls.
class GridView::FixedRowsModel final : public QAbstractTableModel {
public:
    FixedRowsModel(QAbstractTableModel& items, QObject* parent) : QAbstractTableModel(parent), items_(items) {
        connect(&items_, &QAbstractItemModel::modelReset, this, [this] { Reset(fixed_); });
        connect(&items_, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    if (topLeft.row() < fixed_ && cols_ > 0)
                        emit dataChanged(index(topLeft.row(), 0),
                                         index(std::min(bottomRight.row(), fixed_ - 1), cols_ - 1));
                });
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : fixed_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= fixed_ || index.column() >= cols_)
            return {};
        return items_.data(items_.index(index.row(), index.column()), role);
    }

    void Reset(int fixed) {
        beginResetModel();
        fixed_ = std::min(fixed, items_.rowCount({}));
        cols_ = items_.columnCount({});
        endResetModel();
    }
    int Fixed() const { return fixed_; }

private:
    QAbstractTableModel& items_;
    int fixed_ = 0;
    int cols_ = 0;
};

GridView::GridView(QWidget* parent)
    : QTableView(parent),
      grid_(new GridModel(this)),
      items_(new ItemModel(*grid_, this)),
      fixedItems_(new FixedRowsModel(*items_, this)),
      fixedRows_(new QTableView(this)) {
    setModel(items_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);

    fixedRows_->setModel(fixedItems_);
    fixedRows_->horizontalHeader()->hide();
    fixedRows_->verticalHeader()->hide();
    fixedRows_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixedRows_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixedRows_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedRows_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedRows_->setSelectionMode(QAbstractItemView::NoSelection);
    fixedRows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixedRows_->setFocusPolicy(Qt::NoFocus);
    fixedRows_->setFrameShape(QFrame::NoFrame);
    fixedRows_->setWordWrap(false);
    fixedRows_->hide();
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, fixedRows_->horizontalScrollBar(), &QScrollBar::setValue);

    connect(grid_, &GridModel::structureChanged, this, [this] {
        if (grid_->Redraw())
            ApplyStructure();
    });
    connect(grid_, &GridModel::cellsChanged, this, [this](int r1, int c1, int r2, int c2) {
        if (!grid_->Redraw())
            return;
        items_->CellsChanged(r1, c1, r2, c2);
        if (grid_->MergeCells() != MergeNever)
            ScheduleSpans();
        ScheduleColumns();
    });
    connect(grid_, &GridModel::columnsChanged, this, [this] {
        if (grid_->Redraw())
            ApplyColumns();
    });
    connect(grid_, &GridModel::mergesChanged, this, [this] {
        if (grid_->Redraw())
            ScheduleSpans();
    });
    connect(grid_, &GridModel::currentCellChanged, this, [this] { ApplyCurrentCell(); });
    connect(grid_, &GridModel::topRowChanged, this, [this] { ApplyTopRow(); });
    connect(grid_, &GridModel::refreshRequested, this, &GridView::Refresh);
    connect(grid_, &GridModel::editStarted, this, &GridView::OpenEditor);
    connect(grid_, &GridModel::editTextSet, this, &GridView::ShowEditText);
    connect(grid_, &GridModel::editEnded, this, &GridView::CloseEditor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        UpdateFixedRows();
        if (syncing_)
            return;
        // The first scrolling row in sight is the one below the fixed rows.
        const int top = rowAt(0);
        if (top >= 0)
            grid_->ViewScrolled(top + ShownFixedRows());
    });
    ApplyStructure();
}

GridView::~GridView() {
    // The editor's focus loss must not reach a half-destroyed view.
    if (lineEditor_)
        lineEditor_->removeEventFilter(this);
    if (comboEditor_)
        comboEditor_->removeEventFilter(this);
}

// --- Drawing --------------------------------------------------------------------------------

void GridView::ApplyStructure() {
    setFont(ToQFont(grid_->Font()));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    items_->Reset();
    fixedItems_->Reset(grid_->FixedRows());
    fixedRows_->setFont(font());
    fixedRows_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    ApplyColumns();
    ApplySpans();
    ApplyCurrentCell();
    ApplyTopRow();
}

void GridView::ApplyColumns() {
    columnsPending_ = false;
    const std::vector<int> widths = DrawnColumnWidths();
    for (int c = 0; c < grid_->Cols(); ++c) {
        const int width = grid_->ColWidth(c);
        const bool hidden = grid_->ColHidden(c) || width <= 0;
        setColumnHidden(c, hidden);
        fixedRows_->setColumnHidden(c, hidden);
        if (!hidden) {
            setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
            fixedRows_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        }
    }
    UpdateFixedRows();
}

std::vector<int> GridView::DrawnColumnWidths() const {
    const int cols = grid_->Cols();
    std::vector<int> least(static_cast<std::size_t>(cols), 0);
    for (int c = 0; c < cols; ++c) {
        if (!grid_->ColHidden(c) && grid_->ColWidth(c) > 0)
            least[static_cast<std::size_t>(c)] = TwipsToPixels(grid_->ColWidth(c));
    }
    if (!widenColumns_ || cols == 0)
        return least;
    // The fixed rows and the first rows below them are measured: the rows of one grid hold
    // texts of one kind. Texts of merged cells spanning several columns do not widen one column.
    const int rows = std::min(grid_->Rows(), grid_->FixedRows() + 300);
    std::vector<bool> merged(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), false);
    const std::vector<GridRange> ranges = grid_->MergedRanges();
    for (const GridRange& r : ranges) {
        if (r.ColCount() < 2)
            continue;
        for (int row = std::max(0, r.row1); row <= r.row2 && row < rows; ++row)
            for (int col = r.col1; col <= r.col2 && col < cols; ++col)
                merged[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(col)] = true;
    }
    std::vector<int> needed(static_cast<std::size_t>(cols), 0);
    for (int c = 0; c < cols; ++c) {
        if (least[static_cast<std::size_t>(c)] > 0)
            needed[static_cast<std::size_t>(c)] = TextWidthOfColumn(c, rows, merged);
    }
    // A merged cell's text that its columns together cannot hold widens the last of them that
    // shows: a merge that runs on into hidden columns (the hidden gas columns of a summary)
    // widens the last column in sight, not a hidden one.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    for (const GridRange& r : ranges) {
        if (r.ColCount() < 2 || r.row1 < 0 || r.row1 >= rows || r.col1 < 0 || r.col2 >= cols)
            continue;
        const QString text = grid_->TextMatrix(r.row1, r.col1);
        if (text.isEmpty())
            continue;
        const int width = QFontMetrics(ToQFont(grid_->CellFont(r.row1, r.col1))).horizontalAdvance(text) + margin;
        int spanned = 0;
        int lastShown = -1;
        for (int c = r.col1; c <= r.col2; ++c) {
            spanned += least[static_cast<std::size_t>(c)];
            if (least[static_cast<std::size_t>(c)] > 0)
                lastShown = c;
        }
        if (lastShown < 0 || width <= spanned)
            continue;
        int& last = needed[static_cast<std::size_t>(lastShown)];
        last = std::max(last, least[static_cast<std::size_t>(lastShown)] + width - spanned);
    }
    return WidenedColumnWidths(least, needed, viewport()->width(), OverflowWidening::ToText);
}

// The width a column needs for the widest text of its first `rows` rows in the cells' fonts,
// with the margins the cells draw their texts inside.
int GridView::TextWidthOfColumn(int col, int rows, const std::vector<bool>& merged) const {
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    const int cols = grid_->Cols();
    std::vector<std::pair<FontSpec, QFontMetrics>> metrics;
    int widest = 0;
    for (int r = 0; r < rows; ++r) {
        if (merged[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(col)])
            continue;
        const QString text = grid_->TextMatrix(r, col);
        if (text.isEmpty())
            continue;
        const FontSpec font = grid_->CellFont(r, col);
        auto found = std::find_if(metrics.begin(), metrics.end(), [&font](const auto& m) { return m.first == font; });
        if (found == metrics.end()) {
            metrics.emplace_back(font, QFontMetrics(ToQFont(font)));
            found = metrics.end() - 1;
        }
        widest = std::max(widest, found->second.horizontalAdvance(text));
    }
    return widest > 0 ? widest + margin : 0;
}

void GridView::WidenColumnsToText(bool on) {
    widenColumns_ = on;
    ApplyColumns();
}

// Texts changed: the columns are widened again once the fill has ended.
void GridView::ScheduleColumns() {
    if (!widenColumns_ || columnsPending_)
        return;
    columnsPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (columnsPending_)
            ApplyColumns();
    });
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (widenColumns_ && event->size().width() != event->oldSize().width())
        ApplyColumns();
}

void GridView::ApplySpans() {
    spansPending_ = false;
    clearSpans();
    fixedRows_->clearSpans();
    const int fixed = fixedItems_->Fixed();
    for (const GridRange& r : grid_->MergedRanges()) {
        setSpan(r.row1, r.col1, r.RowCount(), r.ColCount());
        if (r.row1 < fixed)
            fixedRows_->setSpan(r.row1, r.col1, std::min(r.row2, fixed - 1) - r.row1 + 1, r.ColCount());
    }
}

void GridView::ScheduleSpans() {
    if (spansPending_)
        return;
    spansPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (spansPending_)
                ApplySpans();
        },
        Qt::QueuedConnection);
}

void GridView::ApplyCurrentCell() {
    const int r = grid_->Row();
    const int c = grid_->Col();
    if (r < 0 || c < 0 || !items_->SizeMatches())
        return;
    syncing_ = true;
    setCurrentIndex(items_->index(r, c));
    syncing_ = false;
}

void GridView::updateGeometries() {
    const bool wasSyncing = syncing_;
    syncing_ = true;
    QTableView::updateGeometries();
    const int value = std::max(0, grid_->TopRow() - ShownFixedRows());
    if (value <= verticalScrollBar()->maximum())
        verticalScrollBar()->setValue(value);
    syncing_ = wasSyncing;
    UpdateFixedRows();
}

bool GridView::event(QEvent* event) {
    if (event->type() != QEvent::Show)
        return QTableView::event(event);
    const bool wasSyncing = syncing_;
    syncing_ = true;
    const bool handled = QTableView::event(event);
    ApplyTopRow();
    syncing_ = wasSyncing;
    return handled;
}

void GridView::ApplyTopRow() {
    syncing_ = true;
    // The top row is the first scrolling row shown below the fixed rows; the fixed rows'
    // copy covers the rows scrolled up under it.
    verticalScrollBar()->setValue(std::max(0, grid_->TopRow() - ShownFixedRows()));
    syncing_ = false;
}

int GridView::ShownFixedRows() const { return fixedItems_->Fixed(); }

int GridView::FixedRowsHeight() const {
    int height = 0;
    for (int r = 0; r < fixedItems_->Fixed(); ++r)
        height += rowHeight(r);
    return height;
}

void GridView::UpdateFixedRows() {
    if (fixedItems_->Fixed() == 0 || verticalScrollBar()->value() == 0) {
        fixedRows_->hide();
        return;
    }
    for (int r = 0; r < fixedItems_->Fixed(); ++r)
        fixedRows_->setRowHeight(r, rowHeight(r));
    const QRect area = viewport()->geometry();
    fixedRows_->setGeometry(area.left(), area.top(), area.width(), std::min(FixedRowsHeight(), area.height()));
    fixedRows_->horizontalScrollBar()->setRange(horizontalScrollBar()->minimum(), horizontalScrollBar()->maximum());
    fixedRows_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    fixedRows_->show();
    fixedRows_->raise();
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableView::scrollTo(index, hint);
    // A row scrolled to the top would lie under the fixed rows' copy: show it below them.
    const int fixed = ShownFixedRows();
    if (!index.isValid() || index.row() < fixed || verticalScrollBar()->value() == 0)
        return;
    if (rowViewportPosition(index.row()) < FixedRowsHeight())
        verticalScrollBar()->setValue(std::max(0, index.row() - fixed));
}

void GridView::Refresh() {
    if (!items_->SizeMatches()) {
        ApplyStructure();
        return;
    }
    items_->CellsChanged(0, 0, grid_->Rows() - 1, grid_->Cols() - 1);
    ApplyColumns();
    ApplySpans();
    viewport()->update();
}

int GridView::WidthTwips() const { return PixelsToTwips(width()); }

int GridView::HeightTwips() const { return PixelsToTwips(height()); }

void GridView::AutoSizeColumn(int col) {
    int widest = 0;
    for (int r = 0; r < grid_->Rows(); ++r) {
        const QFontMetrics metrics(ToQFont(grid_->CellFont(r, col)));
        widest = std::max(widest, metrics.horizontalAdvance(grid_->TextMatrix(r, col)));
    }
    grid_->SetColWidth(col, PixelsToTwips(widest + 8));
}

// --- User input -----------------------------------------------------------------------------

bool GridView::IsCheckCell(const QModelIndex& index) const {
    return index.isValid() && grid_->CellChecked(index.row(), index.column()) != NoCheckBox;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!syncing_ && current.isValid())
        grid_->SetCurrentCell(current.row(), current.column());
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex cell = currentIndex();
    if (cell.isValid()) {
        const int r = cell.row();
        const int c = cell.column();
        switch (event->key()) {
        case Qt::Key_F2:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            grid_->StartEdit(r, c);
            return;
        case Qt::Key_Space:
            if (IsCheckCell(cell)) {
                grid_->ToggleCheck(r, c);
                return;
            }
            break;
        default: break;
        }
        const QString typed = event->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
        if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // The typed character starts the edit and is its first key.
            if (grid_->StartEdit(r, c) && lineEditor_) {
                QKeyEvent copy(event->type(), event->key(), event->modifiers(), typed);
                QApplication::sendEvent(lineEditor_, &copy);
            }
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && IsCheckCell(cell))
        grid_->ToggleCheck(cell.row(), cell.column());
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && grid_->Events().Click)
        grid_->Events().Click();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (grid_->Events().DblClick)
        grid_->Events().DblClick();
    if (event->button() == Qt::LeftButton && cell.isValid() && !IsCheckCell(cell))
        grid_->StartEdit(cell.row(), cell.column());
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    // Focus coming back from the grid's own editor is no arrival.
    const bool fromEditor = event->reason() != Qt::ActiveWindowFocusReason && grid_->IsEditing();
    if (!fromEditor && grid_->Events().GotFocus)
        grid_->Events().GotFocus();
}

void GridView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    QWidget* next = QApplication::focusWidget();
    const bool toEditor = next && (next == lineEditor_ || next == comboEditor_);
    if (!toEditor && grid_->Events().LostFocus)
        grid_->Events().LostFocus();
}

// --- The editor -----------------------------------------------------------------------------

QWidget* GridView::Editor() const {
    if (lineEditor_)
        return lineEditor_;
    return comboEditor_;
}

void GridView::OpenEditor() {
    CloseEditor();
    const int r = grid_->EditRow();
    const int c = grid_->EditCol();
    const QModelIndex cell = items_->index(r, c);
    scrollTo(cell);
    const QRect place = visualRect(cell);
    const QFont font = ToQFont(grid_->CellFont(r, c));
    const QStringList choices = grid_->EditChoices();
    if (choices.isEmpty()) {
        lineEditor_ = new QLineEdit(viewport());
        lineEditor_->setFrame(false);
        lineEditor_->setFont(font);
        lineEditor_->setText(grid_->EditText());
        lineEditor_->selectAll();
        connect(lineEditor_, &QLineEdit::textEdited, this, [this] { ReportEditorState(); });
        lineEditor_->installEventFilter(this);
        lineEditor_->setGeometry(place);
        lineEditor_->show();
        lineEditor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    comboEditor_ = new QComboBox(viewport());
    comboEditor_->setFont(font);
    comboEditor_->addItems(choices);
    comboEditor_->setCurrentIndex(static_cast<int>(choices.indexOf(grid_->EditText())));
    connect(comboEditor_, &QComboBox::activated, this, [this](int index) {
        grid_->EditorChanged(comboEditor_->itemText(index), 0, 0);
        CommitFromEditor(true);
    });
    comboEditor_->installEventFilter(this);
    comboEditor_->setGeometry(place.adjusted(0, 0, 0, std::max(0, comboEditor_->sizeHint().height() - place.height())));
    comboEditor_->show();
    comboEditor_->setFocus(Qt::OtherFocusReason);
}

void GridView::CloseEditor() {
    QWidget* editor = Editor();
    if (!editor)
        return;
    const bool hadFocus = editor->hasFocus();
    editor->removeEventFilter(this);
    lineEditor_ = nullptr;
    comboEditor_ = nullptr;
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

void GridView::ShowEditText() {
    if (lineEditor_)
        lineEditor_->setText(grid_->EditText());
    else if (comboEditor_)
        comboEditor_->setCurrentIndex(static_cast<int>(comboEditor_->findText(grid_->EditText())));
}

void GridView::ReportEditorState() {
    if (!lineEditor_)
        return;
    const bool selection = lineEditor_->hasSelectedText();
    const int start = selection ? lineEditor_->selectionStart() : lineEditor_->cursorPosition();
    const int length = selection ? static_cast<int>(lineEditor_->selectedText().size()) : 0;
    grid_->EditorChanged(lineEditor_->text(), start, length);
}

bool GridView::CommitFromEditor(bool keepFocus) {
    if (committing_)
        return false;
    committing_ = true;
    if (lineEditor_)
        ReportEditorState();
    else if (comboEditor_)
        grid_->EditorChanged(comboEditor_->currentText(), 0, 0);
    const bool ended = grid_->CommitEdit();
    committing_ = false;
    if (!ended && keepFocus && Editor())
        Editor()->setFocus(Qt::OtherFocusReason);
    return ended;
}

bool GridView::FilterEditorKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        CommitFromEditor(true);
        return true;
    case Qt::Key_Escape:
        grid_->CancelEdit();
        return true;
    default: break;
    }
    if (!lineEditor_)
        return false;
    int key = 0;
    if (event->key() == Qt::Key_Backspace)
        key = 8;
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
        key = event->text().at(0).unicode();
    if (key == 0)
        return false;
    ReportEditorState();
    const int taken = grid_->FilterKey(key);
    if (taken == key)
        return false;  // the editor takes the key as typed
    if (taken != 0 && taken != 8 && lineEditor_) {
        lineEditor_->insert(QString(QChar(taken)));
        ReportEditorState();
    }
    return true;
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lineEditor_ && watched != comboEditor_)
        return QTableView::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return FilterEditorKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        // Opening the drop-down list takes the focus without leaving the edit.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            CommitFromEditor(false);
    }
    return false;
}

}  // namespace mt52
