#pragma once
// The stored-data page's behaviour on its controls: the record tree with its grouping boxes,
// the record list with its events and export, the detail grid, the Instrument button and the
// Delete command of the tree's and list's pop-up menu. It takes the controls it works on and
// a few services of its window; it owns no widget.
#include "browser/LogDetail.h"
#include "browser/LogList.h"
#include "browser/LogTree.h"
#include "platform/Types.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QMenu;
class QPoint;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mt52 {

class GridView;

// The controls of the stored-data page that the browser works on.
struct StoredDataControls {
    QTreeWidget* tvwLog = nullptr;
    std::array<QCheckBox*, 3> chkLog{};
    QTreeWidget* lvwLog = nullptr;
    GridView* vfgLog = nullptr;
    QPushButton* cmdDetail = nullptr;
    QPushButton* cmdListCSV = nullptr;
    QPushButton* cmdLogInst = nullptr;
    QMenu* mnuLog = nullptr;  // the pop-up holding mnuDelete
    QAction* mnuDelete = nullptr;
};

// What the browser needs of its window. Every hook may be left empty.
struct StoredDataServices {
    // Shared with the window: the tree must be rebuilt; the last file an export wrote.
    bool* LogTreeDirty = nullptr;
    QString* LastExportFile = nullptr;
    // Enables or disables the window's page buttons (Exit among them) during a rebuild.
    std::function<void(bool)> EnablePageButtons;
    // The Detail command: opens the data view of the current entry.
    std::function<void()> OpenDetail;
    // Shows the Instruments page with the stored instrument.
    std::function<void()> ShowStoredInstrument;
    // The alarm-time readings of an alarm-trend entry; defaults to judging its trend file.
    AlarmTimeJudge JudgeTrendAlarm;
    // Asks for the deletion password; true when it was given. Defaults to the password dialog.
    std::function<bool()> AskPassword;
    // Pops up the delete menu at the mouse. Defaults to the menu's popup at the cursor.
    std::function<void()> PopupDeleteMenu;
};

// The pictures of the tree and the list by their keys, made once: every node and row shares
// them, so filling the views never decodes an image.
class BrowserIcons {
public:
    BrowserIcons();
    const QIcon& Of(const QString& key) const;

private:
    QIcon closedFolder_;
    QIcon openFolder_;
    QIcon root_;
    QIcon entry_;
};

// The tree control shows the nodes of `Tree()` lazily: a folder's children are made when the
// folder is first expanded, or when one of them must be shown (`TreeNode`). Until then a
// folder with children shows the expand mark only.
class StoredDataBrowser : public QObject {
public:
    StoredDataBrowser(StoredDataControls controls, StoredDataServices services, QObject* parent = nullptr);

    // The entry the data view shows: its kind (0 none) and Log_Head.SeqNo.
    Long CurrentLogType() const { return currentLogType_; }
    Long CurrentSeqNo() const { return currentSeqNo_; }
    // The key of the last node or item pressed with another button than the right one.
    const QString& PressedLogKey() const { return pressedLogKey_; }
    // The key the Delete command works on.
    const QString& DeleteTag() const { return deleteTag_; }
    const LogTree& Tree() const { return tree_; }

    // Rebuilds the tree when it is marked dirty; repaints it always.
    void BuildLogTree();
    void RefreshLogPage();
    void chkLog_Click(int index);
    void tvwLog_NodeClick(QTreeWidgetItem* node);
    // A press on the tree at a point of its viewport.
    void tvwLog_MouseDown(Qt::MouseButton button, const QPoint& position);

    // Lists the node's contents in the list (folders or entries).
    void ShowLogNodeList(const QString& key);
    void ShowLogDetail(const QString& key);

    void lvwLog_ColumnClick();
    void lvwLog_ItemClick(QTreeWidgetItem* item);
    void lvwLog_MouseDown(Qt::MouseButton button, const QPoint& position);
    void lvwLog_DblClick();

    void cmdListCSV_Click();
    void cmdLogInst_Click();
    void mnuDelete_Click();

    // The list item and the tree node with a key; nullptr when there is none. The tree node
    // and the folders above it are made when they were not yet.
    QTreeWidgetItem* ListItem(const QString& key) const;
    QTreeWidgetItem* TreeNode(const QString& key);
    // The key of a tree node or list item.
    static QString KeyOf(const QTreeWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LogGrouping Grouping() const;
    void FillTree();
    // The tree item of a node of `tree_`, made (with its siblings) when it is not yet there.
    QTreeWidgetItem* TreeItemOf(int index);
    // Makes the items of a node's children when the node has none yet.
    void FillTreeChildren(int index);
    QTreeWidgetItem* MakeTreeItem(int index) const;
    void ApplyListing(const LogListing& listing);
    void ShowFallbackDetail();
    void SetCurrentFromKey(const QString& key);
    void EnableEntryButtons(bool enabled);
    void PopupDelete(const QString& key);
    void DeleteEntry(const QString& key, Long logType, Long seqNo);
    void DeleteFolder(const QString& key);
    void DeleteEverything();
    void ReportUndeletedFiles(const QStringList& files);

    StoredDataControls c_;
    StoredDataServices s_;
    BrowserIcons icons_;
    LogTree tree_;
    // The tree items by node index of `tree_`; nullptr for a node not made yet.
    std::vector<QTreeWidgetItem*> treeItems_;
    Long currentLogType_ = 0;
    Long currentSeqNo_ = 0;
    QString pressedLogKey_;
    QString deleteTag_;
    bool listSorted_ = false;
    bool listAscending_ = true;
};

}  // namespace mt52
