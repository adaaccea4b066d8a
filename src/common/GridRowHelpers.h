#pragma once
// Small helpers of every page that fills a grid: a row of values in one call, the cell colour
// of a reading code, and the number of usable samples of an interval trend (so that a view
// can size its table).
#include "common/ReadingCodes.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <vector>

namespace mt52 {

class GridModel;

// Writes the text of values[k] into the cell (row, firstCol + k); values beyond the grid's
// last column are dropped. With `fill`, every cell of the row after the last one written up to
// the last column receives the last value's text again (empty texts when there are no values).
// The last column is computed in 16-bit arithmetic: firstCol + values.size() - 1 above 32767
// raises the overflow error (6); a Null value raises error 94; a row or column outside the
// grid raises the subscript error (9). Cells written before a failure keep their new text.
void SetGridRow(GridModel& grid, Long row, Integer firstCol, bool fill, const std::vector<Variant>& values);

// The cell colour of a reading or event code (red + 256 green + 65536 blue); 0 means no
// colour of its own. No data (-101) and 0 are grey only when greyForNoData is set.
Long StatusColor(Long code, bool greyForNoData);
// The trend-search window's cell colours: StatusColor without the colour of the codes -197 to
// -193, which stay without a colour of their own there.
Long TrendSearchStatusColor(Long code, bool greyForNoData);

// The samples of gas slot 0 that hold a reading (at least 0) or the over-range code, when
// slot 0 is enabled (GasListInfo field 10); 0 when it is not. Other slots are not counted.
// TrendRecord is an interval-trend model: DataCount(), GasValue(slot, index) and
// GasListInfo(slot, field), the last two returning Variants.
template <typename TrendRecord>
Long CountValidSamples(const TrendRecord& record) {
    constexpr int EnableField = 10;
    Long count = 0;
    const Long samples = record.DataCount();
    for (Long i = 0; i < samples; ++i) {
        const Single value = Variant(record.GasValue(0, i)).toSingle();
        if (value >= 0 || value == ReadingCode::Over)
            ++count;
    }
    return Variant(record.GasListInfo(0, EnableField)).toBool() ? count : 0;
}

}  // namespace mt52
