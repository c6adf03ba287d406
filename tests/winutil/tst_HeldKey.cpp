#include "winutil/HeldKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct KeyEvent
{
    char kind; // 'P' a press, 'M' a press the window system marks as a repeat, 'R' a release
    std::uint64_t time;
};

// Each press of a sequence acts ('1') or not ('0').
TEST(HeldKey, OnePhysicalPressActsOnceAndALostReleaseCostsNoPress)
{
    const std::tuple<const char *, std::vector<KeyEvent>, std::string> cases[] = {
        {"X11 hold: releases and presses in pairs, then a new press",
         {{'P', 100},
          {'R', 760},
          {'P', 760},
          {'R', 800},
          {'M', 800},
          {'R', 840},
          {'P', 840},
          {'R', 900},
          {'P', 1500}},
         "10001"},
        {"Windows hold: marked presses, then a new press",
         {{'P', 100}, {'M', 600}, {'M', 633}, {'M', 666}, {'R', 700}, {'P', 900}},
         "10001"},
        {"release lost, then a press", {{'P', 100}, {'P', 400}}, "11"},
        {"release lost, then a press marked long after the last", {{'P', 100}, {'M', 5000}}, "11"},
        {"release seen, then a stale mark", {{'P', 100}, {'R', 150}, {'M', 300}}, "11"},
        {"times unknown", {{'P', 0}, {'R', 0}, {'P', 0}}, "11"},
    };
    for (const auto &[name, events, acts] : cases) {
        SCOPED_TRACE(name);
        HeldKey key;
        std::string acted;
        for (const KeyEvent &e : events) {
            if (e.kind == 'R')
                key.Release(e.time);
            else
                acted += key.NewPress(e.time, e.kind == 'M') ? '1' : '0';
        }
        EXPECT_EQ(acted, acts);
    }
}
} // namespace
