#include "winutil/Region.h"
#include "winutil/SizeLimits.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>

namespace {
using SizeLimits::MINMAXINFO;
using SizeLimits::PointL;

// A record of 32-bit fields, compared field by field.
template <std::size_t N> using Fields = std::array<std::int32_t, N>;

TEST(Region, WindowShapesInPixels)
{
    // top, left, height, width, corner height and width, twips per pixel x and y; left, top, right, bottom,
    // corner width and height. Corners are pixels at every resolution.
    const std::tuple<const char *, std::array<double, 8>, RoundRect> cases[] = {
        {"Chose at 96 dpi", {0, 0, 3225, 6630, 50, 50, 15, 15}, {0, 0, 442, 215, 50, 50}},
        {"Chose at 120 dpi, half to even", {0, 0, 3225, 6630, 50, 50, 12, 12}, {0, 0, 552, 269, 50, 50}},
        {"each edge with its own axis", {300, 600, 3000, 6000, 40, 20, 12, 15}, {50, 20, 500, 200, 20, 40}}};
    for (const auto &[window, in, out] : cases) {
        SCOPED_TRACE(window);
        const RoundRect r = ShapeRect(in[0], in[1], in[2], in[3], in[4], in[5], in[6], in[7]);
        EXPECT_EQ(std::bit_cast<Fields<6>>(r), std::bit_cast<Fields<6>>(out));
    }
}

// Corners are the same on the left and on the right, and span half the ellipse each way.
TEST(Region, RoundedCornersAreEvenOnBothSides)
{
    for (const RoundRect shape : {RoundRect{0, 0, 442, 215, 50, 50}, RoundRect{0, 0, 552, 269, 50, 50},
                                  RoundRect{0, 0, 30, 10, 50, 50}}) {
        std::int32_t rows = 0;
        for (const PixelRect &band : RoundRectArea(shape)) {
            EXPECT_EQ(band.x - shape.left, shape.right - (band.x + band.width));
            rows += band.height;
        }
        EXPECT_EQ(rows, shape.bottom - shape.top);
    }
    const auto area = RoundRectArea({0, 0, 552, 269, 50, 50});
    EXPECT_EQ(area.front(), (PixelRect{20, 0, 512, 1}));
    EXPECT_EQ(area[area.size() / 2], (PixelRect{0, 20, 552, 229}));
}

TEST(SizeLimits, ZeroLeavesAFieldAsThePlatformSetItAndValuesRoundHalfToEven)
{
    const MINMAXINFO platform{{1, 2}, {1920, 1080}, {-8, -8}, {136, 39}, {1940, 1100}};
    const std::tuple<SizeLimitValues, PointL, PointL> cases[] = {
        {{}, {136, 39}, {1940, 1100}},
        {{641, 489, 0, 0}, {641, 489}, {1940, 1100}}, // the question window's
        {{640.5f, 489.5f, 1000.4f, 0.5f}, {640, 490}, {1000, 0}}};
    for (const auto &[limits, minTrack, maxTrack] : cases) {
        MINMAXINFO info = platform;
        ApplySizeLimits(limits, info);
        MINMAXINFO expected = platform;
        expected.ptMinTrackSize = minTrack;
        expected.ptMaxTrackSize = maxTrack;
        EXPECT_EQ(std::bit_cast<Fields<10>>(info), std::bit_cast<Fields<10>>(expected)) << minTrack.x;
    }
}
} // namespace
