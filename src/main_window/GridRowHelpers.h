#pragma once
// Small helpers of every page that fills a grid: the cell colour of a reading code, and the
// number of usable samples of an interval trend (so that a view can size its table).
#include "common/ReadingCodes.h"
#include "platform/Types.h"
#include "platform/Variant.h"

namespace mt52 {

// The cell colour of a reading or event code (red + 256 green + 65536 blue); 0 means no
// colour of its own. No data (-101) and 0 are grey only when greyForNoData is set.
Long StatusColor(Long code, bool greyForNoData);

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
