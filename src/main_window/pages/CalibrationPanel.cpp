#include "main_window/pages/CalibrationPanel.h"

#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/InstrumentOperations.h"
#include "link/LinkCore.h"
#include "main_window/LogBox.h"
#include "main_window/pages/GasTypes.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"

#include <QDebug>
#include <exception>

namespace mt52 {

namespace {

constexpr Long BusyIdle = 0;
constexpr Long BusyZero = 3;
constexpr Long BusySpan = 4;
constexpr int GasRow = 1;
constexpr int UseCol = 1;
constexpr int AutoCalCol = 2;
constexpr int ReadingCol = 3;
// Slots the zero result covers.
constexpr Integer ZeroResultSlots = 4;
constexpr int TextStepOverflow = 20503;

bool Factory() { return State().FactoryMode; }

// Gives the panel's buttons and the live-reading poll back and ends the busy state, whatever way
// an adjustment ends.
struct AdjustmentScope {
    CalibrationHost& host;
    InstrumentOperations& operations;
    ~AdjustmentScope() {
        host.SetCalButtonsEnabled(true);
        host.CloseProgress();
        try {
            operations.SetRunDensty(true);
        } catch (const std::exception& error) {
            qWarning().noquote() << "live readings:" << error.what();
        }
        State().BusyState = BusyIdle;
    }
};

}  // namespace

void FillCalGrid(GridModel& grid, const clsInstrument& current, bool dataPresent, Long lockColor,
                 int gridWidthTwips) {
    const bool factory = Factory();
    grid.Clear(GridClear::Everything);
    grid.SetBackColorFixed(lockColor);
    grid.SetFormatString(GetResText(factory ? 5666 : 5656));
    grid.SetRows(dataPresent ? 2 : 6);
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);

    const clsInstrument& source = dataPresent ? current : SampleInstrument();
    grid.SetTextMatrix(GasRow, 0,
                       GasCaption(source.GasName(0), source.GasUnit(0), source.GasFullScale(0), source.GasPoint(0)));
    const bool enabled = current.GasEnabled(0);
    grid.SetCellChecked(GasRow, UseCol, enabled ? Checked : Unchecked);
    const QString factoryValue = FormatTrendCell(State().FactAutoCals[0], current.GasPoint(0));
    if (!dataPresent) {
        grid.SetCellBackColor(GridRange{GasRow, UseCol, GasRow, AutoCalCol}, lockColor);
        if (factory) {
            grid.SetTextMatrix(GasRow, AutoCalCol, factoryValue);
            grid.SetCellBackColor(GasRow, AutoCalCol, FactoryCalColor);
        } else {
            grid.SetTextMatrix(GasRow, AutoCalCol, QStringLiteral("-----"));
        }
    } else {
        grid.SetCellBackColor(GasRow, UseCol, enabled ? 0 : lockColor);
        if (factory) {
            grid.SetTextMatrix(GasRow, AutoCalCol, factoryValue);
            grid.SetCellBackColor(GasRow, UseCol, FactoryCalColor);
        } else {
            grid.SetTextMatrix(GasRow, AutoCalCol, FormatTrendCell(current.AutoCalib(0), current.GasPoint(0)));
        }
    }
    grid.SetColWidth(0, static_cast<int>(gridWidthTwips * 0.3));
    grid.SetColWidth(UseCol, static_cast<int>(gridWidthTwips * 0.1));
    grid.SetColWidth(AutoCalCol, static_cast<int>(gridWidthTwips * 0.3));
}

void ShowCalReading(GridModel& grid, const clsInstrument& current, Single liveReading) {
    if (grid.Rows() > GasRow && grid.Cols() > ReadingCol)
        grid.SetTextMatrix(GasRow, ReadingCol, FormatTrendCell(liveReading, current.GasPoint(0)));
}

void SaveAutoCalValues(const clsInstrument& current) {
    Single value = current.AutoCalib(0);
    if (value == ReadingCode::NoData)
        value = SampleInstrument().AutoCalib(0);
    State().FactAutoCals[0] = value;
}

// ---- Commands ----------------------------------------------------------------------------------

void CalibrationCommands::cmdCal_Click(int index) {
    switch (index) {
    case 0: Zero(); break;
    case 1: Span(); break;
    case 2: Exit(); break;
    default: break;
    }
}

bool CalibrationCommands::SpanSelected(Integer slot) const {
    return slot >= 0 && slot < static_cast<Integer>(spanSelected_.size()) && spanSelected_[static_cast<std::size_t>(slot)];
}

QString CalibrationCommands::ResultLine(Integer slot, bool adjusted) const {
    const clsInstrument& current = host_.CurrentInstrument();
    if (adjusted)
        return current.GasName(slot) + QStringLiteral("  ") + GetResText(5354) + QStringLiteral("\r\n");
    return QStringLiteral("%1(%2) Failed\r\n")
        .arg(current.GasName(slot), FormatTrendCell(host_.LiveReading(slot), current.GasPoint(slot)));
}

void CalibrationCommands::Zero() {
    if (link_.core.OperationActive())
        return;
    bool ok = false;
    QString result;
    {
        host_.SetCalButtonsEnabled(false);
        State().BusyState = BusyZero;
        AdjustmentScope scope{host_, link_.operations};
        host_.ShowProgress(GetResText(6002));
        link_.operations.SetRunDensty(false);
        try {
            ok = link_.operations.ZeroCal(QStringLiteral("1111"));
        } catch (const std::exception& error) {
            qWarning().noquote() << "zero adjustment:" << error.what();
        }
        host_.CloseProgress();
        if (ok) {
            const clsInstrument& current = host_.CurrentInstrument();
            for (Integer slot = 0; slot < ZeroResultSlots; ++slot)
                if (current.GasEnabled(slot))
                    result += ResultLine(slot, link_.operations.ZeroStatus(slot));
        } else {
            host_.AddLogText(GetResText(5413), LogColor::Failure);
            link_.core.AddDatedLog(5516);
        }
    }
    if (ok)
        MsgBox(result, vbInformation, GetResText(5355));
}

void CalibrationCommands::Span() {
    if (link_.core.OperationActive())
        return;
    GridModel& grid = host_.CalibrationGrid();
    const bool selected = grid.Rows() > GasRow && grid.Cols() > UseCol && grid.CellChecked(GasRow, UseCol) != Unchecked;
    spanSelected_ = {selected, false};
    const QString mask = selected ? QStringLiteral("1") : QStringLiteral("0");
    if (!selected) {
        MsgBox(GetResText(5345), vbCritical, GetResText(5346));
        State().BusyState = BusyIdle;
        return;
    }
    bool ok = false;
    QString result;
    {
        host_.SetCalButtonsEnabled(false);
        State().BusyState = BusySpan;
        AdjustmentScope scope{host_, link_.operations};
        host_.ShowProgress(GetResText(6003));
        link_.operations.SetRunDensty(false);
        link_.core.AddDatedLog(5515);
        try {
            ok = link_.operations.SpanCal(mask);
        } catch (const std::exception& error) {
            qWarning().noquote() << "span adjustment:" << error.what();
        }
        if (ok)
            result = ResultLine(0, link_.operations.SpanStatus(0));
        else
            host_.AddLogText(GetResText(5413), LogColor::Failure);
    }
    if (ok)
        MsgBox(result, vbInformation, GetResText(5355));
}

void CalibrationCommands::Exit() {
    link_.operations.SetRunDensty(false);
    host_.LeaveCalibrationMode();
}

void CalibrationCommands::BeforeEdit(int row, int col, bool& cancel) {
    const GridModel& grid = host_.CalibrationGrid();
    if (col == ReadingCol || row <= 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols() ||
        grid.CellBackColor(row, col) == grid.BackColorFixed())
        cancel = true;
}

void CalibrationCommands::ValidateEdit(int row, int col, QString& editText, bool& cancel, bool& busy) {
    if (col != AutoCalCol)
        return;
    const Integer slot = static_cast<Integer>(row - GasRow);
    const bool factory = Factory();
    const int slotCount = factory ? static_cast<int>(State().FactAutoCals.size()) : GasSlotCount;
    if (slot < 0 || slot >= slotCount) {
        cancel = true;
        return;
    }
    busy = true;
    clsInstrument& current = host_.CurrentInstrument();
    const auto stored = [&]() -> Single {
        return factory ? State().FactAutoCals[static_cast<std::size_t>(slot)] : current.AutoCalib(slot);
    };
    const auto store = [&](Single value) {
        if (factory)
            State().FactAutoCals[static_cast<std::size_t>(slot)] = value;
        else
            current.AutoCalib(slot, value);
    };
    const QString text = editText.trimmed();
    if (text.isEmpty()) {
        // No span concentration: the gas cannot take part in a span.
        store(ReadingCode::NoData);
        if (!factory) {
            GridModel& option = host_.OptionGrid();
            if (option.Rows() > slot + 2 && option.Cols() > 5)
                option.SetTextMatrix(slot + 2, 5, QStringLiteral("-----"));
        }
        host_.CalibrationGrid().SetCellChecked(row, UseCol, Unchecked);
    } else if (IsNumeric(text)) {
        const double typed = ParseNumber(text);
        bool accepted = typed >= 0 && typed <= current.GasFullScale(slot) &&
                        CheckAutoCalRange(current, slot, static_cast<Single>(typed));
        if (accepted) {
            try {
                store(RoundDownToStep(ToSingle(typed), current.GasDesit(slot)));
            } catch (const RuntimeError&) {
                MsgBox(GetResText(TextStepOverflow, {text}), vbOKOnly | vbExclamation);
                accepted = false;
            }
        }
        cancel = !accepted;
        editText = FormatTrendCell(stored(), current.GasPoint(slot));
    } else if (text.contains(QStringLiteral("--"))) {
        // Dashes give a concentration of 0; an emptied cell is the one without a value.
        store(0);
        editText = FormatTrendCell(stored(), current.GasPoint(slot));
    } else {
        cancel = true;
        editText = FormatTrendCell(stored(), current.GasPoint(slot));
    }
    busy = false;
}

}  // namespace mt52
