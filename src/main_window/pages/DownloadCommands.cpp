#include "main_window/pages/DownloadCommands.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/DumpListing.h"
#include "link/InstrumentOperations.h"
#include "link/LinkCore.h"
#include "link/RomDump.h"
#include "link/SettingsTransfer.h"
#include "main_window/FramDumpCommand.h"
#include "main_window/LogBox.h"
#include "main_window/pages/SettingLog.h"
#include "platform/Clock.h"
#include "platform/OleDate.h"
#include "platform/UserDialogs.h"

#include <QDebug>
#include <cmath>
#include <exception>
#include <functional>

namespace mt52 {

namespace {

constexpr Long BusyIdle = 0;
constexpr Long BusyDumpList = 1;
constexpr Long BusyCompleteDownload = 5;
constexpr Long BusyAutoDownload = 6;

int Slot(DownloadControl control) { return static_cast<int>(control); }

// The transfer commands a lost line or a switched-off instrument leaves disabled.
constexpr DownloadControl kLineCommands[] = {DownloadControl::Down0, DownloadControl::Down1, DownloadControl::Down2,
                                             DownloadControl::Down3, DownloadControl::Down4, DownloadControl::Down5,
                                             DownloadControl::Update};
// The commands a running transfer disables and gives back afterwards.
constexpr DownloadControl kLockedCommands[] = {
    DownloadControl::Down0,  DownloadControl::Down1,       DownloadControl::Down2,      DownloadControl::Down3,
    DownloadControl::Down4,  DownloadControl::Down5,       DownloadControl::OptionPage, DownloadControl::Update,
    DownloadControl::DateTimeSet, DownloadControl::Calibration, DownloadControl::AutoLoad0, DownloadControl::AutoLoad1,
    DownloadControl::AutoLoad2};

QString ElapsedSince(const Date& start) { return DumpListing::ElapsedText(start.secondsTo(Now())); }

// Runs a link operation; an error raised inside it ends it as failed.
bool Attempt(const char* what, const std::function<bool()>& operation) {
    try {
        return operation();
    } catch (const std::exception& error) {
        qWarning().noquote() << what << "-" << error.what();
        return false;
    }
}

}  // namespace

DownloadControl DownButton(int index) { return static_cast<DownloadControl>(Slot(DownloadControl::Down0) + index); }
DownloadControl AutoLoadBox(int index) {
    return static_cast<DownloadControl>(Slot(DownloadControl::AutoLoad0) + index);
}

DownloadCommands::DownloadCommands(PageLink link, DownloadPageHost& host) : link_(link), host_(host) {}

void DownloadCommands::Log(const QString& text) { link_.core.AddLog(text); }

bool DownloadCommands::Canceled() const {
    return host_.ProgressCanceled() || link_.core.Cancel() || link_.core.Status() == StatusCancelled ||
           host_.ClosePending();
}

bool DownloadCommands::Confirm(int textId, int titleId) {
    return MsgBox(GetResText(textId), vbYesNo | vbQuestion, GetResText(titleId)) == vbYes;
}

void DownloadCommands::SetEnabled(DownloadControl control, bool enabled) {
    // While a transfer runs its commands stay disabled: the change is what they return to.
    if (running_)
        saved_[Slot(control)] = enabled;
    else
        host_.SetControlEnabled(control, enabled);
}

// ---- transfers ------------------------------------------------------------------------------

bool DownloadCommands::Resynchronise() {
    return Attempt("resynchronising read", [this] { return link_.settings.GetInstPart("IN,R,", &host_.CurrentInstrument()); });
}

bool DownloadCommands::DownloadInstrument() {
    host_.SetBusyPointer(true);
    bool result = false;
    clsInstrument& instrument = host_.CurrentInstrument();
    if (!link_.core.Connected()) {
        host_.AddLogText(GetResText(5417), LogColor::Failure);
        Log(GetResText(5522));
    } else {
        host_.AddLogText(GetResText(5414), LogColor::Success);
        link_.core.AddDatedLog(5517);
        const Date start = Now();
        if (Attempt("instrument read", [&] { return link_.settings.GetInstrument(&instrument); })) {
            instrument.CommFlags(true);
            RefreshInstrumentViews();
            host_.ShowAnalogValues();
            host_.AddLogText(GetResText(5415), LogColor::Success);
            link_.core.AddDatedLog(5519, {ElapsedSince(start)});
            SetEnabled(DownloadControl::Down2, true);
            result = true;
        } else if (Canceled()) {
            if (!host_.ClosePending())
                Resynchronise();
            host_.AddLogText(GetResText(5462), LogColor::Failure);
            link_.core.AddDatedLog(5589);
        } else {
            host_.AddLogText(GetResText(5416), LogColor::Failure);
            Log(GetResText(5520));
            if (instrument.FailLine() == QStringLiteral("HC,R"))
                host_.AddLogText(GetResText(5590), LogColor::Failure);
            link_.core.AddDatedLog(5521, {ElapsedSince(start)});
        }
    }
    host_.SetBusyPointer(false);
    return result;
}

bool DownloadCommands::DownloadDumpList() {
    host_.SetBusyPointer(true);
    State().BusyState = BusyDumpList;
    host_.ShowProgress(GetResText(6019));
    host_.SetProgressLabel(GetResText(5445));
    host_.AddLogText(GetResText(5463), LogColor::DumpList);
    const Date start = Now();
    link_.core.AddDatedLog(5569);
    const bool result = Attempt("dump listing", [this] { return link_.dump.GetRomDump2(DumpListPath()); });
    link_.core.AddDatedLog(5570, {ElapsedSince(start)});
    host_.CloseProgress();
    const bool canceled = !result && Canceled();
    // After a cancel the link and the instrument are brought back in step; the transfer itself
    // stays failed. A block that timed out needs no such read.
    if (canceled && !link_.core.BinaryRetry() && !host_.ClosePending())
        Resynchronise();
    State().BusyState = BusyIdle;
    if (result)
        host_.AddLogText(GetResText(5464), LogColor::DumpList);
    else if (canceled)
        host_.AddLogText(GetResText(5462), LogColor::Failure);
    else
        host_.AddLogText(GetResText(5464, {GetResText(20002)}), LogColor::Failure);
    // A database that refused the records (read-only, full, damaged) is told where the user
    // looks, not only in the communication log.
    if (!result && !link_.dump.StoreFailure().isEmpty())
        host_.AddLogText(GetResText(5472, {link_.dump.StoreFailure()}), LogColor::Failure);
    host_.SetBusyPointer(false);
    return result;
}

void DownloadCommands::RefreshInstrumentViews() {
    clsInstrument& instrument = host_.CurrentInstrument();
    // A sensor that may not be switched off is shown (and kept) on.
    if (State().GasLockedFlags[0] && !instrument.GasEnabled(0))
        instrument.GasEnabled(0, true);
    ShowDownloadStatus();
    host_.RefreshInstrumentPages();
}

void DownloadCommands::ShowDownloadStatus() {
    const clsInstrument& instrument = host_.CurrentInstrument();
    if (host_.ShowingStoredInstrument() || (link_.core.Status() != StatusInitial && instrument.CommFlags()))
        host_.ShowIdentity(instrument.SerialNo(), instrument.StationID(), instrument.UserID(), State().RecordSuffix);
    else
        host_.ShowIdentity(QString(), QString(), QString(), State().RecordSuffix);
}

// ---- locking --------------------------------------------------------------------------------

void DownloadCommands::LockCommands() {
    for (DownloadControl control : kLockedCommands) {
        saved_[Slot(control)] = host_.ControlEnabled(control);
        host_.SetControlEnabled(control, false);
    }
    running_ = true;
}

void DownloadCommands::ReleaseCommands(bool enableAll) {
    running_ = false;
    for (DownloadControl control : kLockedCommands) {
        if (control == DownloadControl::AutoLoad0 || control == DownloadControl::AutoLoad1 ||
            control == DownloadControl::AutoLoad2)
            continue;
        host_.SetControlEnabled(control, enableAll ? true : saved_[Slot(control)]);
    }
    EnableAutoLoadBoxes();
    // A line lost meanwhile, or an instrument switched off, leaves nothing to talk to.
    if (!link_.core.Connected())
        for (DownloadControl control : kLineCommands)
            host_.SetControlEnabled(control, false);
}

void DownloadCommands::EnableAutoLoadBoxes() {
    host_.SetControlEnabled(AutoLoadBox(0), true);
    host_.SetControlEnabled(AutoLoadBox(1), host_.AutoLoadChecked(0));
}

bool DownloadCommands::Refused() const { return running_ || link_.core.OperationActive(); }

void DownloadCommands::EndDownloadSequence() {
    link_.core.AddDatedLog(5555);
    host_.MarkLogTreeDirty();
    host_.CloseProgress();
    State().BusyState = BusyIdle;
}

void DownloadCommands::ClockCheck() {
    if (std::abs(host_.CurrentInstrument().SysDateOffset().value()) > 1.0)
        host_.AddLogText(GetResText(5591), LogColor::Failure);
}

// ---- page commands --------------------------------------------------------------------------

void DownloadCommands::cmdDown_Click(int index) {
    if (Refused())
        return;
    switch (index) {
    case 0: CompleteDownload(); break;
    case 1: ReadInstrument(false); break;
    case 2: DumpListCommand(); break;
    case 3:
        if (!DataClearCommand())
            return;
        break;
    case 4:
        if (!PowerOffCommand())
            return;
        break;
    case 5: ReadInstrument(true); break;
    default: break;
    }
    ClockCheck();
}

void DownloadCommands::CompleteDownload() {
    LockCommands();
    State().BusyState = BusyCompleteDownload;
    host_.ShowProgress(GetResText(6056));
    link_.core.AddDatedLog(5554);
    bool ok = DownloadInstrument();
    bool ended = false;
    if (Canceled()) {
        EndDownloadSequence();
        ended = true;
        ok = false;
    }
    if (ok)
        ok = DownloadDumpList();
    if (!ended && Canceled()) {
        EndDownloadSequence();
        ok = false;
    }
    if (ok) {
        link_.core.AddDatedLog(5555);
        host_.MarkLogTreeDirty();
    }
    ReleaseCommands(ok);
    host_.CloseProgress();
    State().BusyState = BusyIdle;
}

void DownloadCommands::ReadInstrument(bool appendSettingLog) {
    LockCommands();
    host_.ShowProgress(GetResText(6056));
    const bool ok = DownloadInstrument();
    ReleaseCommands(ok);
    if (ok && appendSettingLog)
        AppendSettingLog(host_.CurrentInstrument(), SettingLogKind::Read);
    host_.CloseProgress();
}

void DownloadCommands::DumpListCommand() {
    LockCommands();
    State().BusyState = BusyDumpList;
    host_.ShowProgress(GetResText(6056));
    DownloadDumpList();
    ReleaseCommands(false);
    host_.CloseProgress();
    State().BusyState = BusyIdle;
}

bool DownloadCommands::DataClearCommand() {
    LockCommands();
    if (!Confirm(5343, 5344)) {
        ReleaseCommands(false);
        return false;
    }
    if (link_.core.Connected()) {
        host_.AddLogText(GetResText(5433), LogColor::Success);
        host_.SetBusyPointer(true);
        if (Attempt("data clear", [this] { return link_.operations.BodyDataClear(); })) {
            host_.AddLogText(GetResText(5434), LogColor::Success);
        } else {
            host_.AddLogText(GetResText(5435), LogColor::Failure);
            Log(GetResText(5559));
        }
        host_.SetBusyPointer(false);
    } else {
        host_.AddLogText(GetResText(5436), LogColor::Failure);
        Log(GetResText(5559));
    }
    ReleaseCommands(false);
    return true;
}

bool DownloadCommands::PowerOffCommand() {
    LockCommands();
    if (!Confirm(5347, 5348)) {
        ReleaseCommands(false);
        return false;
    }
    if (!link_.core.Connected()) {
        host_.AddLogText(GetResText(5409), LogColor::Failure);
        ReleaseCommands(false);
        return true;
    }
    // The window refuses to close while the instrument is being switched off.
    host_.SetControlEnabled(DownloadControl::Exit, false);
    host_.AddLogText(GetResText(5406), LogColor::Success);
    const bool ok = Attempt("power off", [this] { return link_.operations.BodyPowerOff(); });
    if (!ok)
        host_.AddLogText(GetResText(5408), LogColor::Failure);
    // The instrument is off either way (the port was closed): the transfers stay disabled.
    ReleaseCommands(false);
    if (ok)
        ResetAfterPowerOff();
    host_.SetControlEnabled(DownloadControl::Exit, true);
    return true;
}

void DownloadCommands::ResetAfterPowerOff() {
    host_.AddLogText(GetResText(5407), LogColor::Success);
    host_.CurrentInstrument().CommFlags(false);
    host_.ResetWindowAfterPowerOff();
    ShowDownloadStatus();
    EnableAutoLoadBoxes();
}

// ---- automatic download ---------------------------------------------------------------------

void DownloadCommands::Pause() {
    const QDateTime start = NowDateTime();
    while (start.msecsTo(NowDateTime()) < AutoStepPauseMilliseconds && !host_.ClosePending())
        link_.core.Yield();
}

void DownloadCommands::RunAutoDownload() {
    if (Refused())
        return;
    bool ok = true;
    LockCommands();
    State().BusyState = BusyAutoDownload;
    host_.ShowProgress(QString());
    host_.AddLogText(GetResText(5401), LogColor::DumpList);
    link_.core.AddDatedLog(5501);

    ok = DownloadInstrument() && !Canceled();
    if (ok)
        ok = DownloadDumpList() && !Canceled();
    if (ok && State().AutoRemoveOn) {
        Pause();
        if (host_.ClosePending()) {
            ok = false;
        } else if (Attempt("data clear", [this] { return link_.operations.BodyDataClear(); })) {
            host_.AddLogText(GetResText(5434), LogColor::Success);
        } else {
            host_.AddLogText(GetResText(5435), LogColor::Failure);
            ok = false;
        }
    }
    if (Canceled() || link_.core.Status() == StatusFailed)
        ok = false;

    // The instrument is switched off whatever happened before, unless the window is closing.
    bool poweredOff = false;
    if (!host_.ClosePending()) {
        Pause();
        if (!host_.ClosePending()) {
            poweredOff = Attempt("power off", [this] { return link_.operations.BodyPowerOff(); });
            if (poweredOff) {
                ResetAfterPowerOff();
            } else {
                host_.AddLogText(GetResText(5408), LogColor::Failure);
                ok = false;
            }
        }
    }
    if (!poweredOff)
        ok = false;
    if (ok) {
        host_.AddLogText(GetResText(5410), PageColor::AutoFinished);
        link_.core.AddDatedLog(5510);
    } else {
        host_.AddLogText(GetResText(5411), LogColor::Failure);
        link_.core.AddDatedLog(5511);
    }
    host_.MarkLogTreeDirty();
    ReleaseCommands(false);
    host_.CloseProgress();
    State().BusyState = BusyIdle;
    if (ok && State().AutoTerminateOn)
        host_.EndProgram();
}

void DownloadCommands::chkAutoLoad_Click(int index) {
    // Check marks set below raise the click again; those are not the user's.
    if (boxClickBusy_)
        return;
    boxClickBusy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{boxClickBusy_};

    ModuleState& s = State();
    const bool checked = host_.AutoLoadChecked(index);
    const auto setBoxes12 = [this](bool enabled) {
        host_.SetControlEnabled(AutoLoadBox(1), enabled);
        host_.SetControlEnabled(AutoLoadBox(2), enabled);
    };
    switch (index) {
    case 0:
        if (checked) {
            const bool yes = Confirm(5303, 5304);
            s.AutoLoadOn = yes;
            setBoxes12(yes);
            if (!yes)
                host_.SetAutoLoadChecked(0, false);
        } else if (Confirm(5305, 5306)) {
            s.AutoLoadOn = s.AutoRemoveOn = s.AutoTerminateOn = false;
            host_.SetAutoLoadChecked(1, false);
            host_.SetAutoLoadChecked(2, false);
            setBoxes12(false);
        } else {
            s.AutoLoadOn = true;
            setBoxes12(true);
            host_.SetAutoLoadChecked(0, true);
        }
        break;
    case 1:
        s.AutoRemoveOn = checked && Confirm(5333, 5334);
        if (checked && !s.AutoRemoveOn)
            host_.SetAutoLoadChecked(1, false);
        break;
    case 2:
        s.AutoTerminateOn = checked && Confirm(5062, 5063);
        if (checked && !s.AutoTerminateOn)
            host_.SetAutoLoadChecked(2, false);
        break;
    default: break;
    }
}

// ---- link events ----------------------------------------------------------------------------

void DownloadCommands::OnConnect() {
    if (!link_.core.Connected())
        return;
    host_.AddLogText(GetResText(5432, {State().InstrumentModelName}), PageColor::Connection);
    host_.SetLamp(0, LampState::On);
    host_.SetLamp(1, LampState::On);
    if (State().AutoLoadOn) {
        RunAutoDownload();
    } else {
        SetEnabled(DownloadControl::Down0, true);
        SetEnabled(DownloadControl::Down1, true);
        SetEnabled(DownloadControl::Down4, true);
        if (State().FactoryMode)
            SetEnabled(DownloadControl::Down5, true);
    }
    // The option page's commands need an instrument to talk to (the automatic download
    // switches it off, or the program has ended).
    if (!link_.core.Connected() || host_.ClosePending())
        return;
    SetEnabled(DownloadControl::Update, true);
    SetEnabled(DownloadControl::DateTimeSet, true);
    SetEnabled(DownloadControl::Calibration, true);
}

void DownloadCommands::ConnectRetry(Integer retryCount) {
    host_.AddLogText(GetResText(5412, {retryCount}), LogColor::Success);
}

void DownloadCommands::LinkMessage(const QString& text) { host_.AddLogText(text, LogColor::Instrument); }

void DownloadCommands::DumpMessage(const QString& text) { host_.SetProgressLabel(text); }

void DownloadCommands::LinkLost() {
    host_.SetLamp(0, LampState::On);
    host_.SetLamp(1, LampState::Off);
    for (DownloadControl control : kLineCommands)
        SetEnabled(control, false);
    host_.SetCalibrationLampsVisible(false);
    // The link's status is failed after a lost line, so a transfer waiting on the line ends
    // as failed (the link has already ended its wait).
    link_.core.SetStatus(StatusFailed);
}

void DownloadCommands::IrDAError(Integer errorNumber) {
    // A connection time-out and an address already in use; the link handles the others.
    if (errorNumber != 10060 && errorNumber != 10048)
        return;
    host_.AddLogText(GetResText(5371), LogColor::Failure);
    host_.SetLamp(0, LampState::Error);
    host_.SetLamp(1, LampState::Off);
    MsgBox(GetResText(5371), vbOKOnly, GetResText(5372));
}

}  // namespace mt52
