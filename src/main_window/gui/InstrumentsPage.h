#pragma once
// The Instruments page (page 1): the connected instrument's identity and its sensors.
#include "main_window/gui/ControlFactory.h"

#include <array>

class QLabel;

namespace mt52 {

class GridView;

class InstrumentsPage final : public PageFrame {
public:
    explicit InstrumentsPage(QWidget* window);
    void SetUiTexts() override;

    QGroupBox* fraInst = nullptr;
    QFrame* fraInstCeneter = nullptr;
    std::array<QLabel*, 10> lblInst{};
    GridView* vfgInst = nullptr;
    GridView* vfgInstSensor = nullptr;
};

}  // namespace mt52
