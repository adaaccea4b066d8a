#pragma once
// frmMain: the program's only main window. The six pages live in it as frames, one visible at a
// time, beside a column of menu buttons; it owns the instrument-link control and the two
// instrument models for the program's life, takes the database's single-user lock while it
// loads and gives it back when it closes, and keeps the clock and the log box. Each page is a
// class of its own that owns its controls (main_window/gui/*Page.h). The pages' behaviour is
// installed where the program is assembled, behind the interfaces of main_window/PageHandlers.h,
// and reaches the window only through its page objects and the PageContext.
#include "main_window/DefaultSettings.h"
#include "main_window/IniSettings.h"
#include "main_window/DatabaseLockFile.h"
#include "main_window/LayoutState.h"
#include "main_window/MainWindowLink.h"
#include "main_window/PageContext.h"
#include "main_window/PageFlags.h"
#include "main_window/PageHandlers.h"
#include "main_window/gui/WidgetGeometry.h"
#include "common/gui/WindowMetrics.h"
#include "platform/Types.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QPushButton;
class QTimer;

namespace mt52 {

class DataViewPage;
class DisplayButtons;
class DownloadPage;
class HistoryPage;
class InstrumentsPage;
class OptionPage;
class StoredDataPage;
class clsInstrument;
class frmMain;

// What the window calls outside itself while it loads and closes. The defaults are the
// program's own operations; tests replace single entries.
struct frmMainServices {
    std::function<void()> InitCommSettings;
    std::function<MainWindowDefaults()> SetDefaultSettings;
    std::function<void(WindowSettings&)> LoadIniSettings;
    // Rewrites the settings file; raises RuntimeError when it cannot.
    std::function<void(const WindowSettings&)> SaveIniSettings;
    std::function<void(const QString&)> CreateDataBase;
    // Sets State().CommPortNumber from the adapter's ports (asking the user when several match).
    std::function<void()> SelectCommPort;
    // The link control the window owns.
    std::function<std::unique_ptr<MainWindowLink>(frmMain&)> CreateLink;
    std::function<LockHolder()> LockHolderNames;
    // Shows the detail settings dialog modally on the instrument.
    std::function<void(QWidget*, clsInstrument&)> ShowDetailSettings;

    static frmMainServices Defaults();
};

class frmMain : public QWidget {
public:
    explicit frmMain(frmMainServices services = frmMainServices::Defaults(), QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- Life cycle ------------------------------------------------------------------------
    // Runs the load steps in their order, each guarded: a failing step is skipped. False when
    // the program must end at once: the database is locked by another copy (the window is then
    // not to be shown; nothing was saved).
    bool Form_Load();
    // First activation: pages hidden and moved to the left edge, the Download page shown, the
    // link's standby line written; every activation then lays the window out.
    void Form_Activate();
    // The close question. Returns true when the close goes ahead.
    bool Form_QueryUnload();
    // Stops the link timer, saves the display settings and the settings file (a failure is
    // reported, and the rest still runs), then releases and deletes the lock file.
    void Form_Unload();
    // Lays the window out for its client size: minimum size, page frames, the inside of the
    // visible page, the menu column.
    void Form_Resize();
    // Hides every page frame and shows the one of menu button 0..4 (the menu's own page switch,
    // which the instrument pages also use after refreshing the page's content).
    void ShowPage(Integer menuIndex);
    // The menu's own page switch while no instrument pages are installed: the Data and Last
    // Calibration pages refresh their content first.
    void ShowMenuPage(Integer menuIndex);

    // Ends the program as the automatic termination does: waits that are running are ended,
    // and once every one has unwound the window goes away without saving.
    void Terminate();
    // After the instrument was switched off: the display settings are saved and the defaults and
    // the settings file applied again, the fonts and display buttons set, the Download page shown
    // as at the first activation, and the instrument port reopened.
    void ResetAfterPowerOff();

    // ---- Operations the pages call again ----------------------------------------------------
    // The default settings of the module state and of the window's controls and fields.
    void SetDefaultSettings();
    // Reads the settings file and applies what it keeps of the window.
    void LoadIniSettings();
    void SaveDisplaySettings();
    bool OpenInstrumentPort();
    // One line in the communication log box in the colour (red + 256 green + 65536 blue).
    void AddLogText(const QString& text, Long color);
    // Every caption of the window from the string table.
    void SetUiTexts();

    // The Set page's display buttons (see DisplayButtons).
    void cmdOptionDisp_Click(Integer index);
    void ValueColor(Long series, Long colour);
    Long ValueColor(Long series) const;

    // ---- Where the pages' behaviour is installed --------------------------------------------
    DownloadPage& Download() { return *download_; }
    InstrumentsPage& Instruments() { return *instruments_; }
    StoredDataPage& StoredData() { return *storedData_; }
    DataViewPage& DataView() { return *dataView_; }
    HistoryPage& History() { return *history_; }
    OptionPage& Option() { return *option_; }
    // What a page's behaviour is handed besides its page object.
    PageContext& Context() { return context_; }
    void SetInstrumentPages(std::unique_ptr<InstrumentPages> pages);
    void SetStoredDataPages(std::unique_ptr<StoredDataPages> pages);
    // The installed stored-data pages (the data view reads the current entry from them), or null.
    StoredDataPages* StoredDataHandlers() { return storedDataPages_.get(); }
    InstrumentPages* InstrumentHandlers() { return instrumentPages_.get(); }

    // The link control; Control() gives the program's control itself for the pages' operations.
    MainWindowLink& uclLQ4005() { return *link_; }
    // The lock held on the database, or null when none is held.
    const DatabaseLockFile* DatabaseLock() const { return lock_.get(); }
    // A close has been confirmed and waits for the running link operations to unwind. Waits of
    // the pages that do not wait on the link (pauses on TickCount) must end when this is true.
    bool ClosePending() const { return closePending_ != PendingEnd::None; }

    // ---- The window's own fields -----------------------------------------------------------
    clsInstrument& CurrentInstrument();
    clsInstrument& StoredInstrument();
    PageFlags& Flags() { return flags_; }
    bool FirstActivation = true;

    // ---- The menu and the clock ------------------------------------------------------------
    // The page frames (fraMenu(3) is the data view, reached from the stored-data page) and
    // their menu buttons; cmdInst(5) is Exit.
    std::array<QGroupBox*, 6> fraMenu{};
    std::array<QPushButton*, 6> cmdInst{};
    QTimer* tmrInter = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class PendingEnd { None, Close, Terminate };

    void CreateControls();
    void CreateContext();
    void ConnectHandlers();
    void OpenDatabaseLockStep(bool& endProgram);
    void FinishPendingRemovals();
    void SetAutoLoadBoxes();
    void ApplyCommonFontToControls();
    void SizeForFirstRun();
    void CentreOnScreen();
    void KeepOnScreen();
    // Raises the window to its minimum size when it is smaller.
    void ApplyMinimumSize();
    void ApplyWindowSettings(const WindowSettings& settings);
    WindowSettings CollectWindowSettings() const;
    void tmrInter_Timer();

    // Whether a wait is still running below the current handler; ends a waiting link operation.
    bool WaitsRunning();
    void ScheduleEnd();
    // Ends the window once no wait is running; otherwise tries again shortly.
    void FinishPendingEnd();
    // Stops the clock and unloads (a close) or just stops the link timer (a termination).
    void EndNow();

    frmMainServices services_;
    PageFlags flags_;
    PageContext context_;
    std::unique_ptr<MainWindowLink> link_;
    std::unique_ptr<DatabaseLockFile> lock_;
    std::unique_ptr<clsInstrument> currentInstrument_;
    std::unique_ptr<clsInstrument> storedInstrument_;
    // The pages are children of the window, which deletes them.
    DownloadPage* download_ = nullptr;
    InstrumentsPage* instruments_ = nullptr;
    StoredDataPage* storedData_ = nullptr;
    DataViewPage* dataView_ = nullptr;
    HistoryPage* history_ = nullptr;
    OptionPage* option_ = nullptr;
    std::unique_ptr<DisplayButtons> displayButtons_;
    ApplicationFont applicationFont_;  // the common font of the standard dialogs
    std::unique_ptr<InstrumentPages> instrumentPages_;
    std::unique_ptr<StoredDataPages> storedDataPages_;
    WidgetGeometry geometry_;
    // The trend graph's colours as the settings file gave them, written back unchanged.
    std::optional<std::array<Long, 3>> graphColors_;
    PendingEnd closePending_ = PendingEnd::None;
    bool unloaded_ = false;
};

}  // namespace mt52
