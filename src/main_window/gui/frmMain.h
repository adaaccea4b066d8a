#pragma once
// frmMain: the program's only main window. The six pages live in it as frames, one visible at a
// time, beside a column of menu buttons; it owns the instrument-link control and the current
// instrument model for the program's life, takes the database's single-user lock while it
// loads and gives it back when it closes. The pages' own work lives behind the interfaces of
// main_window/PageHandlers.h and reaches the window's controls and fields, which are public.
#include "common/DefaultSettings.h"
#include "common/IniSettings.h"
#include "main_window/DatabaseLockFile.h"
#include "main_window/LayoutState.h"
#include "main_window/MainWindowLink.h"
#include "main_window/gui/WidgetGeometry.h"
#include "main_window/PageHandlers.h"
#include "platform/Types.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;
class QTreeWidget;

namespace mt52 {

class GridView;
class ShapeControl;
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

    // Ends the program as the automatic termination does: waits that are running are ended,
    // and once every one has unwound the window goes away without saving.
    void Terminate();

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

    // The option page's display buttons cmdOptionDisp(0..6): the common font, the four graph
    // colours, the detail settings and the FRAM DUMP listing download. Any other index does
    // nothing; a failure inside ends the click quietly.
    void cmdOptionDisp_Click(Integer index);
    // The colour the data view's graph draws series `series` (0 to 4) with, once chosen on a
    // graph-colour button (0 until then); an index outside the series is ignored.
    void ValueColor(Long series, Long colour);
    Long ValueColor(Long series) const;

    void SetInstrumentPages(std::unique_ptr<InstrumentPages> pages);
    void SetStoredDataPages(std::unique_ptr<StoredDataPages> pages);

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
    bool FirstActivation = true;
    bool ShowingStoredInstrument = false;
    Long TickCount = 0;
    bool AutoLoadClicksEnabled = true;
    bool LogTreeDirty = false;
    QString LastExportFileName;
    // Status lamp colours in the states on, off and error.
    std::array<LampColors, 3> StatusLampColors{};
    bool GridEditBusy = false;
    bool HistorySelectBusy = false;
    bool CalibrationMode = false;

    // ---- Controls --------------------------------------------------------------------------
    std::array<QGroupBox*, 6> fraMenu{};
    std::array<QPushButton*, 6> cmdInst{};
    QTimer* tmrInter = nullptr;

    // Download page
    std::array<QGroupBox*, 4> fraDown{};
    std::array<ShapeControl*, 4> shpStatus{};
    std::array<QLabel*, 12> lblStatus{};
    std::array<QLabel*, 2> lblTitle{};
    QTextEdit* rtbLog = nullptr;
    QFrame* fraDown3Ceneter = nullptr;
    std::array<QCheckBox*, 3> chkAutoLoad{};
    std::array<QPushButton*, 6> cmdDown{};
    QWidget* picOptionToToval = nullptr;
    QLineEdit* txtSuffix = nullptr;
    QPushButton* cmdInportDat = nullptr;

    // Instruments page
    QGroupBox* fraInst = nullptr;
    QFrame* fraInstCeneter = nullptr;
    std::array<QLabel*, 10> lblInst{};
    GridView* vfgInst = nullptr;
    GridView* vfgInstSensor = nullptr;

    // Stored-data page
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

    // Data view
    std::array<QRadioButton*, 2> optBrowse{};
    QCheckBox* chkEvent = nullptr;
    QCheckBox* chkOutline = nullptr;
    GridView* vfgSummary = nullptr;
    GridView* vfgBrowse = nullptr;
    std::array<QCheckBox*, 7> chkBrowse{};
    QComboBox* cmbBrowse = nullptr;
    std::array<QPushButton*, 5> cmdBrowse{};

    // Calibration-history page
    std::array<QRadioButton*, 3> optHistory{};
    GridView* vfgHistory = nullptr;
    QPushButton* cmdLastCal = nullptr;

    // Option page
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
    GridView* vfgCal = nullptr;
    std::array<QPushButton*, 3> cmdCal{};

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class PendingEnd { None, Close, Terminate };

    void CreateControls();
    void CreateDownloadPage();
    void CreateInstrumentsPage();
    void CreateStoredDataPage();
    void CreateDataViewPage();
    void CreateHistoryPage();
    void CreateOptionPage();
    void ConnectHandlers();
    void OpenDatabaseLockStep(bool& endProgram);
    void SetAutoLoadBoxes();
    void ShowCommonFontOnButton();
    void ApplyCommonFontToControls();
    void SizeForFirstRun();
    void CentreOnScreen();
    // Raises the window to its minimum size when it is smaller.
    void ApplyMinimumSize();
    void ApplyWindowSettings(const WindowSettings& settings);
    WindowSettings CollectWindowSettings() const;
    void tmrInter_Timer();
    void ChooseCommonFont();
    // CommonFont takes name, size, bold, italic and underline of the font button's font.
    void CommonFontFromFontButton();
    void ChooseGraphColor(int index);
    void RunDumpListDownload();
    // A control created at its design place (twips in its container), named as the window
    // names it (the layout knows it by that name).
    template <typename W>
    W* Make(QWidget* parent, const QString& name, double left, double top, double width, double height);
    // An inner frame without a border, centred in its container.
    QFrame* MakeInnerFrame(QWidget* parent, const QString& name, double width, double height);

    // Whether a wait is still running below the current handler; ends a waiting link operation.
    bool WaitsRunning();
    void ScheduleEnd();
    // Ends the window once no wait is running; otherwise tries again shortly.
    void FinishPendingEnd();
    // Stops the clock and unloads (a close) or just stops the link timer (a termination).
    void EndNow();

    frmMainServices services_;
    std::unique_ptr<MainWindowLink> link_;
    std::unique_ptr<DatabaseLockFile> lock_;
    std::unique_ptr<clsInstrument> currentInstrument_;
    std::unique_ptr<clsInstrument> storedInstrument_;
    std::unique_ptr<InstrumentPages> instrumentPages_;
    std::unique_ptr<StoredDataPages> storedDataPages_;
    WidgetGeometry geometry_;
    // The trend graph's place on the data view, kept until its control joins the window.
    ControlBox zelGraphBox_;
    // The graph's series colours chosen on the graph-colour buttons.
    std::array<Long, 5> graphValueColors_{};
    // The trend graph's colours as the settings file gave them, written back unchanged.
    std::optional<std::array<Long, 3>> graphColors_;
    PendingEnd closePending_ = PendingEnd::None;
    bool unloaded_ = false;
};

}  // namespace mt52
