#pragma once
// The menu strip of the main window: each menu button refreshes its page's content and shows
// that page alone; Exit closes the window (which asks first). Beside it the Last Calibration
// page's Print button and the debug-only import button of the Download page.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

// What the menu uses of the window and its pages.
class NavigationHost {
public:
    virtual ~NavigationHost() = default;
    // Page contents.
    virtual void ShowDownloadStatus() = 0;
    virtual void ShowInstrumentInfo() = 0;
    // Rebuilds the record tree when it is marked for it, then refreshes the Data page.
    virtual void RefreshDataPage() = 0;
    virtual void ShowCalHistoryList() = 0;
    virtual void ShowInstrumentSettings() = 0;
    // The link control's Enabled property.
    virtual void SetLinkEnabled(bool enabled) = 0;
    virtual void SetMenuButtonEnabled(int index, bool enabled) = 0;
    // Hides every page, shows the page of menu button 0..4 and lays the window out (the Data
    // page takes the keyboard focus on its record list).
    virtual void ShowPage(int menuIndex) = 0;
    // Closes the window; its own close handling asks first and may refuse.
    virtual void CloseWindow() = 0;
    // The rows of the calibration-history grid, and printing it as the last-calibration report.
    virtual Long HistoryRows() const = 0;
    virtual void PrintLastCalibration() = 0;
    virtual void SetBusyPointer(bool busy) = 0;
};

// The menu buttons cmdInst(0..5); any other index does nothing.
void NavigateMenu(NavigationHost& host, int index);
// The Last Calibration page's Print button: prints only a list with rows.
void PrintLastCalibrationList(NavigationHost& host);
// The Download page's debug-only import button: the busy pointer, and nothing else.
void ImportDatButton(NavigationHost& host);

// Whether the text holds a comma or a carriage return.
bool HasCommaOrCr(const QString& text);

}  // namespace mt52
