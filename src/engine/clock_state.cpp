#include "engine/clock_state.h"

#include <cmath>

namespace zg {

namespace {

// The last two characters of "0" followed by the number: 7 -> 07, 123 -> 23.
std::string twoDigits(long long n) {
    std::string s = "0" + std::to_string(n < 0 ? 0 : n);
    return s.substr(s.size() - 2);
}

}  // namespace

void splitElapsed(ClockState& clock, double now) {
    double e = now - clock.startTime;
    if (!(e >= 0.0)) e = 0.0;  // a clock that went back (or NaN) counts as no time
    clock.hours = static_cast<long long>(std::floor(e / 3600.0));
    e -= static_cast<double>(clock.hours) * 3600.0;
    clock.minutes = static_cast<long long>(std::floor(e / 60.0));
    e -= static_cast<double>(clock.minutes) * 60.0;
    clock.elapsedTime = e;
}

std::string runningText(const ClockState& clock) {
    auto secs = static_cast<long long>(std::floor(clock.elapsedTime));
    return " " + twoDigits(clock.hours) + ":" + twoDigits(clock.minutes) + ":" + twoDigits(secs);
}

std::string finalText(const ClockState& clock) {
    // Halves round up, as the display always did (7.25 s gives 07.3).
    auto tenths = static_cast<long long>(std::floor(clock.elapsedTime * 10.0 + 0.5 + 1e-9));
    std::string s = "0" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    return twoDigits(clock.hours) + ":" + twoDigits(clock.minutes) + ":" + s.substr(s.size() - 4);
}

}  // namespace zg
