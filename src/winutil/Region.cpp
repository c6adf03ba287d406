#include "winutil/Region.h"

#include <algorithm>
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

std::vector<PixelRect> RoundRectArea(const RoundRect &shape)
{
    const std::int64_t width = std::int64_t(shape.right) - shape.left;
    const std::int64_t height = std::int64_t(shape.bottom) - shape.top;
    std::vector<PixelRect> bands;
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) {
        return bands;
    }
    const double rx = static_cast<double>(std::clamp<std::int64_t>(shape.ellipseWidth, 0, width)) / 2.0;
    const double ry = static_cast<double>(std::clamp<std::int64_t>(shape.ellipseHeight, 0, height)) / 2.0;
    for (std::int64_t row = 0; row < height; ++row) {
        const double fromEdge = double(std::min(row, height - 1 - row)) + 0.5;
        std::int32_t inset = 0;
        if (ry > 0 && fromEdge < ry) {
            const double dy = (ry - fromEdge) / ry;
            inset = static_cast<std::int32_t>(std::lround(rx - rx * std::sqrt(1.0 - dy * dy)));
        }
        const PixelRect line{shape.left + inset, static_cast<std::int32_t>(shape.top + row),
                             static_cast<std::int32_t>(width - 2 * std::int64_t(inset)), 1};
        // Rows below the corners are all alike: one band holds them.
        if (!bands.empty() && bands.back().x == line.x && bands.back().width == line.width) {
            ++bands.back().height;
        } else {
            bands.push_back(line);
        }
    }
    return bands;
}
