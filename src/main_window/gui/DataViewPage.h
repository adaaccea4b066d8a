#pragma once
// The data view (page 3): the summary and table grids of one record, the trend graph's series
// boxes and the view commands. It is opened from the stored-data page, not from the menu.
#include "main_window/gui/ControlFactory.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace mt52 {

class GridView;
class uclZelGraph;

class DataViewPage final : public PageFrame {
public:
    explicit DataViewPage(QWidget* window);
    void SetUiTexts() override;

    std::array<QRadioButton*, 2> optBrowse{};
    QCheckBox* chkEvent = nullptr;
    QCheckBox* chkOutline = nullptr;
    GridView* vfgSummary = nullptr;
    GridView* vfgBrowse = nullptr;
    // The trend graph, in the table's place while the Graph option is selected.
    uclZelGraph* zelGraph = nullptr;
    std::array<QCheckBox*, 7> chkBrowse{};
    // lblTitle(1) is this page's; lblTitle(0) belongs to the Download page.
    std::array<QLabel*, 2> lblTitle{};
    QComboBox* cmbBrowse = nullptr;
    std::array<QPushButton*, 5> cmdBrowse{};
};

}  // namespace mt52
