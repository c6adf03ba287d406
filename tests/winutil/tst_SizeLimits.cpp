#include "winutil/SizeLimits.h"

#include <gtest/gtest.h>

namespace {
MINMAXINFO PlatformRecord()
{
    MINMAXINFO info;
    info.ptReserved = {1, 2};
    info.ptMaxSize = {1920, 1080};
    info.ptMaxPosition = {-8, -8};
    info.ptMinTrackSize = {136, 39};
    info.ptMaxTrackSize = {1940, 1100};
    return info;
}

bool Same(const PointL &a, const PointL &b)
{
    return a.x == b.x && a.y == b.y;
}
} // namespace

TEST(SizeLimits, ZerosLeaveTheRecordAsThePlatformFilledIt)
{
    MINMAXINFO info = PlatformRecord();
    ApplySizeLimits({}, info);
    const MINMAXINFO before = PlatformRecord();
    EXPECT_TRUE(Same(info.ptReserved, before.ptReserved));
    EXPECT_TRUE(Same(info.ptMaxSize, before.ptMaxSize));
    EXPECT_TRUE(Same(info.ptMaxPosition, before.ptMaxPosition));
    EXPECT_TRUE(Same(info.ptMinTrackSize, before.ptMinTrackSize));
    EXPECT_TRUE(Same(info.ptMaxTrackSize, before.ptMaxTrackSize));
}

TEST(SizeLimits, QuestionWindowMinimumKeepsThePlatformMaximum)
{
    MINMAXINFO info = PlatformRecord();
    ApplySizeLimits({641, 489, 0, 0}, info);
    EXPECT_TRUE(Same(info.ptMinTrackSize, {641, 489}));
    EXPECT_TRUE(Same(info.ptMaxTrackSize, PlatformRecord().ptMaxTrackSize));
    EXPECT_TRUE(Same(info.ptMaxSize, PlatformRecord().ptMaxSize));
}

TEST(SizeLimits, EachLimitGoesToItsFieldRoundedHalfToEven)
{
    MINMAXINFO info = PlatformRecord();
    ApplySizeLimits({640.5f, 489.5f, 1000.4f, 0.5f}, info);
    EXPECT_TRUE(Same(info.ptMinTrackSize, {640, 490}));
    EXPECT_TRUE(Same(info.ptMaxTrackSize, {1000, 0}));
}
