#pragma once
// The calibration-history page (page 4): the history layout choices, the history grid and the
// latest-calibration command.
#include "main_window/gui/ControlFactory.h"

#include <array>

class QPushButton;
class QRadioButton;

namespace mt52 {

class GridView;

class HistoryPage final : public PageFrame {
public:
    explicit HistoryPage(QWidget* window);
    void SetUiTexts() override;

    std::array<QRadioButton*, 3> optHistory{};
    GridView* vfgHistory = nullptr;
    QPushButton* cmdLastCal = nullptr;
};

}  // namespace mt52
