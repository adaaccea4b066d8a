#include "views/RecordSummary.h"

#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "records/clsAlarm.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsPowerEvent.h"
#include "records/clsSnapShot.h"
#include "records/clsTroubleEvent.h"
#include "views/ViewRecords.h"

#include <array>

namespace mt52 {

namespace {

constexpr Long GasCaptionBackColor = 224 + 224 * 256 + 224 * 65536;
const QString NoValueText = QStringLiteral("-----");
const QString NoMinimumText = QStringLiteral("*****");
// Date value 2.0 (1900-01-01) stands for an end that was never recorded.
constexpr Date MissingEnd{2.0};

// The gas slot fields a summary reads, by slot.
class GasFields {
public:
    explicit GasFields(const RecordFrame& record) : record_(record) {}

    Single Value(int slot, Long field) const { return record_.GasListInfo(Integer(slot), field).toSingle(); }
    Date When(int slot, Long field) const { return record_.GasListInfo(Integer(slot), field).toDate(); }
    Integer Point(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Point).toInteger(); }
    QString Unit(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Unit).toString(); }
    bool Enabled(int slot) const { return record_.GasListInfo(Integer(slot), GasInfoField::Enable).toBool(); }
    // A slot holds data unless its maximum is the no-data code.
    bool HasData(int slot) const { return Value(slot, GasInfoField::Max) != NoDataReading; }

    // A statistic in the slot's decimals, "OVER" outside the full scale.
    QString Cell(int slot, Long field) const {
        return FormatReading(FormatTrendCell(Value(slot, field), Point(slot)), Value(slot, GasInfoField::Full));
    }
    // The text when the slot holds data, "-----" when it does not.
    QString Guarded(int slot, const QString& text) const { return HasData(slot) ? text : NoValueText; }
    // The date and time of the slot's maximum (or minimum).
    QString MaxDate(int slot) const {
        return FormatEventDate(Value(slot, GasInfoField::Max), When(slot, GasInfoField::MaxDate));
    }
    // A warning or alarm level, "-----" for a slot that is not enabled.
    QString Level(int slot, Long field) const {
        return Enabled(slot) ? FormatTrendCell(Value(slot, field), Point(slot)) : NoValueText;
    }
    // A numeric text followed by a blank and the slot's unit; other texts unchanged.
    QString WithUnit(int slot, const QString& text) const {
        return IsNumeric(text) ? text + QLatin1Char(' ') + Unit(slot) : text;
    }

private:
    const RecordFrame& record_;
};

QString Text(int id) { return GetResText(id); }

QString HeaderText(const RecordFrame& record, Long field) { return record.GasBaseInfo(field).toString(); }

QString HeaderDate(const RecordFrame& record, Long field) {
    return GeneralDate(record.GasBaseInfo(field).toDate());
}

// A property row: caption and value, the value copied into every later column.
void PropertyRow(GridModel& grid, int row, const QString& caption, const QString& value) {
    SetGridRow(grid, row, 0, true, {caption, value});
}

void GasRow(GridModel& grid, int row, const std::array<QString, 5>& cells) {
    SetGridRow(grid, row, 0, false, {cells[0], cells[1], cells[2], cells[3], cells[4]});
}

// An empty grid of the given size; nothing of an earlier record's layout is left.
void StartSummary(GridModel& grid, int cols, int rows) {
    grid.Clear();
    grid.SetCols(cols);
    grid.SetRows(rows);
    grid.SetMergeCells(MergeRestrictRows);
    grid.SetMergeRow(-1, false);
    grid.SetMergeCol(-1, false);
    for (int c = 0; c < cols; ++c)
        grid.SetColHidden(c, false);
}

// The gas columns 3 and 4 of a trend summary: the data view hides them; the trend-search
// window shows them and lets equal neighbouring cells of each merge down the column.
void SetUpGasColumns3And4(GridModel& grid, TrendGasColumns shown) {
    const bool all = shown == TrendGasColumns::AllFour;
    for (int col : {3, 4}) {
        grid.SetColHidden(col, !all);
        grid.SetMergeCol(col, all);
    }
}

void IdentityRows(GridModel& grid, const RecordFrame& record, int firstRow) {
    PropertyRow(grid, firstRow, Text(5608), HeaderText(record, LogHeaderField::SerialNo));
    PropertyRow(grid, firstRow + 1, Text(5609), HeaderText(record, LogHeaderField::StationID));
    PropertyRow(grid, firstRow + 2, Text(5610), HeaderText(record, LogHeaderField::UserID));
}

// Row 8: the gas captions, the first column showing `firstSlot`.
void GasCaptionRow(GridModel& grid, const RecordFrame& record, int firstSlot) {
    GasRow(grid, 8, {Text(5750), GasCaptionOf(record, Integer(firstSlot)), GasCaptionOf(record, 1),
                     GasCaptionOf(record, 2), GasCaptionOf(record, 3)});
}

// The STEL and TWA rows of the trend-search window: only the third and fourth gas keep them.
void StelTwaRows(GridModel& grid, const GasFields& gas, int stelRow) {
    const int ids[2] = {5644, 5645};
    const Long fields[2] = {GasInfoField::Stel, GasInfoField::Twa};
    for (int k = 0; k < 2; ++k)
        GasRow(grid, stelRow + k, {Text(ids[k]), NoMinimumText, NoMinimumText, gas.Level(2, fields[k]),
                                   gas.Level(3, fields[k])});
}

void LevelRows(GridModel& grid, const GasFields& gas, int warningRow) {
    const int rows[2] = {warningRow, warningRow + 1};
    const int ids[2] = {5642, 5643};
    const Long fields[2] = {GasInfoField::Warning, GasInfoField::Alarm};
    for (int k = 0; k < 2; ++k)
        GasRow(grid, rows[k], {Text(ids[k]), gas.Level(0, fields[k]), gas.Level(1, fields[k]),
                               gas.Level(2, fields[k]), gas.Level(3, fields[k])});
}

// Every numeric cell of the gas block gets the unit of its column's slot.
void AppendUnits(GridModel& grid, const GasFields& gas, int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = 1; col <= 4; ++col)
            grid.SetTextMatrix(row, col, gas.WithUnit(col - 1, grid.TextMatrix(row, col)));
}

void FinishTrendSummary(GridModel& grid, bool intervalRows) {
    const int lastCol = grid.Cols() - 1;
    const int lastRow = grid.Rows() - 1;
    for (int col = 1; col <= lastCol; ++col)
        grid.SetCellBackColor(8, col, GasCaptionBackColor);
    grid.SetCellAlignment(GridRange{0, 0, 0, lastCol}, AlignCenterCenter);
    grid.SetCellAlignment(GridRange{1, 0, 7, lastCol}, AlignLeftCenter);
    grid.SetCellAlignment(GridRange{8, 1, lastRow, lastCol}, AlignCenterCenter);
    if (intervalRows) {
        grid.SetCellAlignment(GridRange{11, 0, 11, lastCol}, AlignLeftCenter);
        grid.SetCellAlignment(GridRange{13, 0, 13, lastCol}, AlignLeftCenter);
    }
    for (int row = 0; row <= lastRow; ++row)
        grid.SetMergeRow(row, row <= 7);
}

QString SamplingPeriod(const RecordFrame& record) {
    const Date end = record.GasBaseInfo(LogHeaderField::Last).toDate();
    QString period = HeaderDate(record, LogHeaderField::Dates) + Text(5676);
    if (end != MissingEnd)
        period += GeneralDate(end);
    return period;
}

// The interval-trend summary: the data view's, or the trend-search window's with all four gas
// columns and the STEL and TWA rows.
void FillIntervalSummaryRows(const clsInterval& record, bool barHole, TrendGasColumns shown, GridModel& summary);

}  // namespace

int SummaryFirstGasSlot(const RecordFrame& record) {
    const GasFields gas(record);
    return (!gas.HasData(0) && gas.HasData(4)) ? 4 : 0;
}

void FillIntervalSummary(const clsInterval& record, bool barHole, GridModel& summary) {
    FillIntervalSummaryRows(record, barHole, TrendGasColumns::FirstTwo, summary);
}

void FillTrendSearchIntervalSummary(const clsInterval& record, bool barHole, GridModel& summary) {
    FillIntervalSummaryRows(record, barHole, TrendGasColumns::AllFour, summary);
}

namespace {

void FillIntervalSummaryRows(const clsInterval& record, bool barHole, TrendGasColumns shown, GridModel& summary) {
    const bool stelTwa = shown == TrendGasColumns::AllFour;
    StartSummary(summary, 5, stelTwa ? 18 : 16);
    SetUpGasColumns3And4(summary, shown);
    PropertyRow(summary, 0, Text(5604), Text(5605));
    PropertyRow(summary, 1, Text(5606), HeaderText(record, LogHeaderField::Names));
    PropertyRow(summary, 2, Text(5607), SamplingPeriod(record));
    IdentityRows(summary, record, 3);
    if (barHole)
        PropertyRow(summary, 6, NoValueText, NoValueText);
    else
        PropertyRow(summary, 6, Text(5611), QString::number(Long(record.DataCount() + record.EventCount())));
    PropertyRow(summary, 7, Text(5612), HeaderText(record, LogHeaderField::Interval));

    const GasFields gas(record);
    const int first = SummaryFirstGasSlot(record);
    GasCaptionRow(summary, record, first);

    // Average: the first column with its unit at once, the others guarded.
    GasRow(summary, 9, {Text(5613), gas.WithUnit(first, gas.Guarded(first, gas.Cell(first, GasInfoField::Avr))),
                        gas.Guarded(1, gas.Cell(1, GasInfoField::Avr)), gas.Guarded(2, gas.Cell(2, GasInfoField::Avr)),
                        gas.Guarded(3, gas.Cell(3, GasInfoField::Avr))});

    // Maximum and its time: the first column shows the other unit's slot when the first sensor
    // has no data, or when that slot saw a reading above 0.
    const bool maxOfSlot4 = !gas.HasData(0) || (gas.HasData(4) && gas.Value(4, GasInfoField::Max) > 0);
    QString firstMax;
    QString firstMaxDate;
    if (maxOfSlot4) {
        firstMax = gas.WithUnit(4, gas.Cell(4, GasInfoField::Max));
        firstMaxDate = gas.MaxDate(4);
    } else {
        firstMax = gas.WithUnit(0, gas.Guarded(0, gas.Cell(0, GasInfoField::Max)));
        firstMaxDate = gas.Guarded(0, gas.MaxDate(0));
    }
    GasRow(summary, 10, {Text(5614), firstMax, gas.Guarded(1, gas.Cell(1, GasInfoField::Max)),
                         gas.Guarded(2, gas.Cell(2, GasInfoField::Max)), gas.Guarded(3, gas.Cell(3, GasInfoField::Max))});
    GasRow(summary, 11, {Text(5663), firstMaxDate, gas.Guarded(1, gas.MaxDate(1)), gas.Guarded(2, gas.MaxDate(2)),
                         gas.Guarded(3, gas.MaxDate(3))});

    // Only the second gas (oxygen) keeps a minimum.
    const Single min1 = gas.Value(1, GasInfoField::Min);
    GasRow(summary, 12, {Text(5615), NoMinimumText, gas.Guarded(1, FormatTrendCell(min1, gas.Point(1))), NoMinimumText,
                         NoMinimumText});
    GasRow(summary, 13, {Text(5664), NoMinimumText,
                         gas.Guarded(1, FormatEventDate2(min1, gas.When(1, GasInfoField::MinDate))), NoMinimumText,
                         NoMinimumText});

    LevelRows(summary, gas, 14);
    if (stelTwa)
        StelTwaRows(summary, gas, 16);
    AppendUnits(summary, gas, 9, stelTwa ? 17 : 15);
    FinishTrendSummary(summary, true);
}

}  // namespace

void FillAlarmSummary(const clsAlarm& record, GridModel& summary, TrendGasColumns shown) {
    StartSummary(summary, 5, 11);
    SetUpGasColumns3And4(summary, shown);
    PropertyRow(summary, 0, Text(5604), Text(5605));
    PropertyRow(summary, 1, Text(5606), HeaderText(record, LogHeaderField::Names));
    PropertyRow(summary, 2, Text(5616), HeaderDate(record, LogHeaderField::Dates));
    IdentityRows(summary, record, 3);
    PropertyRow(summary, 6, Text(5611), QString::number(record.DataCount()));
    PropertyRow(summary, 7, Text(5612), HeaderText(record, LogHeaderField::Interval));

    const GasFields gas(record);
    GasCaptionRow(summary, record, 0);
    LevelRows(summary, gas, 9);
    AppendUnits(summary, gas, 9, 10);
    FinishTrendSummary(summary, false);
}

void FillPropertySummary(const RecordFrame& record, bool snapshot, GridModel& summary) {
    StartSummary(summary, 2, snapshot ? 6 : 5);
    PropertyRow(summary, 0, Text(5604), Text(5605));
    if (snapshot) {
        PropertyRow(summary, 1, Text(5606), HeaderText(record, LogHeaderField::Names));
        PropertyRow(summary, 2, Text(5607), HeaderDate(record, LogHeaderField::Dates));
        IdentityRows(summary, record, 3);
    } else {
        IdentityRows(summary, record, 1);
        PropertyRow(summary, 4, Text(5668), HeaderDate(record, LogHeaderField::Dates));
    }
    summary.SetCellAlignment(GridRange{0, 0, 0, summary.Cols() - 1}, AlignCenterCenter);
    summary.SetCellAlignment(GridRange{1, 0, 3, summary.Cols() - 1}, AlignLeftCenter);
}

SummaryFill FillRecordSummary(int logType, ViewRecords& records, GridModel& summary) {
    switch (logType) {
    case 1:
    case 9: FillIntervalSummary(records.Interval(), logType == 9, summary); return SummaryFill::Filled;
    case 2: FillAlarmSummary(records.Alarm(), summary); return SummaryFill::Filled;
    case 3:
    case 10: FillPropertySummary(records.History(), false, summary); return SummaryFill::Filled;
    case 5: FillPropertySummary(records.AlarmEvent(), false, summary); return SummaryFill::Filled;
    case 6: FillPropertySummary(records.TroubleEvent(), false, summary); return SummaryFill::Filled;
    case 7: FillPropertySummary(records.PowerEvent(), false, summary); return SummaryFill::Filled;
    case 11: FillPropertySummary(records.SnapShot(), true, summary); return SummaryFill::Filled;
    case 8: return SummaryFill::ByTable;
    default:
        summary.Clear();
        summary.SetCols(1);
        summary.SetRows(1);
        return SummaryFill::Hidden;
    }
}

}  // namespace mt52
