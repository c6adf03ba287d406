#pragma once

#include <cstdint>

// A moment as the clocks see it: a count that runs on through a suspend and ignores changes of the time of
// day, for measuring; and the time of day, for the stamps. The caller reads both; the engine never does.
struct Now
{
    std::int64_t monotonicMs = 0;
    int secondsOfDay = 0; // 0 to 86399
};

// A local date and time as the caller's clock reads it.
struct LocalDateTime
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
