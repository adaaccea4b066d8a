#pragma once
// The Download page (page 0): the status lamps, the communication log box, the automatic-mode
// boxes and the download commands.
#include "main_window/DefaultSettings.h"
#include "main_window/gui/ControlFactory.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace mt52 {

class ShapeControl;

class DownloadPage final : public PageFrame {
public:
    explicit DownloadPage(QWidget* window);
    void SetUiTexts() override;
    // The page as the default settings leave it: lamp 0 on and the others off, the log box
    // empty, the calibration lamps and their labels hidden, the import button in debug mode
    // only, the automatic power-off box in extended mode only.
    void ApplyDefaults(const MainWindowDefaults& defaults);

    std::array<QGroupBox*, 4> fraDown{};
    std::array<ShapeControl*, 4> shpStatus{};
    std::array<QLabel*, 12> lblStatus{};
    // lblTitle(0) is this page's; lblTitle(1) belongs to the data view.
    std::array<QLabel*, 2> lblTitle{};
    QTextEdit* rtbLog = nullptr;
    QFrame* fraDown3Ceneter = nullptr;
    std::array<QCheckBox*, 3> chkAutoLoad{};
    std::array<QPushButton*, 6> cmdDown{};
    QWidget* picOptionToToval = nullptr;
    QLineEdit* txtSuffix = nullptr;
    QPushButton* cmdInportDat = nullptr;
};

}  // namespace mt52
