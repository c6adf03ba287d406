#include "winutil/SizeLimits.h"

#include "winutil/Region.h"

#include <algorithm>

namespace {
void ApplyLimit(float limit, std::int32_t &field)
{
    if (limit != 0) {
        field = RoundHalfEven(limit);
    }
}
} // namespace

void ApplySizeLimits(const SizeLimitValues &limits, SizeLimits::MINMAXINFO &info)
{
    ApplyLimit(limits.MinTrackWidth, info.ptMinTrackSize.x);
    ApplyLimit(limits.MinTrackHeight, info.ptMinTrackSize.y);
    ApplyLimit(limits.MaxTrackWidth, info.ptMaxTrackSize.x);
    ApplyLimit(limits.MaxTrackHeight, info.ptMaxTrackSize.y);
}

SizeLimits::PointL FitWithin(const SizeLimits::PointL &size, const SizeLimits::PointL &area)
{
    return {std::min(size.x, area.x), std::min(size.y, area.y)};
}
