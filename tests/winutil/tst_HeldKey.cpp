#include "winutil/HeldKey.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

namespace {
// Each event as its kind and time: 'P' a press, 'R' a release. Each press acts ('1') or not ('0').
TEST(HeldKey, OnePhysicalPressActsOnceAndALostReleaseCostsNoPress)
{
    const std::tuple<const char *, const char *, std::string> cases[] = {
        {"X11 hold: releases and presses in pairs, then a new press",
         "P100 R760 P760 R800 P800 R840 P840 R900 P1500", "10001"},
        {"release lost, then a press", "P100 P400", "11"},
        {"times unknown", "P0 R0 P0", "11"},
    };
    for (const auto &[name, events, acts] : cases) {
        SCOPED_TRACE(name);
        HeldKey key;
        std::string acted;
        std::istringstream in(events);
        char kind = 0;
        std::uint64_t time = 0;
        while (in >> kind >> time) {
            if (kind == 'R')
                key.Release(time);
            else
                acted += key.NewPress(time) ? '1' : '0';
        }
        EXPECT_EQ(acted, acts);
    }
}
} // namespace
