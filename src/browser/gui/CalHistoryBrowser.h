#pragma once
// The calibration-history page's behaviour on its controls: the three layout choices, the
// history grid's pop-up menu and the deletion of an instrument's latest-calibration rows
// behind the password, and the print of the latest-calibration list.
#include "printing/ReportForm.h"

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QPushButton;
class QRadioButton;

namespace mt52 {

class GridView;

struct CalHistoryControls {
    std::array<QRadioButton*, 3> optHistory{};
    GridView* vfgHistory = nullptr;
    QPushButton* cmdLastCal = nullptr;
    QMenu* mnuHist = nullptr;  // the pop-up holding mnuHistDel
    QAction* mnuHistDel = nullptr;
};

struct CalHistoryServices {
    // True until the main window's first activation: choices then fill nothing.
    std::function<bool()> FirstActivation;
    // Asks for the deletion password; defaults to the password dialog.
    std::function<bool()> AskPassword;
    // Pops up the history menu at the mouse; defaults to the menu's popup at the cursor.
    std::function<void()> PopupHistoryMenu;
    // Prints a report; defaults to the report printer with the program's report settings.
    std::function<void(const ReportRequest&)> PrintReport;
};

class CalHistoryBrowser : public QObject {
public:
    CalHistoryBrowser(CalHistoryControls controls, CalHistoryServices services, QObject* parent = nullptr);

    // The layout of the selected choice (0 when none is selected).
    int Layout() const;
    // Fills the grid in the selected layout; false when there is no data (the user was told).
    bool ShowCalHistoryList();
    void optHistory_Click(int index);
    // A press on the grid; only the right button opens the menu, in layouts 0 and 1.
    void vfgHistory_MouseDown(Qt::MouseButton button);
    void mnuHistDel_Click();
    // Prints the list as the grid shows it (the last-calibration report); nothing when the grid
    // has no rows at all.
    void cmdLastCal_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CalHistoryControls c_;
    CalHistoryServices s_;
};

}  // namespace mt52
