#include "common/GridRowHelpers.h"

#include "platform/Colors.h"
#include "platform/GridModel.h"
#include "platform/RuntimeError.h"

namespace mt52 {

void SetGridRow(GridModel& grid, Long row, Integer firstCol, bool fill, const std::vector<Variant>& values) {
    const int upper = static_cast<int>(values.size()) - 1;
    const int computed = firstCol + upper;
    if (computed > 32767 || computed < -32768)
        Raise(ErrOverflow);
    int lastCol = computed;
    if (lastCol >= grid.Cols())
        lastCol = grid.Cols() - 1;
    QString lastText;
    for (int col = firstCol; col <= lastCol; ++col) {
        lastText = values[static_cast<std::size_t>(col - firstCol)].toString();
        grid.SetTextMatrix(row, col, lastText);
    }
    if (!fill)
        return;
    for (int col = lastCol + 1; col < grid.Cols(); ++col)
        grid.SetTextMatrix(row, col, lastText);
}

Long TrendSearchStatusColor(Long code, bool greyForNoData) {
    return code >= -197 && code <= -193 ? 0 : StatusColor(code, greyForNoData);
}

Long StatusColor(Long code, bool greyForNoData) {
    if (code >= -197 && code <= -193)
        return RGB(160, 160, 0);
    if ((code >= -157 && code <= -150) || (code >= -136 && code <= -130))
        return RGB(128, 128, 128);
    switch (code) {
    case ReadingCode::Over: return RGB(255, 64, 64);
    case ReadingCode::Twa: return RGB(192, 128, 192);
    case ReadingCode::Stel: return RGB(255, 192, 192);
    case ReadingCode::Alarm: return RGB(255, 0, 0);
    case ReadingCode::Warning: return RGB(255, 128, 0);
    case ReadingCode::Normal: return RGB(64, 192, 128);
    case ReadingCode::NoData:
    case 0: return greyForNoData ? RGB(192, 192, 192) : 0;
    default: return 0;
    }
}

}  // namespace mt52
