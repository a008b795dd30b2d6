// State of the elapsed-time clock and its texts. The ticking lives in play/clock.cpp.
#pragma once

#include <string>

namespace zg {

inline constexpr const char* kClockIdle = " 99:99:99";
inline constexpr const char* kClockZero = " 00:00:00";

struct ClockState {
    bool clockRunning = false;
    bool finishClock = false;
    double startTime = 0.0;
    long long lastTick = -1;
    double elapsedTime = 0.0;
    long long hours = 0;
    long long minutes = 0;
    std::string finalTime;
};

// Splits now - startTime into hours, minutes and seconds (left in elapsedTime).
void splitElapsed(ClockState& clock, double now);
// " hh:mm:ss" from the split fields.
std::string runningText(const ClockState& clock);
// "hh:mm:ss.s" from the split fields, the seconds rounded to one decimal.
std::string finalText(const ClockState& clock);

}  // namespace zg
