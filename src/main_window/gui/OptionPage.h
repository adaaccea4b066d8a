#pragma once
// The Set page (page 5): the display buttons, the instrument's settings and clock, and the
// calibration panel that takes the settings' place in calibration mode.
#include "main_window/gui/ControlFactory.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mt52 {

class GridView;

class OptionPage final : public PageFrame {
public:
    explicit OptionPage(QWidget* window);
    void SetUiTexts() override;

    std::array<QGroupBox*, 3> fraOption{};
    QFrame* fraOptionCenter0 = nullptr;
    std::array<QPushButton*, 7> cmdOptionDisp{};
    QFrame* fraOptionCenter1 = nullptr;
    std::array<QLabel*, 9> lblOption{};
    std::array<QLineEdit*, 3> txtOption{};
    QComboBox* cmbStation = nullptr;
    QComboBox* cmbInterval = nullptr;
    QComboBox* cmbIntermittence = nullptr;
    std::array<QPushButton*, 4> cmdOption{};
    GridView* vfgOption = nullptr;
    // The calibration panel.
    GridView* vfgCal = nullptr;
    std::array<QPushButton*, 3> cmdCal{};
};

}  // namespace mt52
