#pragma once
// The option (Set) page: showing an instrument's identity, interval and gas settings; the
// identity boxes and combos that write into the model; the settings grid's editing with its
// checks; and the page's commands (upload of the changed settings, the instrument's clock).
#include "main_window/pages/PageLink.h"
#include "main_window/pages/TransferWindow.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace mt52 {

class GridModel;
class clsInstrument;

// The entries of the interval combo, in seconds.
inline constexpr std::array<Integer, 7> IntervalEntries{10, 20, 30, 60, 180, 300, 600};
// The entry both combos show when no instrument data are present ("300").
inline constexpr int NoDataComboEntry = 5;

// ---- Display ---------------------------------------------------------------------------------

struct OptionDisplayInputs {
    bool connected = false;  // the link reports Connected
    Long linkStatus = 0;
};

// What the display sets on the page besides the grid.
struct OptionDisplay {
    bool dataPresent = false;
    bool wideLayout = false;
    bool factoryButtonsVisible = false;  // the Calibration and FRAM DUMP buttons
    bool commandsEnabled = false;        // every cmdOption button
    bool framDumpEnabled = false;
    std::array<QString, 3> identity;     // serial number, station ID, user ID
    int intervalEntry = NoDataComboEntry;
    std::optional<int> intermittenceEntry;  // set only without instrument data
};

// Instrument data are present: the link's status is neither 0 nor 1 and a full read succeeded.
bool InstrumentDataPresent(const clsInstrument& current, Long linkStatus);
// The wide layout (with the sensor check box column) of the factory mode.
bool WideOptionLayout();

// Rebuilds the settings grid from the current instrument (or, without instrument data, the
// sample instrument) and gives the rest of the page. Reads the model only.
OptionDisplay ShowInstrumentSettings(const clsInstrument& current, const OptionDisplayInputs& inputs,
                                     GridModel& vfgOption);

// ---- Identity boxes and combos -----------------------------------------------------------------

// The length limit of identity box 0 (serial number, 20) and boxes 1 and 2 (station and user
// ID, 16).
int IdentityLimit(int box);
// The text an identity box keeps of what was typed or pasted: the allowed characters only
// (blank, "*", "-", digits and letters), letters in capitals, cut to the box's limit.
QString FilterIdentityText(int box, const QString& text);
// Stores a box's text into its model item (serial number, station ID or user ID).
void StoreIdentity(clsInstrument& current, int box, const QString& text);
// The interval combo's choice by the user: the entry's seconds into the model.
void ChooseInterval(clsInstrument& current, int entry);

// ---- Grid editing ------------------------------------------------------------------------------

// The settings grid's edit handlers. `busy` is the window's GridEditBusy flag, shared with the
// calibration grid; `dataPresent` says whether the grid shows the connected instrument.
class OptionGridEditor {
public:
    OptionGridEditor(GridModel& grid, clsInstrument& current, bool& busy) : grid_(grid), current_(current), busy_(busy) {}

    // What the factory layout's sensor box uses: the gas-selection dialog (the chosen entry of
    // the gas-type table, nothing when cancelled), the page's rebuild, the calibration grid.
    struct SensorBoxHooks {
        std::function<std::optional<Integer>(Integer slot)> chooseGas;
        std::function<void()> rebuildPage;
        GridModel* calibrationGrid = nullptr;
    };
    void SetSensorBoxHooks(SensorBoxHooks hooks) { hooks_ = std::move(hooks); }

    void SetDataPresent(bool present) { dataPresent_ = present; }
    void BeforeEdit(int row, int col, bool& cancel);
    // Checks the editor's text, stores it (snapped to the gas's display step) and shows the
    // stored value in the editor; refuses with `cancel`. Runs the grid checks afterwards.
    void ValidateEdit(int row, int col, QString& editText, bool& cancel);
    // The factory layout's sensor box (column 1) was switched by the user on a connected
    // instrument: switching a sensor on chooses its gas, switching it off clears its points.
    void AfterEdit(int row, int col, bool connected);

private:
    void SensorSwitchedOn(int row, Integer slot);
    void SensorSwitchedOff(int row, Integer slot);
    bool ValidateSetPoint(Integer slot, int level, const QString& trimmed, QString& editText);
    bool ValidateAutoCal(Integer slot, const QString& trimmed, QString& editText, bool wide);

    GridModel& grid_;
    clsInstrument& current_;
    bool& busy_;
    bool dataPresent_ = false;
    SensorBoxHooks hooks_;
};

// ---- Commands ----------------------------------------------------------------------------------

// What the option page's commands use of the window besides the transfer services.
class OptionPageHost : public TransferWindow {
public:
    // Disables the transfer commands of every page while a command runs; true gives them back.
    virtual void SetTransferCommandsEnabled(bool enabled) = 0;
    // Switches the page into calibration mode (the calibration panel in place of the settings).
    virtual void EnterCalibrationMode() = 0;
};

class OptionCommands {
public:
    OptionCommands(PageLink link, OptionPageHost& host) : link_(link), host_(host) {}

    // cmdOption(0..3): upload, clock, calibration mode, and the hidden default button.
    void cmdOption_Click(int index);
    // The two transfers without the question (the span adjustment runs them so); true when
    // the instrument accepted them.
    bool Upload();
    bool SetClock();

private:
    bool Confirm();
    void FinishWithoutQuestion(bool ok);
    bool Canceled() const;

    PageLink link_;
    OptionPageHost& host_;
    bool running_ = false;
};

}  // namespace mt52
