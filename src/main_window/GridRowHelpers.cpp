#include "main_window/GridRowHelpers.h"

namespace mt52 {

namespace {

constexpr Long Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

}  // namespace

Long StatusColor(Long code, bool greyForNoData) {
    if (code >= -197 && code <= -193)
        return Rgb(160, 160, 0);
    if ((code >= -157 && code <= -150) || (code >= -136 && code <= -130))
        return Rgb(128, 128, 128);
    switch (code) {
    case ReadingCode::Over: return Rgb(255, 64, 64);
    case ReadingCode::Twa: return Rgb(192, 128, 192);
    case ReadingCode::Stel: return Rgb(255, 192, 192);
    case ReadingCode::Alarm: return Rgb(255, 0, 0);
    case ReadingCode::Warning: return Rgb(255, 128, 0);
    case ReadingCode::Normal: return Rgb(64, 192, 128);
    case ReadingCode::NoData:
    case 0: return greyForNoData ? Rgb(192, 192, 192) : 0;
    default: return 0;
    }
}

}  // namespace mt52
