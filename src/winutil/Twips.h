#pragma once

#include <cmath>

// Window geometry is designed in twips. Qt measures windows in device-independent pixels, 96 to the inch,
// so a pixel is 15 twips at every density.
namespace Twips {
inline constexpr double PerPixel = 15.0;

inline int ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}
inline double FromPixels(int pixels)
{
    return pixels * PerPixel;
}
} // namespace Twips
