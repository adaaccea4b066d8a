#include "printing/LastCalibrationReport.h"

#include "platform/GridModel.h"
#include "printing/ReportPageLayout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace mt52 {

namespace {

// Off the printer (the report window's preview) at most this many grid rows, titles included.
constexpr int PreviewRows = 30;
// The grid columns printed from a list in its ten-column layouts: number, serial number, user
// ID, station ID, the first two gases, the fifth gas and the last download.
constexpr std::array<int, 8> TenColumnCopy{0, 1, 2, 3, 4, 5, 8, 9};
// The most columns a printed line holds.
constexpr int PrintedColumns = 10;

// The grid columns a printed line copies. A list in its one-row-per-gas layout has fewer than ten
// columns; it prints all of them in their order.
std::vector<int> CopiedColumns(const GridModel& grid) {
    if (grid.Cols() >= 10)
        return {TenColumnCopy.begin(), TenColumnCopy.end()};
    std::vector<int> columns(static_cast<std::size_t>(std::clamp(grid.Cols(), 0, PrintedColumns)));
    for (std::size_t c = 0; c < columns.size(); ++c)
        columns[c] = static_cast<int>(c);
    return columns;
}

QStringList RowCells(const GridModel& grid, int row, const std::vector<int>& columns) {
    QStringList cells;
    for (int c : columns)
        cells << grid.TextMatrix(row, c);
    return cells;
}

void AlignEntries(ReportForm& form) {
    form.AlignAll(CellAlign::Left);
    form.ColumnAlign[0] = CellAlign::Center;
}

void PrintTitles(PrintTarget& target, ReportForm& form, const GridModel& grid, const std::vector<int>& columns) {
    form.AlignAll(CellAlign::Center);
    PrintTableRow(target, form, RowCells(grid, 0, columns));
    AlignEntries(form);
}

}  // namespace

void PrintLastCalibration(PrintTarget& target, ReportForm& form) {
    const GridModel& grid = RequiredRecord(form.Request().calHistoryTable, "calibration-history list");
    // A printer that stayed in portrait gets the first page's list in a smaller font.
    if (target.IsPrinter() && target.PageOrientation() == PrintTarget::Portrait)
        target.FontSize = 0.65 * form.Options().font.size;

    form.SetColumns(target.ScaleWidth(),
                    std::array<double, 10>{0.02, 0.04, 0.17, 0.27, 0.37, 0.47, 0.57, 0.67, 0.77, 0.87});
    form.ColumnX[10] = static_cast<Single>(target.ScaleWidth());
    AlignEntries(form);
    target.ForeColor = 0;
    target.CurrentY = target.ScaleHeight() / 20;
    PrintRule(target);
    PrintBlankLine(target, form);

    const int rows = grid.Rows();
    const int n = target.IsPrinter() ? rows : std::min(rows, PreviewRows);
    const std::vector<int> columns = CopiedColumns(grid);
    if (rows > 0)
        PrintTitles(target, form, grid, columns);
    for (int r = 1; r < n; ++r) {
        PrintTableRow(target, form, RowCells(grid, r, columns));
        if (target.IsPrinter() && r < n - 1 && target.CurrentY > 0.95 * target.ScaleHeight()) {
            StartContinuationPage(target, form);
            PrintTitles(target, form, grid, columns);
            PrintRule(target);
        }
    }
    PrintRule(target, 4);
}

}  // namespace mt52
