#pragma once
// Layouts keep their arithmetic in twips; geometry is applied in pixels (15 twips a pixel at 96 dpi).
#include <cmath>

namespace mt52 {

inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }
inline int PixelsToTwips(double pixels) { return static_cast<int>(std::lround(pixels * TwipsPerPixel)); }

}  // namespace mt52
