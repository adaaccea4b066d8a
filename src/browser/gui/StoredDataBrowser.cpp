#include "browser/gui/StoredDataBrowser.h"

#include "browser/ListExport.h"
#include "browser/RecordDeletion.h"
#include "browser/gui/frmPassword.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "link/gui/frmUpload.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "platform/gui/TreeColumns.h"
#include "records/TrendAlarmJudgement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace mt52 {

namespace {

constexpr int KeyRole = Qt::UserRole;

// List items sort by their first column's text without regard to case.
class ListItem final : public QTreeWidgetItem {
public:
    explicit ListItem(const QStringList& texts) : QTreeWidgetItem(texts) {}
    bool operator<(const QTreeWidgetItem& other) const override {
        return QString::compare(text(0), other.text(0), Qt::CaseInsensitive) < 0;
    }
};

void SetEnabled(QWidget* widget, bool enabled) {
    if (widget)
        widget->setEnabled(enabled);
}

}  // namespace

BrowserIcons::BrowserIcons() {
    QStyle* style = QApplication::style();
    closedFolder_ = style->standardIcon(QStyle::SP_DirClosedIcon);
    openFolder_ = style->standardIcon(QStyle::SP_DirOpenIcon);
    root_ = style->standardIcon(QStyle::SP_ComputerIcon);
    entry_ = style->standardIcon(QStyle::SP_FileIcon);
}

const QIcon& BrowserIcons::Of(const QString& key) const {
    if (key == ClosedFolderIcon)
        return closedFolder_;
    if (key == OpenFolderIcon)
        return openFolder_;
    if (key == RootIcon)
        return root_;
    return entry_;
}

StoredDataBrowser::StoredDataBrowser(StoredDataControls controls, StoredDataServices services, QObject* parent)
    : QObject(parent), c_(controls), s_(std::move(services)) {
    if (!s_.JudgeTrendAlarm) {
        // The detail reads only the readings, which do not depend on the decimals.
        s_.JudgeTrendAlarm = [](Long seqNo) { return JudgeTrendAlarm(seqNo, {}).AlarmTimeReadings; };
    }
    if (c_.tvwLog) {
        c_.tvwLog->setIndentation(TwipsToPixels(100));
        c_.tvwLog->viewport()->installEventFilter(this);
        connect(c_.tvwLog, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { tvwLog_NodeClick(item); });
        connect(c_.tvwLog, &QTreeWidget::itemExpanded, this,
                [this](QTreeWidgetItem* item) { FillTreeChildren(tree_.IndexOf(KeyOf(item))); });
        connect(c_.tvwLog, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
            // Folders show open while selected.
            if (before && before->parent())
                before->setIcon(0, icons_.Of(ClosedFolderIcon));
            if (now && now->parent())
                now->setIcon(0, icons_.Of(OpenFolderIcon));
        });
    }
    for (int i = 0; i < 3; ++i)
        if (QCheckBox* box = c_.chkLog[static_cast<std::size_t>(i)])
            connect(box, &QCheckBox::clicked, this, [this, i] { chkLog_Click(i); });
    if (c_.lvwLog) {
        c_.lvwLog->setRootIsDecorated(false);
        c_.lvwLog->setSortingEnabled(false);
        // Every row has one line of text and the same small icon; the view need not measure
        // each of thousands of rows to lay them out.
        c_.lvwLog->setUniformRowHeights(true);
        c_.lvwLog->header()->setSectionsClickable(true);
        c_.lvwLog->viewport()->installEventFilter(this);
        connect(c_.lvwLog->header(), &QHeaderView::sectionClicked, this, [this] { lvwLog_ColumnClick(); });
        connect(c_.lvwLog, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lvwLog_ItemClick(item); });
    }
    if (c_.cmdListCSV)
        connect(c_.cmdListCSV, &QPushButton::clicked, this, [this] { cmdListCSV_Click(); });
    if (c_.cmdLogInst)
        connect(c_.cmdLogInst, &QPushButton::clicked, this, [this] { cmdLogInst_Click(); });
    if (c_.cmdDetail)
        connect(c_.cmdDetail, &QPushButton::clicked, this, [this] {
            if (s_.OpenDetail)
                s_.OpenDetail();
        });
    if (c_.mnuDelete)
        connect(c_.mnuDelete, &QAction::triggered, this, [this] { mnuDelete_Click(); });
}

QString StoredDataBrowser::KeyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, KeyRole).toString() : QString();
}

QTreeWidgetItem* StoredDataBrowser::TreeNode(const QString& key) {
    const int index = tree_.IndexOf(key);
    return index < 0 ? nullptr : TreeItemOf(index);
}

QTreeWidgetItem* StoredDataBrowser::ListItem(const QString& key) const {
    if (!c_.lvwLog)
        return nullptr;
    for (int i = 0; i < c_.lvwLog->topLevelItemCount(); ++i)
        if (KeyOf(c_.lvwLog->topLevelItem(i)) == key)
            return c_.lvwLog->topLevelItem(i);
    return nullptr;
}

// --- Tree -------------------------------------------------------------------------------------------

LogGrouping StoredDataBrowser::Grouping() const {
    auto ticked = [this](int i) {
        const QCheckBox* box = c_.chkLog[static_cast<std::size_t>(i)];
        return box && box->isChecked();
    };
    return {ticked(0), ticked(1), ticked(2), State().ExtendedMode};
}

void StoredDataBrowser::BuildLogTree() {
    if (s_.LogTreeDirty && *s_.LogTreeDirty) {
        Database db(State().DatabasePath);
        tree_ = LogTree::Load(db, Grouping());
        FillTree();
        *s_.LogTreeDirty = false;
    }
    if (c_.tvwLog)
        c_.tvwLog->viewport()->update();
}

void StoredDataBrowser::FillTree() {
    treeItems_.clear();
    if (!c_.tvwLog)
        return;
    QTreeWidget& view = *c_.tvwLog;
    view.clear();
    view.setIndentation(TwipsToPixels(100));
    treeItems_.assign(static_cast<std::size_t>(tree_.Count()), nullptr);
    if (tree_.Count() == 0)
        return;
    QTreeWidgetItem* root = MakeTreeItem(0);
    treeItems_.front() = root;
    view.addTopLevelItem(root);
    FillTreeChildren(0);
    root->setExpanded(true);
}

QTreeWidgetItem* StoredDataBrowser::MakeTreeItem(int index) const {
    const LogTree::Node& node = tree_.At(index);
    auto* item = new QTreeWidgetItem(QStringList{node.Text});
    item->setData(0, KeyRole, node.Key);
    item->setIcon(0, icons_.Of(node.Parent < 0 ? RootIcon : ClosedFolderIcon));
    // The expand mark of a folder whose children are made when it opens.
    if (!node.Children.empty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void StoredDataBrowser::FillTreeChildren(int index) {
    if (index < 0 || index >= static_cast<int>(treeItems_.size()))
        return;
    QTreeWidgetItem* parent = treeItems_[static_cast<std::size_t>(index)];
    const std::vector<int>& children = tree_.At(index).Children;
    if (!parent || children.empty() || treeItems_[static_cast<std::size_t>(children.front())])
        return;
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(children.size()));
    for (int child : children) {
        QTreeWidgetItem* item = MakeTreeItem(child);
        treeItems_[static_cast<std::size_t>(child)] = item;
        items.append(item);
    }
    parent->addChildren(items);
}

QTreeWidgetItem* StoredDataBrowser::TreeItemOf(int index) {
    if (index < 0 || index >= static_cast<int>(treeItems_.size()))
        return nullptr;
    if (!treeItems_[static_cast<std::size_t>(index)]) {
        const int parent = tree_.At(index).Parent;
        if (parent < 0 || !TreeItemOf(parent))
            return nullptr;
        FillTreeChildren(parent);
    }
    return treeItems_[static_cast<std::size_t>(index)];
}

void StoredDataBrowser::RefreshLogPage() {
    for (QWidget* widget : {static_cast<QWidget*>(c_.tvwLog), static_cast<QWidget*>(c_.lvwLog),
                            static_cast<QWidget*>(c_.vfgLog)})
        if (widget)
            widget->update();
}

void StoredDataBrowser::chkLog_Click(int) {
    if (State().DatabasePath.isEmpty())
        return;
    auto enable = [this](bool on) {
        for (QCheckBox* box : c_.chkLog)
            SetEnabled(box, on);
        if (s_.EnablePageButtons)
            s_.EnablePageButtons(on);
    };
    enable(false);
    struct Reenable {
        std::function<void(bool)> f;
        ~Reenable() { f(true); }
    } reenable{enable};
    if (s_.LogTreeDirty)
        *s_.LogTreeDirty = true;
    BuildLogTree();
    if (c_.tvwLog && !c_.tvwLog->currentItem() && c_.tvwLog->topLevelItemCount() > 0)
        c_.tvwLog->setCurrentItem(c_.tvwLog->topLevelItem(0));
    if (c_.tvwLog && c_.tvwLog->currentItem())
        tvwLog_NodeClick(c_.tvwLog->currentItem());
}

void StoredDataBrowser::tvwLog_NodeClick(QTreeWidgetItem* node) {
    if (!node)
        return;
    ShowLogNodeList(KeyOf(node));
    const int count = c_.lvwLog ? c_.lvwLog->topLevelItemCount() : 0;
    if (count > 0) {
        const QString first = KeyOf(c_.lvwLog->topLevelItem(0));
        ShowLogDetail(first);
        SetCurrentFromKey(first);
    }
    SetEnabled(c_.cmdListCSV, count > 0);
}

void StoredDataBrowser::tvwLog_MouseDown(Qt::MouseButton button, const QPoint& position) {
    QTreeWidgetItem* node = c_.tvwLog ? c_.tvwLog->itemAt(position) : nullptr;
    if (!node)
        return;
    if (button == Qt::RightButton) {
        c_.tvwLog->setCurrentItem(node);
        ShowLogNodeList(KeyOf(node));
        PopupDelete(KeyOf(node));
        return;
    }
    pressedLogKey_ = KeyOf(node);
}

// --- List -------------------------------------------------------------------------------------------

void StoredDataBrowser::ShowLogNodeList(const QString& key) {
    Database db(State().DatabasePath);
    const std::optional<LogListing> listing = ListLogNode(tree_, key, db);
    if (!listing)
        return;
    ApplyListing(*listing);
    const bool entries = listing->ListKind == LogListing::Kind::Entries;
    if (entries && !listing->FoundRows) {
        ShowFallbackDetail();
        return;
    }
    if (entries && listing->Items.empty()) {
        ShowFallbackDetail();
    } else if (!listing->Items.empty()) {
        c_.lvwLog->setCurrentItem(c_.lvwLog->topLevelItem(0));
    } else {
        return;  // a folder without children: only the column headers
    }
    currentLogType_ = 0;
    currentSeqNo_ = 0;
}

void StoredDataBrowser::ApplyListing(const LogListing& listing) {
    if (!c_.lvwLog)
        return;
    QTreeWidget& list = *c_.lvwLog;
    list.clear();
    QStringList captions;
    for (const LogListColumn& column : listing.Columns)
        captions << column.Caption;
    list.setColumnCount(static_cast<int>(captions.size()));
    list.setHeaderLabels(captions);
    const int width = list.viewport()->width() > 0 ? list.viewport()->width() : list.width();
    for (int i = 0; i < static_cast<int>(listing.Columns.size()); ++i)
        list.setColumnWidth(i, static_cast<int>(width * listing.Columns[static_cast<std::size_t>(i)].Width));
    // The rows are made apart from the view and handed over at once, with drawing held back.
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(listing.Items.size()));
    for (const LogListItem& entry : listing.Items) {
        QStringList texts;
        texts.reserve(entry.Cells.size() + 1);
        texts << entry.Text << entry.Cells;
        auto* item = new class ListItem(texts);
        item->setData(0, KeyRole, entry.Key);
        item->setIcon(0, icons_.Of(entry.SmallIcon));
        items.append(item);
    }
    const bool updates = list.updatesEnabled();
    list.setUpdatesEnabled(false);
    list.addTopLevelItems(items);
    list.setUpdatesEnabled(updates);
    WidenTreeColumnsToText(list);
    listSorted_ = listing.Sorted;
    listAscending_ = true;
    list.viewport()->update();
}

void StoredDataBrowser::ShowFallbackDetail() {
    if (c_.vfgLog) {
        GridModel& grid = c_.vfgLog->Model();
        grid.Clear();
        grid.SetCols(2);
        grid.SetRows(2);
        grid.SetTextMatrix(0, 0, GetResText(5604));
        grid.SetTextMatrix(0, 1, GetResText(5605));
        grid.SetTextMatrix(1, 0, GetResText(5622));
        grid.SetTextMatrix(1, 1, GetResText(5623));
    }
    EnableEntryButtons(false);
}

void StoredDataBrowser::EnableEntryButtons(bool enabled) {
    SetEnabled(c_.cmdDetail, enabled);
    SetEnabled(c_.cmdLogInst, enabled);
}

void StoredDataBrowser::ShowLogDetail(const QString& key) {
    if (!c_.vfgLog)
        return;
    Database db(State().DatabasePath);
    const LogDetailShown shown = mt52::ShowLogDetail(c_.vfgLog->Model(), db, key, s_.JudgeTrendAlarm);
    if (shown.IsEntry) {
        currentLogType_ = shown.LogType;
        currentSeqNo_ = shown.SeqNo;
    }
    EnableEntryButtons(shown.ButtonsEnabled);
    c_.vfgLog->Refresh();
}

void StoredDataBrowser::SetCurrentFromKey(const QString& key) {
    if (const RecordKind* kind = KindOfEntryLetter(LastWord(key))) {
        currentLogType_ = kind->LogType;
        currentSeqNo_ = LeadingNumber(key);
    }
}

void StoredDataBrowser::lvwLog_ColumnClick() {
    if (!c_.lvwLog)
        return;
    listAscending_ = listSorted_ ? !listAscending_ : true;
    listSorted_ = true;
    c_.lvwLog->sortItems(0, listAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void StoredDataBrowser::lvwLog_ItemClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QString key = KeyOf(item);
    ShowLogDetail(key);
    SetCurrentFromKey(key);
}

void StoredDataBrowser::lvwLog_MouseDown(Qt::MouseButton button, const QPoint& position) {
    QTreeWidgetItem* item = c_.lvwLog ? c_.lvwLog->itemAt(position) : nullptr;
    if (!item)
        return;
    if (button == Qt::RightButton) {
        ShowLogDetail(KeyOf(item));
        c_.lvwLog->setCurrentItem(item);
        PopupDelete(KeyOf(item));
        return;
    }
    pressedLogKey_ = KeyOf(item);
}

void StoredDataBrowser::lvwLog_DblClick() {
    if (pressedLogKey_.isEmpty())
        return;
    try {
        const QString letter = LastWord(pressedLogKey_);
        if (IsGroupingLetter(letter) || IsKindFolderLetter(letter)) {
            if (QTreeWidgetItem* node = TreeNode(pressedLogKey_); node && node->parent())
                node->parent()->setExpanded(true);
            ShowLogNodeList(pressedLogKey_);
            if (c_.lvwLog && c_.lvwLog->topLevelItemCount() > 0)
                ShowLogDetail(KeyOf(c_.lvwLog->topLevelItem(0)));
        } else if (currentLogType_ != 0 && currentSeqNo_ != 0 && s_.OpenDetail) {
            s_.OpenDetail();
        }
    } catch (const RuntimeError&) {
        // A double click that fails ends quietly, keeping what it did.
    }
}

bool StoredDataBrowser::eventFilter(QObject* watched, QEvent* event) {
    const bool onTree = c_.tvwLog && watched == c_.tvwLog->viewport();
    const bool onList = c_.lvwLog && watched == c_.lvwLog->viewport();
    if (!onTree && !onList)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint position = mouse->position().toPoint();
        if (onTree)
            tvwLog_MouseDown(mouse->button(), position);
        else
            lvwLog_MouseDown(mouse->button(), position);
        // The right button is handled here alone: the views do not move their selection again.
        return mouse->button() == Qt::RightButton;
    }
    if (onList && event->type() == QEvent::MouseButtonDblClick) {
        lvwLog_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- Export and stored instrument --------------------------------------------------------------------

void StoredDataBrowser::cmdListCSV_Click() {
    if (!c_.lvwLog)
        return;
    const QString last = s_.LastExportFile ? *s_.LastExportFile : QString();
    const QString proposed = ProposedListExportPath(last, State().StartDir);
    FileDialogRequest request;
    request.filter = QStringLiteral("Comma csv (*.csv);;ALL (*)");
    request.directory = QFileInfo(proposed).path();
    request.fileName = QFileInfo(proposed).fileName();
    const std::optional<QString> path = Dialogs().SaveFileName(request);
    if (!path)
        return;  // cancelled: nothing to say

    QStringList captions;
    for (int col = 0; col < c_.lvwLog->columnCount(); ++col)
        captions << c_.lvwLog->headerItem()->text(col);
    std::vector<QStringList> rows;
    for (int i = 0; i < c_.lvwLog->topLevelItemCount(); ++i) {
        QStringList row;
        for (int col = 0; col < c_.lvwLog->columnCount(); ++col)
            row << c_.lvwLog->topLevelItem(i)->text(col);
        rows.push_back(row);
    }

    const Long previousBusy = State().BusyState;
    State().BusyState = 8;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = false;
    QString error;
    {
        frmUpload progress;
        progress.show();
        written = WriteExportFile(*path, ListExportText(captions, rows), error);
        progress.Unload();
    }
    QApplication::restoreOverrideCursor();
    State().BusyState = previousBusy == 8 ? 0 : previousBusy;
    if (!written) {
        MsgBox(GetResText(5384, {*path, error}), vbOKOnly | vbCritical, GetResText(5385));
        return;
    }
    if (s_.LastExportFile)
        *s_.LastExportFile = *path;
}

void StoredDataBrowser::cmdLogInst_Click() {
    const bool selected = c_.lvwLog && c_.lvwLog->currentItem() && c_.lvwLog->currentItem()->isSelected();
    if (!selected || currentLogType_ == 0) {
        MsgBox(GetResText(5359), vbOKOnly | vbInformation, GetResText(5360));
        return;
    }
    if (s_.ShowStoredInstrument)
        s_.ShowStoredInstrument();
}

// --- Deletion -----------------------------------------------------------------------------------------

void StoredDataBrowser::PopupDelete(const QString& key) {
    deleteTag_ = key;
    if (c_.mnuDelete)
        c_.mnuDelete->setData(key);
    if (s_.PopupDeleteMenu)
        s_.PopupDeleteMenu();
    else if (c_.mnuLog)
        c_.mnuLog->popup(QCursor::pos());
}

void StoredDataBrowser::mnuDelete_Click() {
    State().PasswordPassed = false;
    const bool passed = s_.AskPassword ? s_.AskPassword()
                                       : frmPassword::Ask(State().LockPassword, State().CommonFont,
                                                          c_.tvwLog ? c_.tvwLog->window() : nullptr);
    State().PasswordPassed = passed;
    if (!passed || deleteTag_.isEmpty())
        return;
    const QString key = deleteTag_;
    const QString letter = LastWord(key);
    try {
        if (letter == NodeLetter::Root)
            DeleteEverything();
        else if (IsGroupingLetter(letter) || IsKindFolderLetter(letter))
            DeleteFolder(key);
        else if (const RecordKind* kind = KindOfEntryLetter(letter))
            DeleteEntry(key, kind->LogType, LeadingNumber(key));
    } catch (const RuntimeError& e) {
        MsgBox(GetResText(5381, {e.description()}), vbOKOnly | vbCritical, GetResText(5382));
    }
}

void StoredDataBrowser::DeleteEntry(const QString& key, Long logType, Long seqNo) {
    QTreeWidgetItem* item = ListItem(key);
    const QString name = item ? item->text(0) : QString();
    if (MsgBox(GetResText(5327, {name}), vbYesNo | vbQuestion, GetResText(5328)) != vbYes)
        return;
    Database db(State().DatabasePath);
    const DeletionOutcome outcome = DeleteLogEntry(db, logType, seqNo);
    delete ListItem(key);
    if (c_.lvwLog)
        c_.lvwLog->viewport()->update();
    ReportUndeletedFiles(outcome.FilesNotDeleted);
}

void StoredDataBrowser::DeleteFolder(const QString& key) {
    if (MsgBox(GetResText(5339), vbYesNo | vbQuestion, GetResText(5340)) != vbYes)
        return;
    const std::optional<LogNodeCondition> condition = tree_.Condition(key);
    if (!condition)
        return;
    // The parent's place in the tree, so that the rebuilt tree shows the same place again.
    const int index = tree_.IndexOf(key);
    const int parentIndex = index >= 0 ? tree_.At(index).Parent : -1;
    DeletionOutcome outcome;
    {
        Database db(State().DatabasePath);
        outcome = DeleteLogFolder(db, *condition);
    }
    if (s_.LogTreeDirty)
        *s_.LogTreeDirty = true;
    BuildLogTree();
    if (parentIndex < 0 || parentIndex >= tree_.Count()) {
        ShowLogNodeList(RootNodeKey);
    } else {
        const QString parentKey = tree_.At(parentIndex).Key;
        if (QTreeWidgetItem* node = TreeNode(parentKey))
            c_.tvwLog->setCurrentItem(node);
        ShowLogNodeList(parentKey);
    }
    ReportUndeletedFiles(outcome.FilesNotDeleted);
}

void StoredDataBrowser::DeleteEverything() {
    if (MsgBox(GetResText(5317), vbYesNo | vbQuestion, GetResText(5318)) != vbYes)
        return;
    DeletionOutcome outcome;
    {
        Database db(State().DatabasePath);
        outcome = DeleteAllLogs(db);
    }
    if (s_.LogTreeDirty)
        *s_.LogTreeDirty = true;
    BuildLogTree();
    ShowLogNodeList(RootNodeKey);
    ReportUndeletedFiles(outcome.FilesNotDeleted);
}

void StoredDataBrowser::ReportUndeletedFiles(const QStringList& files) {
    if (!files.isEmpty())
        MsgBox(GetResText(5383, {files.join(QStringLiteral("\r\n"))}), vbOKOnly | vbExclamation, GetResText(5382));
}

}  // namespace mt52
