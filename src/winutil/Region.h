#pragma once

#include <cstdint>
#include <vector>

// Rounds to the nearest integer, halves to the even neighbour.
std::int32_t RoundHalfEven(double value);

// A rounded rectangle in pixels, in the window's own coordinates.
struct RoundRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t ellipseWidth = 0;
    std::int32_t ellipseHeight = 0;
};

// The shape of a borderless window: its rectangle given in twips, converted with the screen's twips per
// pixel; the corner ellipse is given in pixels and is not converted.
RoundRect ShapeRect(double top, double left, double height, double width, double cornerHeight,
                    double cornerWidth, double twipsPerPixelX, double twipsPerPixelY);

// A rectangle of whole pixels.
struct PixelRect
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PixelRect &) const = default;
};

// The pixels of a rounded rectangle, as bands of rows from top to bottom. In the corners each row is
// inset by the ellipse's curve at the row's middle, the same on the left and on the right; a window mask
// has no partial pixels, so this is as clean as a corner can be.
std::vector<PixelRect> RoundRectArea(const RoundRect &shape);
