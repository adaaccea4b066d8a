#include "views/HistoryTables.h"

#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Colors.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "platform/VbString.h"
#include "records/clsHistory.h"
#include "views/SampleTextParts.h"
#include "views/TableCells.h"

#include <array>

namespace mt52 {

namespace {

constexpr int TableCols = 8;
constexpr int FirstGasCol = 3;
constexpr Integer GasSlots = 5;
constexpr Long Shade = RGB(240, 240, 240);
const QString NoValue = QStringLiteral("-----");

}  // namespace

void FillHistoryTable(const clsHistory& record, bool bumpTest, GridModel& table) {
    const int rowsPerItem = bumpTest ? 3 : 2;
    const int items = record.DataCount();
    PrepareTable(table, TableCols, rowsPerItem * items + 1);

    const SampleSlots gases = ReadSampleSlots(record);
    std::vector<Variant> header{GetResText(5620), GetResText(5621), QString()};
    for (Integer gas = 0; gas < GasSlots; ++gas)
        header.emplace_back(GasCaptionOf(record, gas));
    SetGridRow(table, 0, 0, false, header);

    const auto readings = [&](auto reading, Integer item) {
        std::vector<Variant> cells;
        for (Integer gas = 0; gas < GasSlots; ++gas)
            cells.emplace_back(FormatTrendCell(reading(gas, item), gases[static_cast<std::size_t>(gas)].decimals));
        return cells;
    };
    const auto writeRow = [&](int row, std::vector<Variant> lead, const std::vector<Variant>& cells) {
        lead.insert(lead.end(), cells.begin(), cells.end());
        SetGridRow(table, row, 0, false, lead);
    };
    for (Integer item = 0; item < items; ++item) {
        const int first = rowsPerItem * item + 1;
        writeRow(first, {Long(item + 1), GeneralDate(record.Dates(item)), GetResText(bumpTest ? 5682 : 5633)},
                 readings([&](Integer gas, Integer i) { return record.Before(gas, i); }, item));
        writeRow(first + 1, {QString(), QString(), GetResText(bumpTest ? 5681 : 5634)},
                 readings([&](Integer gas, Integer i) { return record.After(gas, i); }, item));
        if (bumpTest) {
            std::vector<Variant> judges;
            for (Integer gas = 0; gas < GasSlots; ++gas)
                judges.emplace_back(BumpJudgeText(record.Judge(gas, item)));
            writeRow(first + 2, {QString(), QString(), GetResText(5683)}, judges);
        }
    }

    // Shading: the rows of the readings grey, the row that closes an item (the "After" row of a
    // calibration, the "Judge" row of a bump test) plain.
    for (int row = 1; row < table.Rows(); ++row) {
        const bool plain = bumpTest ? row % 3 == 0 : row % 2 == 0;
        table.SetCellBackColor(GridRange{row, 1, row, table.Cols() - 1}, plain ? 0 : Shade);
    }

    table.SetColAlignment(-1, AlignCenterCenter);
    table.SetColAlignment(1, AlignLeftCenter);
    table.SetColAlignment(2, AlignLeftCenter);
    CentreHeaderRow(table);
    for (int row = 1; row < table.Rows(); ++row) {
        for (int col = FirstGasCol; col < table.Cols(); ++col) {
            const QString text = table.TextMatrix(row, col);
            if (IsNumeric(text))
                table.SetTextMatrix(row, col, CellWithUnit(text, gases[static_cast<std::size_t>(col - FirstGasCol)].unit));
            else if (Trim(text) != NoValue)
                table.SetCellAlignment(row, col, AlignLeftCenter);
        }
    }
    if (!bumpTest) {
        table.SetColHidden(5, true);
        table.SetColHidden(6, true);
    }
}

}  // namespace mt52
