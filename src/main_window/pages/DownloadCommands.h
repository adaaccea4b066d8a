#pragma once
// The Download page's work: reading the connected instrument into the current instrument
// model, downloading its memory dump listing (which stores the snapshot records), the page's
// commands (complete download, read, dump listing, data clear, power off, read and log), the
// automatic download when an instrument reports in, the automatic-mode boxes, and the
// handlers of the link's events (lamps, connection news, progress texts, lost line).
//
// Only one link operation runs at a time: while a command or the automatic download runs,
// every transfer command is disabled and a second start is refused. A failed step is always
// reported by its failure text in red; success is green.
#include "main_window/pages/PageLink.h"
#include "main_window/pages/TransferWindow.h"
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class clsInstrument;

// The controls whose enabled state the commands change, save and restore.
enum class DownloadControl {
    Down0, Down1, Down2, Down3, Down4, Down5,  // cmdDown(0..5)
    OptionPage,                                // cmdInst(4), the option page's menu button
    Exit,                                      // cmdInst(5)
    Update, DateTimeSet, Calibration,          // cmdOption(0..2) of the option page
    AutoLoad0, AutoLoad1, AutoLoad2,           // chkAutoLoad(0..2)
};
inline constexpr int DownloadControlCount = 14;
inline constexpr int DownCommandCount = 6;
DownloadControl DownButton(int index);
DownloadControl AutoLoadBox(int index);

// The state of a status lamp.
enum class LampState { On, Off, Error };

// Log-box colours of the link's connection and of the automatic download.
namespace PageColor {
inline constexpr Long Connection = 255 * 65536;     // blue (0, 0, 255)
inline constexpr Long AutoFinished = 32 + 128 * 256; // dark green (32, 128, 0)
}  // namespace PageColor

// What the commands use of the main window and its pages.
class DownloadPageHost : public TransferWindow {
public:
    // The instruments page shows the stored instrument rather than the connected one.
    virtual bool ShowingStoredInstrument() const = 0;

    virtual bool ControlEnabled(DownloadControl control) const = 0;
    virtual void SetControlEnabled(DownloadControl control, bool enabled) = 0;
    virtual bool AutoLoadChecked(int box) const = 0;
    // Sets a box's check mark; the window does not run the box's click handler for it.
    virtual void SetAutoLoadChecked(int box, bool checked) = 0;

    // Lamps 0 "Serial Port" and 1 "Connect"; the calibration lamps 2 and 3 with their labels.
    virtual void SetLamp(int lamp, LampState state) = 0;
    virtual void SetCalibrationLampsVisible(bool visible) = 0;
    // The identity labels lblStatus(5..7) and the record-suffix box.
    virtual void ShowIdentity(const QString& serialNo, const QString& stationId, const QString& userId,
                              const QString& suffix) = 0;
    // The instruments and option pages show the current instrument again; the page on show
    // is repainted.
    virtual void RefreshInstrumentPages() = 0;
    // The A/D channel voltages in the log box (factory mode only).
    virtual void ShowAnalogValues() = 0;

    // The stored-data tree is to be rebuilt.
    virtual void MarkLogTreeDirty() = 0;
    // After a switch-off: the display settings are saved, the defaults and the settings file
    // applied again, the window's fonts and display buttons set, the Download page shown as
    // at start, and the instrument port reopened.
    virtual void ResetWindowAfterPowerOff() = 0;
    // Ends the program at once, without the close question and without saving.
    virtual void EndProgram() = 0;
};

class DownloadCommands {
public:
    // The elapsed-time pauses before the data removal and the switch-off.
    static constexpr int AutoStepPauseMilliseconds = 2000;

    DownloadCommands(PageLink link, DownloadPageHost& host);

    // ---- transfers -------------------------------------------------------------------------
    // Reads the instrument into the current instrument; true when the read succeeded.
    bool DownloadInstrument();
    // Downloads the dump listing into "DumpEF.dat"; true when it was transferred (a cancelled
    // transfer is a failure even when the link was brought back in step afterwards).
    bool DownloadDumpList();
    // The Download, Instruments and Option views from the current instrument.
    void RefreshInstrumentViews();
    void ShowDownloadStatus();

    // ---- page commands ---------------------------------------------------------------------
    // cmdDown(0..5); refused (nothing happens) while another transfer runs.
    void cmdDown_Click(int index);
    void chkAutoLoad_Click(int index);
    void RunAutoDownload();
    // A transfer of these commands runs.
    bool TransferRunning() const { return running_; }

    // ---- link events -----------------------------------------------------------------------
    void OnConnect();
    void ConnectRetry(Integer retryCount);
    // InstMessage, InterMessage and AlarmMessage: the text as a log-box line.
    void LinkMessage(const QString& text);
    void DumpMessage(const QString& text);
    void LinkLost();
    void IrDAError(Integer errorNumber);

private:
    // Saves and disables the transfer commands, the option page's button and commands and the
    // automatic-mode boxes; ReleaseCommands gives them back (every command enabled after a
    // command that succeeded), then disables the transfers again when the instrument is gone.
    void LockCommands();
    void ReleaseCommands(bool enableAll);
    // Enables or disables a control; while a transfer runs, changes what it returns to.
    void SetEnabled(DownloadControl control, bool enabled);
    bool Refused() const;
    void EnableAutoLoadBoxes();
    void EndDownloadSequence();
    void ResetAfterPowerOff();
    void ClockCheck();
    // The 2-second pause of the automatic download (ends early when the window closes).
    void Pause();
    // The read that brings link and instrument back in step after a cancel.
    bool Resynchronise();
    bool Canceled() const;
    void Log(const QString& text);
    bool Confirm(int textId, int titleId);

    void CompleteDownload();
    void ReadInstrument(bool appendSettingLog);
    void DumpListCommand();
    // False when the user declined the confirmation.
    bool DataClearCommand();
    bool PowerOffCommand();

    PageLink link_;
    DownloadPageHost& host_;
    std::array<bool, DownloadControlCount> saved_{};
    bool running_ = false;
    bool boxClickBusy_ = false;
};

}  // namespace mt52
