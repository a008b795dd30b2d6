#include "engine/clock_state.h"

#include <gtest/gtest.h>

namespace zg {
namespace {

TEST(ClockState, ElapsedTimeAsTheClockShowsIt) {
    const struct {
        double start, now;
        const char *running, *final;
    } cases[] = {
        {100.0, 100.0, " 00:00:00", "00:00:00.0"},
        {10.0, 17.25, " 00:00:07", "00:00:07.3"},  // halves round up
        {0.0, 59.96, " 00:00:59", "00:00:60.0"},
        {0.0, 3599.9, " 00:59:59", "00:59:59.9"},
        {0.0, 3600.0 * 123 + 61, " 23:01:01", "23:01:01.0"},  // hours keep two digits
        {50.0, 20.0, " 00:00:00", "00:00:00.0"},              // a clock that went back
    };
    for (const auto& c : cases) {
        ClockState clock;
        clock.startTime = c.start;
        splitElapsed(clock, c.now);
        EXPECT_EQ(runningText(clock), c.running) << c.now;
        EXPECT_EQ(finalText(clock), c.final) << c.now;
    }
}

}  // namespace
}  // namespace zg
