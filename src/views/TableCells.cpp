#include "views/TableCells.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "platform/GridModel.h"
#include "views/SampleTextParts.h"

namespace mt52 {

void PrepareTable(GridModel& table, int cols, int rows) {
    table.Clear();
    table.SetCols(cols);
    table.SetRows(rows);
    for (int col = 0; col < cols; ++col)
        table.SetColHidden(col, false);
    table.SetMergeCol(-1, false);
}

void CentreHeaderRow(GridModel& table) {
    if (table.Rows() > 0 && table.Cols() > 0)
        table.SetCellAlignment(GridRange{0, 0, 0, table.Cols() - 1}, AlignCenterCenter);
}

void AlignTrendColumns(GridModel& table) {
    table.SetColAlignment(-1, AlignCenterCenter);
    table.SetColAlignment(1, AlignLeftCenter);
    CentreHeaderRow(table);
}

QString ReadingText(Single value, const SampleSlot& slot) {
    return FormatReading(FormatTrendCell(value, slot.decimals), slot.full);
}

QString BumpJudgeText(Single judge) {
    if (judge == 2)
        return QStringLiteral("PASS");
    if (judge == 1)
        return QStringLiteral("FAIL");
    return QStringLiteral("-----");
}

QString CellWithUnit(const QString& text, const QString& unit) { return text + QLatin1Char(' ') + unit; }

}  // namespace mt52
