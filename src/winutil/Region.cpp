#include "winutil/Region.h"

#include <cmath>
#include <limits>

std::int32_t RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone changed it.
    const double rounded = std::nearbyint(value);
    if (std::isnan(rounded)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (rounded <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

RoundRect ShapeRect(double top, double left, double height, double width, double cornerHeight,
                    double cornerWidth, double twipsPerPixelX, double twipsPerPixelY)
{
    RoundRect r;
    r.left = RoundHalfEven(left / twipsPerPixelX);
    r.top = RoundHalfEven(top / twipsPerPixelY);
    r.right = RoundHalfEven(width / twipsPerPixelX);
    r.bottom = RoundHalfEven(height / twipsPerPixelY);
    r.ellipseWidth = RoundHalfEven(cornerWidth);
    r.ellipseHeight = RoundHalfEven(cornerHeight);
    return r;
}
