#include "testrun/Clocks.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
Now At(std::int64_t ms, int secondsOfDay = 36000)
{
    return {ms, secondsOfDay};
}
} // namespace

TEST(ClockTexts, StampsAndDisplays)
{
    EXPECT_EQ(StampText(0), "00:00:00");
    EXPECT_EQ(StampText(3723), "01:02:03");
    EXPECT_EQ(StampText(86399), "23:59:59");

    struct Case
    {
        std::int64_t seconds;
        const char *text;
    };
    const Case cases[] = {
        {0, "0:00:00"},      {59, "0:00:59"},
        {-1, "0:00:01"},     {3600, "1:00:00"},
        {86399, "23:59:59"}, {86400 + 5, "0:00:05"},
        {-86401, "0:00:01"}, {std::numeric_limits<std::int64_t>::min(), "15:30:08"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(DisplayText(c.seconds), c.text);
    }
}

TEST(ClockTexts, ReadsTimesOfDayOnly)
{
    struct Case
    {
        const char *text;
        std::optional<std::int64_t> seconds;
    };
    const Case cases[] = {
        {"0:00:00", 0},    {"00:00:00", 0},   {"00:10:00", 600}, {"23:59:59", 86399}, {" 1:2:3 ", 3723},
        {"7:30", 27000},   {"\t0:01:00", 60}, {"25:00:00", {}},  {"12:60:00", {}},    {"12:00:60", {}},
        {"", {}},          {"Time", {}},      {"ab:cd:ef", {}},  {"12", {}},          {"1:2:3:4", {}},
        {"100:00:00", {}}, {"1::00", {}},     {"-1:00:00", {}},  {"1: 00:00", {}},    {"00:00:0x", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadTime(c.text), c.seconds);
    }
}

TEST(ClockTexts, DisplayedTimesReadBackAsTheSameTimeOfDay)
{
    for (std::int64_t s : {0, 1, 59, 60, 3599, 3600, 36000, 86399, 86400, 90061, -45}) {
        SCOPED_TRACE(s);
        const std::int64_t ofDay = (s < 0 ? -s : s) % 86400;
        EXPECT_EQ(ReadTime(DisplayText(s)), ofDay);
    }
}

TEST(Clocks, MeasureFromTheStartMonotonically)
{
    Clocks c;
    c.Start(At(5000, 86390)); // ten seconds before midnight
    EXPECT_EQ(c.StartTime, "23:59:50");
    EXPECT_EQ(c.QuestStart, "23:59:50");
    c.Timer1_Timer(At(5999, 86390));
    EXPECT_EQ(c.Label6, "0:00:00");
    c.Timer1_Timer(At(25000, 10)); // past midnight the time of day is smaller; the clocks don't care
    EXPECT_EQ(c.Label6, "0:00:20");
    EXPECT_EQ(c.LabelD, "0:00:20");

    c.QuestionStarted(At(26500, 11));
    EXPECT_EQ(c.QuestStart, "00:00:11");
    EXPECT_EQ(c.StartTime, "23:59:50");
    EXPECT_EQ(c.LabelD, "");
    c.Timer1_Timer(At(29600, 14));
    EXPECT_EQ(c.Label6, "0:00:24");
    EXPECT_EQ(c.LabelD, "0:00:03");
}

TEST(Clocks, LimitsCountDownAndActAtZeroOrLess)
{
    Clocks c;
    c.Start(At(0));
    c.SetLimits("00:01:00", "00:00:10", false, false);
    EXPECT_EQ(c.Label10, "00:01:00");
    EXPECT_EQ(c.Label11, "00:00:10");

    c.Timer1_Timer(At(9999));
    EXPECT_FALSE(c.Timer2_Timer());
    EXPECT_FALSE(c.Timer3_Timer());
    EXPECT_EQ(c.Label10, "0:00:51");
    EXPECT_EQ(c.Label11, "0:00:01");

    c.Timer1_Timer(At(10000));
    EXPECT_TRUE(c.Timer3_Timer());
    EXPECT_EQ(c.Label11, "0:00:00");

    // A window that could not tick for seconds still sees the limit: the remaining time is negative.
    c.Timer1_Timer(At(64000));
    EXPECT_TRUE(c.Timer2_Timer());
    EXPECT_EQ(c.Label10, "0:00:04");
}

TEST(Clocks, LimitTicksFailQuietlyOnTextsThatAreNotTimes)
{
    Clocks c;
    c.Start(At(0));
    // Before loading has given the limits, and before the display clock has run.
    EXPECT_FALSE(c.Timer2_Timer());
    EXPECT_FALSE(c.Timer3_Timer());
    c.SetLimits("00:00:05", "00:00:05", false, false);
    EXPECT_FALSE(c.Timer2_Timer());
    EXPECT_EQ(c.Label10, "00:00:05");

    c.SetLimits("ab:cd:ef", "0:0", false, false);
    c.Timer1_Timer(At(3'600'000));
    EXPECT_FALSE(c.Timer2_Timer());
    EXPECT_EQ(c.Label10, "ab:cd:ef");
    EXPECT_TRUE(c.Timer3_Timer()); // "0:0" is a limit of zero, not the absence of one
}
