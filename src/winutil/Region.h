#pragma once

#include <cstdint>

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
