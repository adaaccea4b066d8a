#include "views/TableCells.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "platform/GridModel.h"
#include "records/RecordFrame.h"

namespace mt52 {

SlotFormat SlotFormatOf(const RecordFrame& record, Integer slot) {
    SlotFormat format;
    format.full = record.GasListInfo(slot, GasInfoField::Full).toSingle();
    format.point = record.GasListInfo(slot, GasInfoField::Point).toInteger();
    format.unit = TextOf(record.GasListInfo(slot, GasInfoField::Unit));
    format.ratio = record.GasListInfo(slot, GasInfoField::Ratio).toSingle();
    format.enabled = BoolOf(record.GasListInfo(slot, GasInfoField::Enable));
    return format;
}

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

QString ReadingText(Single value, const SlotFormat& slot) {
    return FormatReading(FormatTrendCell(value, slot.point), slot.full);
}

QString WithUnit(const QString& text, const QString& unit) { return text + QLatin1Char(' ') + unit; }

}  // namespace mt52
