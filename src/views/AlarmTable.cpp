#include "views/AlarmTable.h"

#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Colors.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "records/clsAlarm.h"
#include "views/SampleTextParts.h"
#include "views/TableCells.h"

#include <algorithm>
#include <array>

namespace mt52 {

namespace {

constexpr int TableCols = 6;
constexpr int ShownGasSlots = 4;
constexpr Integer VolSlot = 4;
constexpr Long AlarmMomentColour = RGB(255, 0, 0);

}  // namespace

// With the top at row 1 the last visible row is `visibleRows` (or the table's last), and the
// top moves to the alarm row less half of that. The grid keeps the top within its rows; the
// top never goes so far that the view would show rows past the table's end.
int AlarmMomentTopRow(int rows, int visibleRows) {
    if (visibleRows <= 0)
        return std::clamp(AlarmMomentRow, 1, std::max(1, rows - 1));
    const int bottom = std::min(visibleRows, rows - 1);
    const int top = static_cast<int>(RoundHalfEven(AlarmMomentRow - bottom / 2.0 + 1));
    return std::clamp(top, 1, std::max(1, rows - visibleRows));
}

void FillAlarmTable(const clsAlarm& record, GridModel& table, int visibleRows, TrendGasColumns shown) {
    const int samples = static_cast<int>(record.DataCount());
    PrepareTable(table, TableCols, samples + 1);
    const bool hideLastTwo = shown == TrendGasColumns::FirstTwo;
    table.SetColHidden(4, hideLastTwo);
    table.SetColHidden(5, hideLastTwo);
    table.SetMergeCol(4, true);
    table.SetMergeCol(5, true);
    SetGridRow(table, 0, 0, false,
               {GetResText(5620), GetResText(5621), GasCaptionOf(record, 0), GasCaptionOf(record, 1),
                GasCaptionOf(record, 2), GasCaptionOf(record, 3)});

    const SampleSlots gases = ReadSampleSlots(record);
    const SampleSlot& first = gases[0];
    const SampleSlot& vol = gases[VolSlot];

    for (int i = 0; i < samples; ++i) {
        std::array<Single, ShownGasSlots> readings{};
        std::array<QString, ShownGasSlots> texts;
        for (Integer slot = 0; slot < ShownGasSlots; ++slot) {
            const auto s = static_cast<std::size_t>(slot);
            readings[s] = record.value(slot, i);
            texts[s] = ReadingText(readings[s], gases[s]);
        }
        // Over the %LEL range the reading in vol% says more, when it is within its own range.
        const Single volReading = record.value(VolSlot, i);
        if (first.enable && readings[0] >= first.full && volReading > 0 && volReading <= vol.full) {
            texts[0] = ReadingText(volReading, vol);
            if (IsNumeric(texts[0]))
                texts[0] += UnitSuffix(ReadingCode::UnitVol, vol.ratio, volReading, vol.full, QString(), vol.unit);
        }
        for (std::size_t s = 0; s < texts.size(); ++s) {
            if (IsNumeric(texts[s]))
                texts[s] += UnitSuffix(ReadingCode::UnitLel, gases[s].ratio, readings[s], gases[s].full, QString(),
                                       gases[s].unit);
        }
        const int row = i + 1;
        SetGridRow(table, row, 0, false,
                   {Long(row), GeneralDate(record.DateTimes(i)), texts[0], texts[1], texts[2], texts[3]});
    }

    if (table.Rows() > AlarmMomentRow)
        table.SetCellBackColor(GridRange{AlarmMomentRow, 1, AlarmMomentRow, table.Cols() - 1}, AlarmMomentColour);
    table.SetTopRow(AlarmMomentTopRow(table.Rows(), visibleRows));
    AlignTrendColumns(table);
}

}  // namespace mt52
