#include "main_window/gui/frmMain.h"

#include "common/CommPortSelection.h"
#include "common/CommunicationLog.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/PendingRemovals.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "common/gui/WindowMetrics.h"
#include "instrument/clsInstrument.h"
#include "instrument/gui/frmFsDialog.h"
#include "link/uclLqif.h"
#include "link/gui/frmIrCommSelect.h"
#include "main_window/ClockDisplay.h"
#include "main_window/DatabaseLocation.h"
#include "common/FolderPath.h"
#include "main_window/LogBox.h"
#include "main_window/MainFrameLayout.h"
#include "main_window/InstrumentPortOpening.h"
#include "main_window/SerialLogFiles.h"
#include "main_window/gui/CaptionFit.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/gui/DisplayButtons.h"
#include "main_window/gui/DownloadPage.h"
#include "main_window/gui/HistoryPage.h"
#include "main_window/gui/InstrumentsPage.h"
#include "main_window/gui/OptionPage.h"
#include "main_window/gui/StoredDataPage.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"

#include <algorithm>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QTreeWidget>
#include <QWindowStateChangeEvent>
#include <QDebug>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

namespace mt52 {

namespace {

// The title of the window's own message boxes.
const QString BoxTitle = QStringLiteral("MT-52");


// Runs one step of the load; a failing step is skipped and the load goes on.
template <typename Step>
void Guarded(const char* what, Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        qWarning().noquote() << "frmMain: step skipped:" << what << "-" << error.what();
    }
}


}  // namespace

frmMainServices frmMainServices::Defaults() {
    frmMainServices services;
    services.InitCommSettings = [] { mt52::InitCommSettings(); };
    services.SelectCommPort = [] { mt52::SelectCommPort(QString::fromLatin1(AdapterHardwareId), [](const QStringList& entries) { frmIrCommSelect::Choose(entries); }); };
    services.SetDefaultSettings = [] { return mt52::SetDefaultSettings(); };
    services.LoadIniSettings = [](WindowSettings& window) { mt52::LoadIniSettings(window); };
    services.SaveIniSettings = [](const WindowSettings& window) { mt52::SaveIniSettings(window); };
    services.CreateDataBase = [](const QString& path) { mt52::CreateDataBase(path); };
    services.LockHolderNames = [] { return CurrentLockHolder(); };
    services.CreateLink = [](frmMain&) -> std::unique_ptr<MainWindowLink> { return std::make_unique<LinkControlLink>(); };
    services.ShowDetailSettings = [](QWidget* parent, clsInstrument& instrument) {
        frmFsDialog::ShowFsDialog(parent, instrument);
    };
    return services;
}

frmMain::frmMain(frmMainServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmMain"));
    // Form_Initialize: the link's default line settings, before any control exists.
    if (services_.InitCommSettings)
        services_.InitCommSettings();
    CreateControls();
    if (services_.CreateLink)
        link_ = services_.CreateLink(*this);
    CreateContext();
    DisplayButtons::Hooks hooks;
    hooks.ShowDetailSettings = services_.ShowDetailSettings;
    hooks.DetailSettingsClosed = [this] {
        if (instrumentPages_)
            instrumentPages_->ShowInstrumentSettings();
    };
    displayButtons_ = std::make_unique<DisplayButtons>(*option_, *download_, context_, this, std::move(hooks));
    ConnectHandlers();
}

frmMain::~frmMain() { SetCommunicationLogNotice({}); }  // the notice reaches this window

clsInstrument& frmMain::CurrentInstrument() {
    if (!currentInstrument_)
        currentInstrument_ = std::make_unique<clsInstrument>();
    return *currentInstrument_;
}

clsInstrument& frmMain::StoredInstrument() {
    if (!storedInstrument_)
        storedInstrument_ = std::make_unique<clsInstrument>();
    return *storedInstrument_;
}

void frmMain::SetInstrumentPages(std::unique_ptr<InstrumentPages> pages) { instrumentPages_ = std::move(pages); }
void frmMain::SetStoredDataPages(std::unique_ptr<StoredDataPages> pages) { storedDataPages_ = std::move(pages); }

void frmMain::cmdOptionDisp_Click(Integer index) { displayButtons_->cmdOptionDisp_Click(index); }
void frmMain::ValueColor(Long series, Long colour) { displayButtons_->ValueColor(series, colour); }
Long frmMain::ValueColor(Long series) const { return displayButtons_->ValueColor(series); }

// ---- Controls -------------------------------------------------------------------------------

void frmMain::CreateControls() {
    resize(TwipsToPixels(MinimumWindowWidth), TwipsToPixels(MinimumWindowHeight));
    download_ = new DownloadPage(this);
    instruments_ = new InstrumentsPage(this);
    storedData_ = new StoredDataPage(this);
    dataView_ = new DataViewPage(this);
    history_ = new HistoryPage(this);
    option_ = new OptionPage(this);
    fraMenu = {download_, instruments_, storedData_, dataView_, history_, option_};
    for (int i = 0; i < 6; ++i)
        cmdInst[i] = MakeControl<QPushButton>(this, Indexed("cmdInst", i), 8800, 180 + i * 1860, 1200, 1740);
    cmdInst[1]->hide();
    cmdInst[3]->hide();
    tmrInter = new QTimer(this);
    tmrInter->setObjectName(QStringLiteral("tmrInter"));
    tmrInter->setInterval(100);
    geometry_.AddChildren(this);
}

void frmMain::CreateContext() {
    context_.link = link_.get();
    if (uclLqif* control = link_ ? link_->Control() : nullptr) {
        context_.core = &control->Core();
        context_.settings = &control->Transfer();
        context_.dump = &control->Dump();
        context_.operations = &control->Operations();
    }
    context_.currentInstrument = &CurrentInstrument();
    context_.storedInstrument = &StoredInstrument();
    context_.flags = &flags_;
    context_.AddLogText = [this](const QString& text, Long color) { AddLogText(text, color); };
    context_.ShowPage = [this](Integer menuIndex) { ShowPage(menuIndex); };
    context_.ClosePending = [this] { return ClosePending(); };
}

void frmMain::ConnectHandlers() {
    for (int i = 0; i < 6; ++i) {
        connect(cmdInst[i], &QPushButton::clicked, this, [this, i] {
            if (i == 5)
                close();
            else if (instrumentPages_)
                instrumentPages_->cmdInst_Click(static_cast<Integer>(i));
            else
                ShowMenuPage(static_cast<Integer>(i));
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(download_->chkAutoLoad[i], &QCheckBox::toggled, this, [this, i] {
            if (flags_.AutoLoadClicksEnabled && instrumentPages_)
                instrumentPages_->chkAutoLoad_Click(static_cast<Integer>(i));
        });
        connect(history_->optHistory[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked && storedDataPages_)
                storedDataPages_->optHistory_Click(static_cast<Integer>(i));
        });
    }
    connect(tmrInter, &QTimer::timeout, this, [this] { tmrInter_Timer(); });
}

void frmMain::tmrInter_Timer() {
    ++flags_.TickCount;
    if (fraMenu[5]->isHidden() || !link_)
        return;
    const ClockTexts texts = ClockTick(Now(), link_->Status(), option_->lblOption[5]->property("Tag").toString(),
                                       CurrentInstrument().SysDateOffset());
    if (texts.Tag)
        option_->lblOption[5]->setProperty("Tag", *texts.Tag);
    if (texts.PcClock)
        option_->lblOption[5]->setText(*texts.PcClock);
    if (texts.InstrumentClock)
        option_->lblOption[6]->setText(*texts.InstrumentClock);
}

// ---- Load -----------------------------------------------------------------------------------

bool frmMain::Form_Load() {
    bool endProgram = false;
    Guarded("hourglass", [&] { setCursor(Qt::WaitCursor); });
    Guarded("operating-system class", [&] { GetOsVersionClass(); });
    Guarded("first activation", [&] { FirstActivation = true; });
    Guarded("factory auto-calibration", [&] { State().FactAutoCals[0] = -101; });
    Guarded("gas-type table", [&] {
        const GasDefinition base{true, {}, false, QStringLiteral("%LEL"), 100, 1, 0, 10, 50, -1, -1, 0, 10, 0};
        GasDefinition ch4 = base;
        ch4.Name = QStringLiteral("CH4");
        GasDefinition hc = base;
        hc.Name = QStringLiteral("HC ");
        State().GasTable[0][0] = ch4;
        State().GasTable[0][1] = hc;
    });
    Guarded("default settings", [&] { SetDefaultSettings(); });
    Guarded("trend-search window", [&] {
        State().TrendSearchBefore = -30;
        State().TrendSearchAfter = 45;
    });
    Guarded("link retry and time-out", [&] {
        State().LinkRetry = 3;
        State().LinkTimeout = 3;
    });
    Guarded("settings file", [&] { LoadIniSettings(); });
    Guarded("database and lock", [&] { OpenDatabaseLockStep(endProgram); });
    if (endProgram)
        return false;
    Guarded("unfinished removals", [&] { FinishPendingRemovals(); });
    Guarded("communication log notice", [&] {
        SetCommunicationLogNotice([this](const QString& detail) { AddLogText(GetResText(5473, {detail}), LogColor::Failure); });
    });
    Guarded("automatic-mode boxes", [&] { SetAutoLoadBoxes(); });
    Guarded("display buttons", [&] { displayButtons_->ShowCommonFont(); });
    Guarded("common font", [&] { ApplyCommonFontToControls(); });
    Guarded("page captions bold", [&] {
        for (QGroupBox* page : fraMenu) {
            QFont font = page->font();
            font.setBold(true);
            page->setFont(font);
        }
    });
    Guarded("texts", [&] { SetUiTexts(); });
    Guarded("link control", [&] {
        if (!link_)
            return;
        link_->Retry(State().LinkRetry);
        link_->Timeout(State().LinkTimeout);
    });
    Guarded("screen pointer", [&] {
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    });
    Guarded("IrDA first", [&] {
        if (link_)
            link_->SerialComm(false);
    });
    Guarded("instrument port", [&] { OpenInstrumentPort(); });
    Guarded("pointer", [&] { unsetCursor(); });
    Guarded("first-run size", [&] { SizeForFirstRun(); });
    Guarded("centre", [&] { CentreOnScreen(); });
    Guarded("PC clock tag", [&] { option_->lblOption[5]->setProperty("Tag", GeneralDate(Now())); });
    Guarded("option page frames", [&] {
        option_->fraOption[1]->setVisible(true);
        option_->fraOption[2]->setVisible(false);
    });
    Guarded("grid guards", [&] {
        flags_.GridEditBusy = false;
        flags_.HistorySelectBusy = false;
    });
    // A file that cannot be moved or deleted is reported in the log box. When the rotation
    // stopped, the previous log stays (the new run's lines follow it) rather than being lost.
    bool keepPreviousLog = false;
    Guarded("serial log generations", [&] {
        if (!State().SerialLogOn)
            return;
        const QString stuck = RotateSerialLogs();
        if (!stuck.isEmpty()) {
            keepPreviousLog = true;
            AddLogText(ErrorText(ErrPermissionDenied) + QStringLiteral(": ") + stuck, LogColor::Failure);
        }
    });
    Guarded("previous serial log", [&] {
        if (!keepPreviousLog && !DeleteSerialLog())
            AddLogText(ErrorText(ErrPermissionDenied) + QStringLiteral(": ") + JoinFolder(State().StartDir, QStringLiteral("SerialLog.log")),
                       LogColor::Failure);
    });
    Guarded("record suffix", [&] { download_->txtSuffix->setText(State().RecordSuffix); });
    return true;
}

void frmMain::OpenDatabaseLockStep(bool& endProgram) {
    const std::function<void(const QString&)> create =
        services_.CreateDataBase ? services_.CreateDataBase : [](const QString&) {};
    DatabaseLockFile::Outcome outcome =
        OpenDatabaseLock(create, services_.LockHolderNames ? services_.LockHolderNames() : CurrentLockHolder());
    if (auto* lock = std::get_if<std::unique_ptr<DatabaseLockFile>>(&outcome)) {
        lock_ = std::move(*lock);
    } else if (auto* held = std::get_if<DatabaseLockFile::HeldByOther>(&outcome)) {
        MsgBox(GetResText(300, {held->holder.computer, held->holder.user}), vbOKOnly, BoxTitle);
        endProgram = true;
    } else {
        // Not another holder: the program goes on without the lock, and the user learns why.
        MsgBox(std::get<DatabaseLockFile::Failed>(outcome).reason, vbOKOnly | vbExclamation, BoxTitle);
    }
}

void frmMain::FinishPendingRemovals() {
    // Trend files whose rows a deletion removed, or of logs never stored, when the program
    // ended before it could remove them. With the lock only: another copy may be writing.
    if (State().LockFileNumber != 1 || !QFileInfo::exists(State().DatabasePath))
        return;
    Database db(State().DatabasePath);
    CompletePendingRemovals(db);
}

void frmMain::SetAutoLoadBoxes() {
    flags_.AutoLoadClicksEnabled = false;
    struct Restore {
        bool& flag;
        ~Restore() { flag = true; }
    } restore{flags_.AutoLoadClicksEnabled};
    const ModuleState& state = State();
    download_->chkAutoLoad[0]->setChecked(state.AutoLoadOn);
    download_->chkAutoLoad[1]->setChecked(state.AutoRemoveOn);
    download_->chkAutoLoad[2]->setChecked(state.AutoTerminateOn);
    if (!state.AutoLoadOn) {
        download_->chkAutoLoad[1]->setEnabled(false);
        download_->chkAutoLoad[2]->setEnabled(false);
    }
}

void frmMain::ResetAfterPowerOff() {
    SaveDisplaySettings();
    SetDefaultSettings();
    LoadIniSettings();
    displayButtons_->ShowCommonFont();
    try {
        ApplyCommonFontToControls();
        for (QGroupBox* page : fraMenu) {
            QFont font = page->font();
            font.setBold(true);
            page->setFont(font);
        }
    } catch (const std::exception& error) {
        qWarning().noquote() << "frmMain: fonts after power off -" << error.what();
    }
    FirstActivation = true;
    Form_Activate();
    OpenInstrumentPort();
}

void frmMain::ApplyCommonFontToControls() {
    applicationFont_.Use(State().CommonFont);
    for (QWidget* control : findChildren<QWidget*>()) {
        QFont font = control->font();
        ApplyCommonFont(font, State().CommonFont);
        control->setFont(font);
    }
}

void frmMain::SizeForFirstRun() {
    if (State().ExecuteCount != 1)
        return;
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const double width = std::max(0.8 * PixelsToTwips(area.width()), MinimumWindowWidth);
    const double height = std::max(0.6 * PixelsToTwips(area.height()), MinimumWindowHeight);
    const QSize frameExtra = frameGeometry().size() - size();
    resize(TwipsToPixels(width) - frameExtra.width(), TwipsToPixels(height) - frameExtra.height());
}

// Centres the window on the size it will show with: before it is shown no resize event lays
// it out, so the minimum size is applied first (a small restored size would otherwise centre
// a window that then grows off the screen).
void frmMain::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    if (!isMaximized())
        ApplyMinimumSize();
    // Centred on the screen's available area, and never with its top left off it.
    const QRect area = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
         area.y() + std::max(0, (area.height() - outer.height()) / 2));
}

// ---- Texts ----------------------------------------------------------------------------------

void frmMain::SetUiTexts() {
    const QString partNumber = GetResText(101) == QLatin1String("JP") ? QStringLiteral("07312") : QStringLiteral("07313");
    setWindowTitle(GetResText(5001) + QStringLiteral(" [P.No.") + partNumber + QStringLiteral("]"));
    const int menuIds[6] = {5002, 5003, 5004, 5009, 5006, 5007};
    for (int i = 0; i < 6; ++i)
        SetCaptionId(cmdInst[i], menuIds[i]);
    for (PageFrame* page : std::initializer_list<PageFrame*>{download_, instruments_, storedData_, dataView_, history_, option_})
        page->SetUiTexts();
}

// ---- Activation and layout ------------------------------------------------------------------

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !ClosePending() && !unloaded_)
        Form_Activate();
    return QWidget::event(event);
}

// The first showing counts as the first activation too: a desktop without a window manager
// (or one that does not give the new window the focus) never activates it.
void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstActivation && !ClosePending() && !unloaded_) {
        KeepOnScreen();
        Form_Activate();
    }
}

// Once shown, the window frame is known: a window whose frame runs past the screen's available
// area is made smaller (never below its minimum) and moved wholly onto it.
void frmMain::KeepOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr || isMaximized() || isMinimized())
        return;
    const QRect area = screen->availableGeometry();
    const QSize extra = frameGeometry().size() - size();
    const QSize fit = size().boundedTo(area.size() - extra).expandedTo(minimumSize());
    if (fit != size())
        resize(fit);
    const QRect outer = frameGeometry();
    const int x = std::max(area.left(), std::min(outer.x(), area.right() + 1 - outer.width()));
    const int y = std::max(area.top(), std::min(outer.y(), area.bottom() + 1 - outer.height()));
    if (x != outer.x() || y != outer.y())
        move(x, y);
}

void frmMain::Form_Activate() {
    if (FirstActivation) {
        for (QGroupBox* page : fraMenu) {
            page->move(0, page->y());
            page->hide();
        }
        fraMenu[0]->show();
        if (link_)
            link_->AddDatedLog(5541);
        FirstActivation = false;
    }
    Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// A size change while minimised lays nothing out, and restoring keeps the size, so no resize
// event follows: leaving the minimised state lays the window out again.
void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized())
            Form_Resize();
    }
}

void frmMain::ShowMenuPage(Integer menuIndex) {
    if (storedDataPages_ && menuIndex == 2) {
        cmdInst[2]->setEnabled(false);
        storedDataPages_->RefreshDataPage();
        cmdInst[2]->setEnabled(true);
    }
    if (storedDataPages_ && menuIndex == 3)
        storedDataPages_->ShowCalHistoryList();
    ShowPage(menuIndex);
}

void frmMain::ShowPage(Integer menuIndex) {
    // Menu buttons 0..4 show the Download, Instrument Information, Data, Last Calibration and
    // Set pages; the Data View page (3) is opened from the stored-data browser only.
    static constexpr int pageOfMenu[5] = {0, 1, 2, 4, 5};
    if (menuIndex < 0 || menuIndex > 4)
        return;
    for (QGroupBox* page : fraMenu)
        page->hide();
    fraMenu[static_cast<std::size_t>(pageOfMenu[menuIndex])]->show();
    // The Data page is worked from its record list.
    if (menuIndex == 2 && storedData_)
        storedData_->lvwLog->setFocus();
    Form_Resize();
}

void frmMain::ApplyMinimumSize() {
    const QSize outer = frameGeometry().size();
    const WindowSize wanted = EnforceMinimumSize({double(PixelsToTwips(outer.width())), double(PixelsToTwips(outer.height()))});
    const QSize frameExtra = outer - size();
    if (wanted.Width != PixelsToTwips(outer.width()) || wanted.Height != PixelsToTwips(outer.height()))
        resize(TwipsToPixels(wanted.Width) - frameExtra.width(), TwipsToPixels(wanted.Height) - frameExtra.height());
}

void frmMain::Form_Resize() {
    if (isMinimized())
        return;
    if (!isMaximized())
        ApplyMinimumSize();
    LayoutState state = geometry_.Read();
    LayoutWindow(state, PixelsToTwips(width()), PixelsToTwips(height()));
    geometry_.Apply(state);
    for (QGroupBox* page : fraMenu)
        FitCaptions(page);
    const auto shown = std::find_if(fraMenu.begin(), fraMenu.end(), [](QGroupBox* page) { return !page->isHidden(); });
    if (shown != fraMenu.end() && *shown == fraMenu[5])
        option_->vfgOption->Refresh();
}


// ---- Instrument port and log box ------------------------------------------------------------

bool frmMain::OpenInstrumentPort() {
    if (!link_)
        return false;
    const std::function<void()> select = services_.SelectCommPort ? services_.SelectCommPort : [] {};
    return OpenInstrumentPortOn(*link_, select, [this](const QString& text, Long color) { AddLogText(text, color); });
}

void frmMain::AddLogText(const QString& text, Long color) {
    const QString inserted = LogBoxInsertion(text);
    QTextCursor cursor = download_->rtbLog->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(ToQColor(color));
    cursor.insertText(inserted, format);
    download_->rtbLog->setTextCursor(cursor);
    download_->rtbLog->ensureCursorVisible();
}

// ---- Closing --------------------------------------------------------------------------------

bool frmMain::Form_QueryUnload() {
    // The Exit button is disabled during a power-off, the calibration mode and a rebuild of the
    // record tree: the window then stays, whatever the answer.
    bool cancel = !cmdInst[5]->isEnabled();
    if (MsgBox(GetResText(5373), vbYesNo | vbQuestion, BoxTitle) != vbYes)
        cancel = true;
    return !cancel;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && !ClosePending()) {
        if (!Form_QueryUnload()) {
            event->ignore();
            return;
        }
        closePending_ = PendingEnd::Close;
        if (WaitsRunning()) {
            ScheduleEnd();
        } else {
            EndNow();
        }
    }
    if (unloaded_)
        event->accept();
    else
        event->ignore();
}

void frmMain::Terminate() {
    if (unloaded_ || closePending_ == PendingEnd::Close)
        return;
    closePending_ = PendingEnd::Terminate;
    FinishPendingEnd();
}

bool frmMain::WaitsRunning() {
    const bool linkWaiting = link_ && link_->Waiting();
    if (linkWaiting)
        link_->AbortWait();
    // A handler is still running below us while a wait yields or a modal box runs.
    return linkWaiting || DoEventsDepth() > 0 || QThread::currentThread()->loopLevel() > 1;
}

void frmMain::ScheduleEnd() {
    QTimer::singleShot(10, this, [this] { FinishPendingEnd(); });
}

void frmMain::FinishPendingEnd() {
    if (unloaded_ || closePending_ == PendingEnd::None)
        return;
    if (WaitsRunning()) {
        ScheduleEnd();
        return;
    }
    EndNow();
    close();
}

void frmMain::EndNow() {
    tmrInter->stop();
    if (closePending_ == PendingEnd::Close) {
        Form_Unload();
        return;
    }
    if (link_)
        link_->TimerEnabled(false);
    unloaded_ = true;
}

void frmMain::Form_Unload() {
    SetCommunicationLogNotice({});
    if (link_)
        link_->TimerEnabled(false);
    try {
        SaveDisplaySettings();
    } catch (const RuntimeError& error) {
        MsgBox(error.description(), vbOKOnly | vbExclamation, BoxTitle);
    } catch (const std::exception& error) {
        MsgBox(QString::fromLocal8Bit(error.what()), vbOKOnly | vbExclamation, BoxTitle);
    }
    if (lock_) {
        lock_->Release();
        lock_.reset();
    }
    State().LockFileNumber = 0;
    unloaded_ = true;
}

void frmMain::SaveDisplaySettings() {
    displayButtons_->CommonFontFromFontButton();
    State().GraphColors[0] = displayButtons_->FirstGraphColour();
    if (services_.SaveIniSettings)
        services_.SaveIniSettings(CollectWindowSettings());
}

// ---- Default settings and the settings file -------------------------------------------------

void frmMain::SetDefaultSettings() {
    if (!services_.SetDefaultSettings)
        return;
    const MainWindowDefaults defaults = services_.SetDefaultSettings();
    Guarded("font and colour buttons", [&] { displayButtons_->ShowDefaults(defaults.fontButtonCaption, defaults.graphColorButtonColor); });
    Guarded("clock", [&] {
        tmrInter->setInterval(defaults.clockIntervalMs);
        tmrInter->start();
    });
    Guarded("status lamps", [&] { flags_.StatusLampColors = {defaults.lampOn, defaults.lampOff, defaults.lampError}; });
    Guarded("download page", [&] { download_->ApplyDefaults(defaults); });
    Guarded("update button", [&] { option_->cmdOption[0]->setEnabled(false); });
    Guarded("record tree", [&] {
        flags_.LogTreeDirty = true;
        flags_.LastExportFileName.clear();
    });
    Guarded("history choice", [&] { history_->optHistory[0]->setChecked(true); });
    Guarded("modes", [&] {
        flags_.ShowingStoredInstrument = false;
        flags_.CalibrationMode = false;
    });
}

void frmMain::LoadIniSettings() {
    if (!services_.LoadIniSettings)
        return;
    WindowSettings settings;
    services_.LoadIniSettings(settings);
    ApplyWindowSettings(settings);
}

void frmMain::ApplyWindowSettings(const WindowSettings& settings) {
    if (settings.graphColors)
        graphColors_ = settings.graphColors;
    if (settings.dataSelect) {
        for (int i = 0; i < 3; ++i)
            storedData_->chkLog[i]->setChecked((*settings.dataSelect)[i]);
    }
    if (settings.placement) {
        // The size in twips, taken and given back without the window frame: before the window is
        // shown its frame is not known, so an outer size would come back larger on every run.
        // The window never starts minimised, only normal or maximised.
        // A size the file made larger than the screen, or smaller than the window can be, is
        // brought to fit the available area of the window's screen.
        WindowSize size{settings.placement->width, settings.placement->height};
        if (const QScreen* screen = this->screen()) {
            const QSize room = screen->availableGeometry().size() - (frameGeometry().size() - this->size());
            size = FitSavedSize(size, {double(PixelsToTwips(room.width())), double(PixelsToTwips(room.height()))});
        }
        resize(TwipsToPixels(size.Width), TwipsToPixels(size.Height));
        setWindowState(settings.placement->state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    }
}

WindowSettings frmMain::CollectWindowSettings() const {
    WindowSettings settings;
    settings.graphColors = graphColors_;
    settings.dataSelect = std::array<bool, 3>{storedData_->chkLog[0]->isChecked(), storedData_->chkLog[1]->isChecked(), storedData_->chkLog[2]->isChecked()};
    const Integer state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    const QRect inner = state == 0 ? geometry() : normalGeometry();
    settings.placement = WindowPlacement{state, static_cast<Single>(PixelsToTwips(inner.width())),
                                         static_cast<Single>(PixelsToTwips(inner.height()))};
    return settings;
}

}  // namespace mt52
