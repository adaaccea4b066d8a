#include "main_window/pages/InstrumentInfo.h"

#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "instrument/clsInstrument.h"
#include "link/LinkStatus.h"
#include "platform/Clock.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"

#include <QStringList>

namespace mt52 {

namespace {

constexpr Long BusySpanCalibration = 4;
constexpr Integer Slot = 0;  // the pages show the first gas only
const QString Dashes = QStringLiteral("-----");

void SetRow(GridModel& grid, int row, const QStringList& texts) {
    for (int col = 0; col < texts.size() && col < grid.Cols(); ++col)
        grid.SetTextMatrix(row, col, texts[col]);
}

// The title row: empty over the gas column, the title across all the others (merged).
void SetTitleRow(GridModel& grid, int titleId) {
    grid.SetTextMatrix(0, 0, QString());
    for (int col = 1; col < grid.Cols(); ++col)
        grid.SetTextMatrix(0, col, GetResText(titleId));
}

QStringList Texts(std::initializer_list<int> ids) {
    QStringList texts;
    for (int id : ids)
        texts << GetResText(id);
    return texts;
}

QString SampleCaption() {
    const clsInstrument& sample = SampleInstrument();
    return GasCaption(sample.GasName(Slot), sample.GasUnit(Slot), sample.GasFullScale(Slot), sample.GasPoint(Slot));
}

void Reset(GridModel& grid, int rows, int cols) {
    grid.Clear(GridClear::Everything);
    grid.SetRows(rows);
    grid.SetCols(cols);
    grid.SetMergeCells(MergeRestrictRows);
    grid.SetMergeRow(-1, false);
    grid.SetMergeRow(0, true);
}

bool FailedSpan(const clsInstrument& instrument, const InstrumentInfoInputs& inputs) {
    if (State().BusyState != BusySpanCalibration || !inputs.spanSelected)
        return false;
    // A calibration made within the last two hours is the span that just ran.
    const Date when = instrument.CalibDate(Slot);
    const Date now = Now();
    const bool recent = when <= now && when > now.addSeconds(-2 * 3600);
    return !recent;
}

void ConnectedGasRow(GridModel& grid, const clsInstrument& instrument, const InstrumentInfoInputs& inputs) {
    constexpr int row = Slot + 2;
    const QString caption = GasCaptionOf(instrument, Slot);
    if (!instrument.GasEnabled(Slot)) {
        SetRow(grid, row, {caption, Dashes, Dashes, Dashes, Dashes, Dashes});
        return;
    }
    const Integer point = instrument.GasPoint(Slot);
    const QString date = FormatCalDate(instrument.CalibDate(Slot));
    if (FailedSpan(instrument, inputs)) {
        grid.SetCellBackColor(GridRange{row, 1, row, grid.Cols() - 1}, CalColor::Overdue);
        SetRow(grid, row,
               {caption, date, FormatTrendCell(inputs.spanBeforeValue, point), QStringLiteral("FAIL"),
                FormatTrendCell(instrument.AutoCalib(Slot), point)});
    } else {
        SetRow(grid, row,
               {caption, date, FormatTrendCell(instrument.CalibBefore(Slot), point),
                FormatTrendCell(instrument.CalibAfter(Slot), point), FormatTrendCell(instrument.AutoCalib(Slot), point)});
    }
    if (date.isEmpty())
        return;
    const Long days = CalDueDaysLeft(instrument.CalibDate(Slot), inputs.calLimit);
    switch (GetCalDueState(instrument.CalibDate(Slot), inputs.calLimit)) {
    case 2:
        grid.SetTextMatrix(row, 5, GetResText(5637));
        grid.SetCellBackColor(row, 5, CalColor::Overdue);
        break;
    case 1:
        grid.SetTextMatrix(row, 5, GetResText(5638, {days}));
        grid.SetCellBackColor(row, 5, CalColor::DueSoon);
        break;
    default:
        grid.SetTextMatrix(row, 5, QString::number(days));
        grid.SetCellBackColor(row, 5, 0);
        break;
    }
}

}  // namespace

InstrumentDisplay ChooseInstrumentDisplay(const clsInstrument& instrument, const InstrumentInfoInputs& inputs) {
    if (inputs.showingStoredInstrument)
        return InstrumentDisplay::Stored;
    if (!instrument.CommFlags() || inputs.linkStatus == StatusInitial)
        return InstrumentDisplay::NotConnected;
    return InstrumentDisplay::Connected;
}

Long CalDueDaysLeft(const Date& calibrationDate, Integer calLimit) {
    const double due = calibrationDate.value() + calLimit;
    return static_cast<Long>(RoundHalfEven(due - Now().value()));
}

Long GetCalDueState(const Date& calibrationDate, Integer calLimit) {
    const double due = calibrationDate.value() + calLimit;
    if (due < Now().value())
        return 2;
    return CalDueDaysLeft(calibrationDate, calLimit) < State().CalDueWarnDays ? 1 : 0;
}

InstrumentInfoLabels ShowInstrumentInfo(const clsInstrument& instrument, const InstrumentInfoInputs& inputs,
                                        GridModel& vfgInst, GridModel& vfgInstSensor) {
    const InstrumentDisplay display = ChooseInstrumentDisplay(instrument, inputs);
    InstrumentInfoLabels labels;
    labels.caption = GetResText(display == InstrumentDisplay::NotConnected ? 5057
                                : display == InstrumentDisplay::Stored     ? 5058
                                                                           : 5059);
    labels.factoryFieldsVisible = State().FactoryMode;
    if (display != InstrumentDisplay::NotConnected)
        labels.values = {instrument.SerialNo(), instrument.StationID(), instrument.UserID(),
                         QStringLiteral("%1").arg(instrument.RomNumber(), 5, 10, QLatin1Char('0')), instrument.SUM()};

    const Integer point = instrument.GasPoint(Slot);
    // The calibration table.
    switch (display) {
    case InstrumentDisplay::NotConnected:
        Reset(vfgInst, 7, 6);
        SetTitleRow(vfgInst, 5626);
        SetRow(vfgInst, 1, Texts({5631, 5632, 5633, 5634, 5635, 5636}));
        SetRow(vfgInst, 2, {SampleCaption(), QString(), Dashes, Dashes, Dashes, QString()});
        break;
    case InstrumentDisplay::Connected:
        Reset(vfgInst, 3, 6);
        SetTitleRow(vfgInst, 5626);
        SetRow(vfgInst, 1, Texts({5631, 5632, 5633, 5634, 5635, 5636}));
        ConnectedGasRow(vfgInst, instrument, inputs);
        break;
    case InstrumentDisplay::Stored:
        Reset(vfgInst, 6, 5);
        SetTitleRow(vfgInst, 5626);
        SetRow(vfgInst, 1, Texts({5631, 5632, 5633, 5634, 5635}));
        SetRow(vfgInst, 2,
               {GasCaptionOf(instrument, Slot), FormatCalDate(instrument.CalibDate(Slot)),
                FormatTrendCell(instrument.CalibBefore(Slot), point), FormatTrendCell(instrument.CalibAfter(Slot), point),
                FormatTrendCell(instrument.AutoCalib(Slot), point)});
        break;
    }

    // The alarm points.
    const bool sample = display == InstrumentDisplay::NotConnected;
    Reset(vfgInstSensor, sample ? 7 : 3, 5);
    SetTitleRow(vfgInstSensor, 5672);
    SetRow(vfgInstSensor, 1, Texts({5640, 5642, 5643, 5644, 5645}));
    if (sample)
        SetRow(vfgInstSensor, 2, {SampleCaption(), Dashes, Dashes, Dashes, Dashes});
    else
        SetRow(vfgInstSensor, 2,
               {GasCaptionOf(instrument, Slot), FormatTrendCell(instrument.Warning(Slot), point),
                FormatTrendCell(instrument.Alarm(Slot), point), FormatTrendCell(instrument.Stel(Slot), point),
                FormatTrendCell(instrument.Twa(Slot), point)});
    vfgInstSensor.SetCellAlignment(0, 1, AlignCenterCenter);
    if (!sample)
        vfgInstSensor.SetCellAlignment(1, 0, AlignCenterCenter);

    // Headings centred, and the values; the gas and date columns keep the grid's alignment.
    vfgInst.SetCellAlignment(GridRange{0, 0, 1, vfgInst.Cols() - 1}, AlignCenterCenter);
    vfgInst.SetCellAlignment(GridRange{2, 2, vfgInst.Rows() - 1, vfgInst.Cols() - 1}, AlignCenterCenter);
    vfgInstSensor.SetCellAlignment(GridRange{1, 1, vfgInstSensor.Rows() - 1, vfgInstSensor.Cols() - 1},
                                   AlignCenterCenter);
    vfgInstSensor.SetMergeCol(3, true);
    vfgInstSensor.SetMergeCol(4, true);
    return labels;
}

}  // namespace mt52
