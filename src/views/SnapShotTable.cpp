#include "views/SnapShotTable.h"

#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "records/clsSnapShot.h"
#include "views/TableCells.h"

namespace mt52 {

namespace {

QString SnapShotValueText(const clsSnapShot& record) {
    const Single value = record.GasValue(0);
    if (value == ReadingCode::NoData || value == ReadingCode::MarkFEFE)
        return QStringLiteral("-----");
    if (value == ReadingCode::MarkDDDD)
        return QStringLiteral("*****");
    return TextOf(record.GasListInfo(0, SnapShotGasField::gasval)) + TextOf(record.GasListInfo(0, SnapShotGasField::Unit));
}

}  // namespace

void FillSnapShotTable(const clsSnapShot& record, GridModel& table) {
    PrepareTable(table, 3, 2);
    SetGridRow(table, 0, 0, false, {GetResText(5620), GetResText(5621), GasCaptionOf(record, 0)});
    SetGridRow(table, 1, 0, false,
               {Long(1), TextOf(record.GasBaseInfo(LogHeaderField::Dates)), SnapShotValueText(record)});
    const QString value = table.TextMatrix(1, 2);
    if (IsNumeric(value))
        table.SetTextMatrix(1, 2, CellWithUnit(value, TextOf(record.GasListInfo(0, GasInfoField::Unit))));
    AlignTrendColumns(table);
}

}  // namespace mt52
