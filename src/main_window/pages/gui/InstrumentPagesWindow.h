#pragma once
// The instrument pages on the main window: the Download page's commands, lamps and boxes, the
// instruments page, the option page's display, identity boxes, settings grid and commands, the
// calibration panel, the menu, and the handlers of the link's events. Installed where the
// program is assembled; it reaches the window through its page objects, the page context and
// the few window services below.
#include "main_window/PageHandlers.h"
#include "main_window/pages/CalibrationPanel.h"
#include "main_window/pages/DownloadCommands.h"
#include "main_window/pages/OptionSettings.h"
#include "main_window/pages/PageNavigation.h"

#include <QObject>
#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QWidget;

namespace mt52 {

class DownloadPage;
class InstrumentsPage;
class OptionPage;
class HistoryPage;
class frmUpload;
struct PageContext;

// What only the window itself does for the pages.
struct InstrumentPagesServices {
    QWidget* window = nullptr;
    // The menu buttons cmdInst(0..5).
    std::array<QPushButton*, 6> menu{};
    // After a switch-off: the display settings saved, the defaults and the settings file applied
    // again, the window's fonts and display buttons set, the Download page shown as at start and
    // the instrument port reopened.
    std::function<void()> ResetAfterPowerOff;
    // Ends the program at once without saving (the automatic termination).
    std::function<void()> EndProgram;
    // Lays the window out again.
    std::function<void()> Layout;
    // Closes the window (which asks first).
    std::function<void()> Close;
    // The stored-data browser's refresh of the Data page and of the calibration-history list.
    std::function<void()> RefreshDataPage;
    std::function<void()> ShowCalHistoryList;
};

class InstrumentPagesWindow final : public QObject,
                                    public InstrumentPages,
                                    private DownloadPageHost,
                                    private OptionPageHost,
                                    private CalibrationHost,
                                    private NavigationHost {
public:
    // The context must carry the link core and its operations.
    InstrumentPagesWindow(DownloadPage& download, InstrumentsPage& instruments, OptionPage& option,
                          HistoryPage& history, PageContext& context, InstrumentPagesServices services);
    ~InstrumentPagesWindow() override;

    void cmdInst_Click(Integer index) override;
    void chkAutoLoad_Click(Integer index) override;
    void ShowInstrumentSettings() override;

    DownloadCommands& Commands() { return commands_; }

private:
    void ConnectControls();
    void ConnectLink();
    void ShowInstrumentInfo() override;
    void ShowDownloadStatus() override { commands_.ShowDownloadStatus(); }
    // The live reading of the first gas (the link's live-reading event).
    void Densty(Single value);

    // TransferWindow
    clsInstrument& CurrentInstrument() override;
    void AddLogText(const QString& text, Long color) override;
    void SetBusyPointer(bool busy) override;
    void ShowProgress(const QString& caption) override;
    void SetProgressLabel(const QString& text) override;
    void CloseProgress() override;
    bool ProgressCanceled() const override;
    bool ClosePending() const override;
    // DownloadPageHost
    bool ShowingStoredInstrument() const override;
    bool ControlEnabled(DownloadControl control) const override;
    void SetControlEnabled(DownloadControl control, bool enabled) override;
    bool AutoLoadChecked(int box) const override;
    void SetAutoLoadChecked(int box, bool checked) override;
    void SetLamp(int lamp, LampState state) override;
    void SetCalibrationLampsVisible(bool visible) override;
    void ShowIdentity(const QString& serialNo, const QString& stationId, const QString& userId,
                      const QString& suffix) override;
    void RefreshInstrumentPages() override;
    void ShowAnalogValues() override;
    void MarkLogTreeDirty() override;
    void ResetWindowAfterPowerOff() override;
    void EndProgram() override;
    // OptionPageHost
    void SetTransferCommandsEnabled(bool enabled) override;
    void EnterCalibrationMode() override;
    // CalibrationHost
    GridModel& CalibrationGrid() override;
    GridModel& OptionGrid() override;
    void SetCalButtonsEnabled(bool enabled) override;
    Single LiveReading(Integer slot) const override;
    void LeaveCalibrationMode() override;
    // NavigationHost
    void RefreshDataPage() override {
        if (services_.RefreshDataPage)
            services_.RefreshDataPage();
    }
    void ShowCalHistoryList() override {
        if (services_.ShowCalHistoryList)
            services_.ShowCalHistoryList();
    }
    void SetLinkEnabled(bool enabled) override;
    void SetMenuButtonEnabled(int index, bool enabled) override;
    void ShowPage(int menuIndex) override;
    void CloseWindow() override;
    Long HistoryRows() const override;
    void PrintLastCalibration() override {}

    QWidget* Control(DownloadControl control) const;

    DownloadPage& download_;
    InstrumentsPage& instruments_;
    OptionPage& option_;
    HistoryPage& history_;
    PageContext& context_;
    InstrumentPagesServices services_;
    DownloadCommands commands_;
    OptionCommands optionCommands_;
    CalibrationCommands calibration_;
    OptionGridEditor gridEditor_;
    std::unique_ptr<frmUpload> progress_;
    bool progressCanceled_ = false;
    int busyPointers_ = 0;
    // The transfer commands' states while an option command runs.
    std::vector<std::pair<QWidget*, bool>> heldCommands_;
    Single liveReading_ = -101;
};

}  // namespace mt52
