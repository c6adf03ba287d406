#pragma once

#include <cstdint>

// The platform's records of the same names and layout, in a namespace of their own so that they never
// meet the platform's declarations.
namespace SizeLimits {
struct PointL
{
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The size-limit record a window answers when asked how small or large it may be (pixels).
struct MINMAXINFO
{
    PointL ptReserved;
    PointL ptMaxSize;
    PointL ptMaxPosition;
    PointL ptMinTrackSize;
    PointL ptMaxTrackSize;
};
} // namespace SizeLimits

// Limits in pixels; 0 leaves a field as the platform set it.
struct SizeLimitValues
{
    float MinTrackWidth = 0;
    float MinTrackHeight = 0;
    float MaxTrackWidth = 0;
    float MaxTrackHeight = 0;
};

// Writes the non-zero limits, rounded half to even, into the record.
void ApplySizeLimits(const SizeLimitValues &limits, SizeLimits::MINMAXINFO &info);

// A size no larger than area on either axis. A window's minimum and its size when it opens give way to a
// screen smaller than the window was designed for, so that all of it, its buttons too, stays in reach.
SizeLimits::PointL FitWithin(const SizeLimits::PointL &size, const SizeLimits::PointL &area);
