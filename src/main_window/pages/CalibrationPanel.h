#pragma once
// The calibration panel of the option page: the grid of the first gas (use box, span
// concentration, live reading), the zero and span adjustments and the way back to the
// settings. The adjustments stop the live-reading poll while they run and always give the
// panel's buttons and the poll back, whatever way they end.
#include "main_window/pages/PageLink.h"
#include "main_window/pages/TransferWindow.h"
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class GridModel;
class clsInstrument;

// The background of the factory span concentration.
inline constexpr Long FactoryCalColor = 192 + 255 * 256 + 255 * 65536;  // light cyan (192, 255, 255)

// Rebuilds the calibration grid from the current instrument, or the sample instrument without
// instrument data. `lockColor` is the fixed-cell colour of the option grid; `gridWidthTwips` the
// grid control's width, which sets the column widths.
void FillCalGrid(GridModel& vfgCal, const clsInstrument& current, bool dataPresent, Long lockColor,
                 int gridWidthTwips);
// The live reading of the first gas into the grid.
void ShowCalReading(GridModel& vfgCal, const clsInstrument& current, Single liveReading);
// Keeps the first gas's span concentration as the factory value (the sample instrument's when
// the instrument has none).
void SaveAutoCalValues(const clsInstrument& current);

// What the panel's commands use of the window.
class CalibrationHost : public TransferWindow {
public:
    virtual GridModel& CalibrationGrid() = 0;
    // The option grid, whose span-concentration cell follows a cleared calibration entry.
    virtual GridModel& OptionGrid() = 0;
    virtual void SetCalButtonsEnabled(bool enabled) = 0;
    // The latest live reading of a gas slot (-101 when none).
    virtual Single LiveReading(Integer slot) const = 0;
    // Shows the settings again in place of the panel, with the menu usable.
    virtual void LeaveCalibrationMode() = 0;
};

class CalibrationCommands {
public:
    CalibrationCommands(PageLink link, CalibrationHost& host) : link_(link), host_(host) {}

    // cmdCal(0..2): zero, span, exit; other indexes do nothing.
    void cmdCal_Click(int index);
    void Zero();
    void Span();
    void Exit();

    // The use box of the first gas as it was when Span was pressed.
    bool SpanSelected(Integer slot) const;

    // The grid's edit handlers; `busy` is the window's GridEditBusy flag.
    void BeforeEdit(int row, int col, bool& cancel);
    void ValidateEdit(int row, int col, QString& editText, bool& cancel, bool& busy);

private:
    QString ResultLine(Integer slot, bool adjusted) const;

    PageLink link_;
    CalibrationHost& host_;
    std::array<bool, 2> spanSelected_{};
};

}  // namespace mt52
