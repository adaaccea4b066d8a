#pragma once
// The stored-data page (page 2): the record tree, the record list and its grid, the export
// commands and the record and history pop-up menus.
#include "main_window/gui/ControlFactory.h"

#include <array>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace mt52 {

class GridView;

class StoredDataPage final : public PageFrame {
public:
    explicit StoredDataPage(QWidget* window);
    void SetUiTexts() override;

    QTreeWidget* tvwLog = nullptr;
    QGroupBox* fraLog = nullptr;
    QFrame* fraLogCenter = nullptr;
    std::array<QCheckBox*, 3> chkLog{};
    QTreeWidget* lvwLog = nullptr;
    GridView* vfgLog = nullptr;
    QPushButton* cmdDetail = nullptr;
    QPushButton* cmdListCSV = nullptr;
    QCheckBox* chkRawData = nullptr;
    QPushButton* cmdLogInst = nullptr;
    QMenu* mnuLog = nullptr;
    QAction* mnuDelete = nullptr;
    QMenu* mnuHist = nullptr;
    QAction* mnuHistDel = nullptr;
};

}  // namespace mt52
