#include "main_window/pages/OptionSettings.h"

#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "instrument/clsInstrument.h"
#include "link/LinkCore.h"
#include "link/LinkStatus.h"
#include "link/SettingsTransfer.h"
#include "main_window/LogBox.h"
#include "main_window/pages/GasTypes.h"
#include "main_window/pages/OptionGridChecks.h"
#include "main_window/pages/SettingLog.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"

#include <QDebug>
#include <QStringList>
#include <exception>

namespace mt52 {

namespace {

constexpr Long BusySpanCalibration = 4;
constexpr int GasRow = 2;
const QString Dashes = QStringLiteral("-----");

// Texts of our own (both string tables).
enum TextId {
    TextNothingChanged = 20500,
    TextUploadFailed = 20501,
    TextClockFailed = 20502,
    TextStepOverflow = 20503,
};

void SetRow(GridModel& grid, int row, int firstCol, const QStringList& texts) {
    for (int k = 0; k < texts.size() && firstCol + k < grid.Cols(); ++k)
        grid.SetTextMatrix(row, firstCol + k, texts[k]);
}

QStringList Repeat(const QString& text, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << text;
    return list;
}

}  // namespace

// ---- Display ---------------------------------------------------------------------------------

bool InstrumentDataPresent(const clsInstrument& current, Long linkStatus) {
    return linkStatus != 0 && linkStatus != 1 && current.CommFlags();
}

bool WideOptionLayout() { return State().FactoryMode || State().OptionGridWide; }

OptionDisplay ShowInstrumentSettings(const clsInstrument& current, const OptionDisplayInputs& inputs,
                                     GridModel& grid) {
    OptionDisplay d;
    d.dataPresent = InstrumentDataPresent(current, inputs.linkStatus);
    d.wideLayout = WideOptionLayout();
    d.factoryButtonsVisible = State().FactoryMode;
    d.commandsEnabled = inputs.connected;
    if (d.dataPresent) {
        d.framDumpEnabled = true;
        d.identity = {current.SerialNo(), current.StationID(), current.UserID()};
        d.intervalEntry = IntervalToIndex(current.Intervals());
    } else {
        d.intermittenceEntry = NoDataComboEntry;
    }

    const bool wide = d.wideLayout;
    const bool data = d.dataPresent;
    grid.Clear(GridClear::Everything);
    grid.SetRows(wide ? 6 : data ? 3 : 7);
    grid.SetCols(wide ? 7 : 6);
    grid.SetFixedRows(2);
    grid.SetFixedCols(1);
    grid.SetMergeCells(MergeFree);
    grid.SetMergeRow(-1, false);
    grid.SetMergeRow(0, true);

    // Headings.
    if (wide) {
        SetRow(grid, 0, 0, QStringList{QString(), QString()} + Repeat(GetResText(5672), 4) + QStringList{QString()});
        grid.SetCellAlignment(0, 2, AlignCenterCenter);
        SetRow(grid, 1, 0, {GetResText(5648), GetResText(5649), GetResText(5650), GetResText(5651), GetResText(5652),
                            GetResText(5653), GetResText(5654)});
    } else {
        if (data)
            SetRow(grid, 0, 0, QStringList{QString()} + Repeat(GetResText(5647), 5));
        else
            SetRow(grid, 0, 0, QStringList{QString()} + Repeat(GetResText(5672), 4) + QStringList{QString()});
        grid.SetCellAlignment(0, 1, AlignCenterCenter);
        SetRow(grid, 1, 0, {GetResText(5648), GetResText(5650), GetResText(5651), GetResText(5652), GetResText(5653),
                            GetResText(5654)});
    }

    // The gas row of the first slot.
    const clsInstrument& source = data ? current : SampleInstrument();
    const Integer point = source.GasPoint(0);
    grid.SetTextMatrix(GasRow, 0,
                       GasCaption(source.GasName(0), source.GasUnit(0), source.GasFullScale(0), source.GasPoint(0)));
    const QStringList values = data ? QStringList{FormatTrendCell(source.Warning(0), point),
                                                  FormatTrendCell(source.Alarm(0), point),
                                                  FormatTrendCell(source.Stel(0), point),
                                                  FormatTrendCell(source.Twa(0), point),
                                                  FormatTrendCell(source.AutoCalib(0), point)}
                                    : Repeat(Dashes, 5);
    if (wide) {
        grid.SetCellChecked(GasRow, 1, data && source.GasEnabled(0) ? Checked : Unchecked);
        grid.SetTextMatrix(GasRow, 1, QString());
        SetRow(grid, GasRow, 2, values);
    } else {
        SetRow(grid, GasRow, 1, values);
    }

    // Cells that do not open an editor.
    const Long locked = grid.BackColorFixed();
    if (wide) {
        grid.SetCellBackColor(GridRange{2, 4, 3, 5}, locked);
        if (State().GasLockedFlags[0])
            grid.SetCellBackColor(GasRow, 1, locked);
    } else {
        grid.SetCellBackColor(GridRange{2, 3, data ? 2 : 3, 4}, locked);
        if (!data)
            grid.SetCellBackColor(GridRange{6, 1, 6, 4}, locked);
    }
    // Warning and alarm out of order.
    if (data && !CheckAlarmOrder(current, 0)) {
        const int first = wide ? 2 : 1;
        grid.SetCellBackColor(GridRange{GasRow, first, GasRow, first + 1}, ProblemColor);
    }
    grid.SetCellAlignment(GridRange{1, 1, grid.Rows() - 1, grid.Cols() - 1}, AlignCenterCenter);
    return d;
}

// ---- Identity boxes and combos -----------------------------------------------------------------

int IdentityLimit(int box) { return box == 0 ? 20 : 16; }

QString FilterIdentityText(int box, const QString& text) {
    QString kept;
    const int limit = IdentityLimit(box);
    for (QChar c : text) {
        if (kept.size() >= limit)
            break;
        const ushort code = c.unicode();
        if (code == 8 || code > 127 || !IsTextKey(static_cast<Integer>(code)))
            continue;
        kept += c.toUpper();
    }
    return kept;
}

void StoreIdentity(clsInstrument& current, int box, const QString& text) {
    switch (box) {
    case 0: current.SerialNo(text); break;
    case 1: current.StationID(text); break;
    case 2: current.UserID(text); break;
    default: break;
    }
}

void ChooseInterval(clsInstrument& current, int entry) {
    if (entry >= 0 && entry < static_cast<int>(IntervalEntries.size()))
        current.Intervals(IntervalEntries[static_cast<std::size_t>(entry)]);
}

// ---- Grid editing ------------------------------------------------------------------------------

void OptionGridEditor::BeforeEdit(int row, int col, bool& cancel) {
    if (busy_) {
        cancel = true;
        return;
    }
    busy_ = true;
    // Without instrument data there is nothing to edit.
    if (!dataPresent_ || row < GasRow || grid_.CellBackColor(row, col) == grid_.BackColorFixed())
        cancel = true;
    busy_ = false;
}

bool OptionGridEditor::ValidateSetPoint(Integer slot, int level, const QString& trimmed, QString& editText) {
    if (trimmed.isEmpty()) {
        editText = Dashes;
        return false;
    }
    const Integer point = current_.GasPoint(slot);
    const auto store = [&](Single value) {
        switch (level) {
        case LevelWarning: current_.Warning(slot, value); return current_.Warning(slot);
        case LevelAlarm: current_.Alarm(slot, value); return current_.Alarm(slot);
        case LevelStel: current_.Stel(slot, value); return current_.Stel(slot);
        default: current_.Twa(slot, value); return current_.Twa(slot);
        }
    };
    // A set point takes numbers only; "-----" (no value) is for the span concentration.
    if (!IsNumeric(trimmed))
        return false;
    const double typed = ParseNumber(trimmed);
    Single snapped = 0;
    try {
        snapped = RoundDownToStep(ToSingle(typed), current_.GasDesit(slot));
    } catch (const RuntimeError&) {
        MsgBox(GetResText(TextStepOverflow, {trimmed}), vbOKOnly | vbExclamation);
        return false;
    }
    if (!CheckAlarmRange(current_, slot, snapped, static_cast<Integer>(level)))
        return false;
    editText = FormatTrendCell(store(snapped), point);
    return true;
}

bool OptionGridEditor::ValidateAutoCal(Integer slot, const QString& trimmed, QString& editText, bool wide) {
    const Integer point = current_.GasPoint(slot);
    if (trimmed.isEmpty() || (!IsNumeric(trimmed) && trimmed.contains(QStringLiteral("--")))) {
        current_.AutoCalib(slot, ReadingCode::NoData);
        editText = FormatTrendCell(current_.AutoCalib(slot), point);
        return true;
    }
    if (!IsNumeric(trimmed))
        return false;
    const double typed = ParseNumber(trimmed);
    bool accepted = typed >= 0 && typed <= current_.GasFullScale(slot) &&
                    CheckAutoCalRange(current_, slot, static_cast<Single>(typed));
    if (accepted) {
        try {
            current_.AutoCalib(slot, RoundDownToStep(ToSingle(typed), current_.GasDesit(slot)));
        } catch (const RuntimeError&) {
            MsgBox(GetResText(TextStepOverflow, {trimmed}), vbOKOnly | vbExclamation);
            accepted = false;
        }
    }
    if (accepted || wide)
        editText = FormatTrendCell(current_.AutoCalib(slot), point);
    return accepted;
}

void OptionGridEditor::ValidateEdit(int row, int col, QString& editText, bool& cancel) {
    if (busy_)
        return;
    busy_ = true;
    const Integer slot = static_cast<Integer>(row - GasRow);
    const bool wide = WideOptionLayout();
    // The column as the normal layout numbers it: 1 to 4 set points, 5 span concentration.
    const int column = wide ? col - 1 : col;
    const QString trimmed = editText.trimmed();
    bool accepted = true;
    if (slot < 0 || slot >= GasSlotCount) {
        accepted = false;
    } else if (column >= LevelWarning && column <= LevelTwa) {
        accepted = ValidateSetPoint(slot, column, trimmed, editText);
    } else if (column == 5) {
        accepted = ValidateAutoCal(slot, trimmed, editText, wide);
    } else if (wide && col <= 0) {
        accepted = true;  // the caption: taken as typed, nothing stored
    } else if (trimmed.isEmpty()) {
        if (wide && col == 1)
            editText = Dashes;
        accepted = wide && col == 1;
    } else {
        accepted = IsNumeric(trimmed) || trimmed.contains(QStringLiteral("--"));
    }
    cancel = !accepted;
    busy_ = false;
    CheckOptionGrid(current_, grid_);
    CheckOptionValues(current_, grid_);
}

void OptionGridEditor::AfterEdit(int row, int col, bool connected) {
    if (!State().FactoryMode || !connected || busy_)
        return;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};
    const Integer slot = static_cast<Integer>(row - GasRow);
    if (col != 1 || slot < 0 || slot >= GasSlotCount || row >= grid_.Rows())
        return;
    const auto& locked = State().GasLockedFlags;
    if (slot < static_cast<Integer>(locked.size()) && locked[static_cast<std::size_t>(slot)]) {
        MsgBox(GetResText(5331), vbInformation, GetResText(5332));
        grid_.SetCellChecked(row, 1, Checked);
    } else if (grid_.CellChecked(row, 1) == Checked) {
        SensorSwitchedOn(row, slot);
    } else {
        SensorSwitchedOff(row, slot);
    }
    // A sensor switched off takes no part in a span.
    if (GridModel* cal = hooks_.calibrationGrid) {
        for (Integer s = 0; s < 4; ++s) {
            const int optionRow = s + GasRow;
            const int calRow = s + 1;
            if (calRow >= cal->Rows() || cal->Cols() < 2)
                break;
            const bool on = optionRow < grid_.Rows() && grid_.CellChecked(optionRow, 1) == Checked && current_.GasEnabled(s);
            if (!on)
                cal->SetCellChecked(calRow, 1, Unchecked);
        }
    }
}

void OptionGridEditor::SensorSwitchedOn(int row, Integer slot) {
    const std::optional<Integer> chosen = hooks_.chooseGas ? hooks_.chooseGas(slot) : std::nullopt;
    if (chosen && ApplyGasType(current_, slot, *chosen)) {
        const Integer point = current_.GasPoint(slot);
        const QString caption = GasCaptionOf(current_, slot);
        grid_.SetTextMatrix(row, 0, caption);
        SetRow(grid_, row, 2, {FormatTrendCell(current_.Warning(slot), point), FormatTrendCell(current_.Alarm(slot), point)});
        if (caption.startsWith(QStringLiteral("OXY")) || caption.startsWith(QStringLiteral("O2")))
            current_.AlarmO2(1);
        if (current_.GasUnit(slot) == QStringLiteral("ppm"))
            SetRow(grid_, row, 4, {FormatTrendCell(current_.Stel(slot), point), FormatTrendCell(current_.Twa(slot), point)});
        else
            SetRow(grid_, row, 4, {Dashes, Dashes});
        SetRow(grid_, row, 6, {FormatTrendCell(current_.AutoCalib(slot), point)});
        grid_.SetCellBackColor(GridRange{row, 2, row, 3}, 0xFFFFFF);
        // Only the first gas has a factory span concentration.
        if (slot == 0)
            State().FactAutoCals[0] = current_.AutoCalib(slot);
        current_.OverScale(slot, 1);
    } else {
        grid_.SetCellChecked(row, 1, Unchecked);
    }
    for (int col = 1; col < grid_.Cols(); ++col)
        grid_.SetCellAlignment(row, col, IsNumeric(grid_.TextMatrix(row, col)) ? AlignRightCenter : AlignCenterCenter);
    if (hooks_.rebuildPage)
        hooks_.rebuildPage();
}

void OptionGridEditor::SensorSwitchedOff(int row, Integer slot) {
    if (MsgBox(GetResText(5335), vbYesNo | vbQuestion, GetResText(5336)) != vbYes) {
        grid_.SetCellChecked(row, 1, Checked);
        return;
    }
    for (Integer s = 0; s < 4 && s + GasRow < grid_.Rows(); ++s)
        current_.GasEnabled(s, grid_.CellChecked(s + GasRow, 1) == Checked);
    const Single none = ReadingCode::NoData;
    current_.Warning(slot, none);
    current_.Alarm(slot, none);
    current_.Stel(slot, none);
    current_.Twa(slot, none);
    current_.AutoCalib(slot, none);
    const Integer point = current_.GasPoint(slot);
    QStringList points = {FormatTrendCell(current_.Warning(slot), point), FormatTrendCell(current_.Alarm(slot), point)};
    points << (slot < 2 ? QStringList{Dashes, Dashes}
                        : QStringList{FormatTrendCell(current_.Stel(slot), point), FormatTrendCell(current_.Twa(slot), point)});
    SetRow(grid_, row, 2, points);
    SetRow(grid_, row, 6, {FormatTrendCell(current_.AutoCalib(slot), point)});
    if (hooks_.rebuildPage)
        hooks_.rebuildPage();
}

// ---- Commands ----------------------------------------------------------------------------------

bool OptionCommands::Canceled() const {
    return host_.ProgressCanceled() || link_.core.Cancel() || link_.core.Status() == StatusCancelled ||
           host_.ClosePending();
}

bool OptionCommands::Confirm() {
    if (State().BusyState == BusySpanCalibration)
        return true;
    if (MsgBox(GetResText(5309), vbYesNo | vbQuestion, GetResText(5310)) != vbYes)
        return false;
    host_.ShowProgress(GetResText(6057));
    host_.SetProgressLabel(GetResText(6001));
    return true;
}

void OptionCommands::FinishWithoutQuestion(bool ok) {
    if (State().BusyState == BusySpanCalibration)
        return;
    host_.CloseProgress();
    if (ok)
        MsgBox(GetResText(5311), vbInformation, GetResText(5312));
}

void OptionCommands::cmdOption_Click(int index) {
    switch (index) {
    case 0:
    case 1: {
        if (running_ || link_.core.OperationActive())
            return;
        if (!Confirm())
            return;
        running_ = true;
        host_.SetTransferCommandsEnabled(false);
        bool ok = false;
        try {
            ok = index == 0 ? Upload() : SetClock();
        } catch (const std::exception& error) {
            qWarning().noquote() << "option command" << index << "-" << error.what();
            host_.AddLogText(GetResText(index == 0 ? TextUploadFailed : TextClockFailed), LogColor::Failure);
        }
        host_.SetTransferCommandsEnabled(true);
        running_ = false;
        FinishWithoutQuestion(ok);
        break;
    }
    case 2:
        if (running_ || link_.core.OperationActive())
            return;
        host_.EnterCalibrationMode();
        break;
    default: break;
    }
}

bool OptionCommands::Upload() {
    clsInstrument& current = host_.CurrentInstrument();
    link_.core.AddDatedLog(5535);
    host_.AddLogText(GetResText(5428), LogColor::Success);
    QString refusal;
    const bool nothingChanged = SettingsTransfer::UploadCommands(current, &refusal).isEmpty() && refusal.isEmpty();
    const bool ok = link_.settings.SetInstrument(&current);
    if (ok) {
        if (State().FactoryMode)
            AppendSettingLog(current, SettingLogKind::Write);
        host_.AddLogText(GetResText(5429), LogColor::Success);
    } else if (nothingChanged) {
        host_.AddLogText(GetResText(TextNothingChanged), LogColor::Instrument);
    } else if (!link_.settings.UploadRefusal().isEmpty()) {
        host_.AddLogText(link_.settings.UploadRefusal(), LogColor::Failure);
        host_.AddLogText(GetResText(TextUploadFailed), LogColor::Failure);
    } else {
        host_.AddLogText(GetResText(Canceled() ? 5462 : TextUploadFailed), LogColor::Failure);
    }
    return ok;
}

bool OptionCommands::SetClock() {
    clsInstrument& current = host_.CurrentInstrument();
    link_.core.AddDatedLog(5535);
    host_.AddLogText(GetResText(5428), LogColor::Success);
    const bool ok = link_.settings.SetDateTime(Now());
    if (ok) {
        // The instrument's clock now runs with the computer's.
        current.SysDateOffset(Date(0));
        host_.AddLogText(GetResText(5429), LogColor::Success);
    } else {
        host_.AddLogText(GetResText(Canceled() ? 5462 : TextClockFailed), LogColor::Failure);
    }
    return ok;
}

}  // namespace mt52
