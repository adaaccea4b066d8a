#include "printing/TrendTableReport.h"

#include "common/GasFormats.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "printing/ReportPageLayout.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"

#include <algorithm>
#include <array>

namespace mt52 {

namespace {

constexpr std::array<double, 8> TableColumns{0.02, 0.05, 0.25, 0.40, 0.55, 0.70, 0.85, 1.0};
// The row of the alarm moment in an alarm trend's table (sample 360); a line is drawn under it.
constexpr int AlarmMomentRow = 361;
// Rows the report window's own preview shows at most.
constexpr int PreviewRows = 30;

const GridModel& TableOf(const ReportRequest& request) {
    if (request.recordTable == nullptr)
        Raise(ErrObjectNotSet, QStringLiteral("The report has no record table to copy."));
    return *request.recordTable;
}

QStringList Cells(const GridModel& table, int row, int count) {
    QStringList cells;
    for (int c = 0; c < count; ++c)
        cells << table.TextMatrix(row, c);
    return cells;
}

void HeadingRow(PrintTarget& target, const ReportForm& form, const QStringList& heading) {
    PrintTableRow(target, form, heading);
    PrintRule(target);
}

// The data rows printed from the table: all of them on paper; on the report window's preview at
// most 30 of a record of more than 30 samples.
int RowCount(const PrintTarget& target, const GridModel& table, Long dataCount) {
    const int rows = std::max(0, table.Rows() - 1);
    if (!target.IsPrinter() && dataCount > PreviewRows)
        return std::min(PreviewRows, rows);
    return rows;
}

// Whether the page must break after data row r of n.
bool PageFull(const PrintTarget& target, int r, int n) {
    return target.IsPrinter() && target.CurrentY > 0.95 * target.ScaleHeight() && r < n;
}

void IntervalTable(PrintTarget& target, ReportForm& form, const QStringList& heading, const GridModel& table, int n) {
    HeadingRow(target, form, heading);
    const int alignedColumns = std::min(table.Cols(), ReportForm::Columns);
    for (int r = 1; r <= n; ++r) {
        // A cell the view coloured (a status) starts at its column's left edge; the others centre.
        for (int c = 0; c < alignedColumns; ++c)
            form.ColumnAlign[c] = table.CellBackColor(r, c) != 0 ? CellAlign::Left : CellAlign::Center;
        PrintTableRow(target, form, Cells(table, r, 4));
        if (PageFull(target, r, n)) {
            StartContinuationPage(target, form);
            form.AlignAll(CellAlign::Center);
            HeadingRow(target, form, heading);
        }
    }
}

void AlarmTable(PrintTarget& target, ReportForm& form, const QStringList& heading, const GridModel& table, int n) {
    HeadingRow(target, form, heading);
    form.ColumnAlign[1] = CellAlign::Left;
    for (int r = 1; r <= n; ++r) {
        PrintTableRow(target, form, Cells(table, r, 4));
        if (r == AlarmMomentRow) {
            target.CurrentX = 0;
            const double y = target.CurrentY;
            target.Line(0, y, target.ScaleWidth(), y, 0);
        }
        if (PageFull(target, r, n)) {
            StartContinuationPage(target, form);
            form.ColumnAlign[1] = CellAlign::Center;
            HeadingRow(target, form, heading);
            form.ColumnAlign[1] = CellAlign::Left;
        }
    }
}

}  // namespace

void PrintTrendTable(PrintTarget& target, ReportForm& form) {
    form.SetColumns(target.ScaleWidth(), TableColumns);
    form.AlignAll(CellAlign::Center);
    target.ForeColor = 0;
    PrintBlankLine(target, form);
    PrintBlankLine(target, form);

    const ReportRequest& request = form.Request();
    const GridModel& table = TableOf(request);
    const QStringList titles{GetResText(5620), GetResText(5621)};
    if (request.kind == ReportKind::SnapShot) {
        const clsSnapShot& snapshot = RequiredRecord(request.snapshot, "snapshot");
        HeadingRow(target, form, titles + QStringList{GasCaptionOf(snapshot, 0)});
        form.ColumnAlign[1] = CellAlign::Left;
        PrintTableRow(target, form, Cells(table, 1, 3));
        return;
    }
    if (request.kind == ReportKind::IntervalTrend) {
        const clsInterval& interval = RequiredRecord(request.interval, "interval-trend");
        const QStringList heading = titles + QStringList{GasCaptionOf(interval, 0), GasCaptionOf(interval, 1)};
        IntervalTable(target, form, heading, table, RowCount(target, table, interval.DataCount()));
        return;
    }
    const clsAlarm& alarm = RequiredRecord(request.alarm, "alarm-trend");
    const QStringList heading = titles + QStringList{GasCaptionOf(alarm, 0), GasCaptionOf(alarm, 1)};
    AlarmTable(target, form, heading, table, RowCount(target, table, alarm.DataCount()));
}

}  // namespace mt52
