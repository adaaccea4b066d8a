#pragma once
// Layouts keep their arithmetic in twips; geometry is applied in pixels (15 twips a pixel at 96 dpi).
#include <cmath>

namespace mt52 {

inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }
inline int PixelsToTwips(double pixels) { return static_cast<int>(std::lround(pixels * TwipsPerPixel)); }

// A control's place and size in twips, as a layout computes it.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

}  // namespace mt52
