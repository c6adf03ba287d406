#include "winutil/Region.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Region, RoundsHalvesToEvenAndClampsToInt32)
{
    struct Case
    {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {552.5, 552},      {553.5, 554},       {-2.5, -2},        {506.25, 506},         {304.9, 305},
        {1e12, INT32_MAX}, {-1e12, INT32_MIN}, {std::nan(""), 0}, {HUGE_VAL, INT32_MAX},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfEven(c.value), c.expected);
    }
}

TEST(Region, WindowShapesInPixels)
{
    struct Case
    {
        const char *window;
        double width, height, twipsPerPixel;
        std::int32_t right, bottom;
    };
    const Case cases[] = {
        {"About at 96 dpi", 6075, 3660, 15, 405, 244},
        {"Chose at 96 dpi", 6630, 3225, 15, 442, 215},
        {"End at 96 dpi", 5565, 3285, 15, 371, 219},
        {"About at 120 dpi", 6075, 3660, 12, 506, 305},
        {"Chose at 120 dpi, a half goes to even", 6630, 3225, 12, 552, 269},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.window);
        const RoundRect r = ShapeRect(0, 0, c.height, c.width, 50, 50, c.twipsPerPixel, c.twipsPerPixel);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, c.right);
        EXPECT_EQ(r.bottom, c.bottom);
        // Corners are pixels at every resolution.
        EXPECT_EQ(r.ellipseWidth, 50);
        EXPECT_EQ(r.ellipseHeight, 50);
    }
}

TEST(Region, ConvertsEachEdgeWithItsOwnAxis)
{
    const RoundRect r = ShapeRect(300, 600, 3000, 6000, 40, 20, 12, 15);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 500);
    EXPECT_EQ(r.bottom, 200);
    EXPECT_EQ(r.ellipseWidth, 20);
    EXPECT_EQ(r.ellipseHeight, 40);
}
