#include "game/clock.h"

#include <cmath>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "game/program.h"

namespace zg {

namespace {

long long wholeSecond(double seconds) {
    return static_cast<long long>(std::floor(seconds));
}

}  // namespace

void startTimedGame(Program& p) {
    ClockState& clock = p.clock;
    clock.clockRunning = true;
    clock.startTime = p.time().seconds();
    clock.finishClock = false;
    clock.finalTime = "X";
    updateClock(p);
}

void updateClock(Program& p) {
    ClockState& clock = p.clock;
    if (!clock.clockRunning) {
        setClockText(p.panels, kClockIdle);
        return;
    }
    std::string text = kClockZero;  // within the second of the last tick
    const double now = p.time().seconds();
    const long long tick = wholeSecond(now);
    if (tick != clock.lastTick) {
        splitElapsed(clock, now);
        text = runningText(clock);
        clock.lastTick = tick;
    }
    setClockText(p.panels, text);
}

bool clockTurn(Program& p) {
    ClockState& clock = p.clock;
    // A turn overdue from before the stop (the GUI thread slept through it) must not put a
    // running time back over " 99:99:99".
    if (!clock.clockRunning) return false;
    const double now = p.time().seconds();
    const long long tick = wholeSecond(now);
    if (!p.view.drawingBusy && tick != clock.lastTick) {
        splitElapsed(clock, now);
        clock.lastTick = tick;
        if (!clock.finishClock) setClockText(p.panels, runningText(clock));
    }
    return clock.clockRunning;
}

void clockThread(Program& p) {
    p.panels.clockWorker->start([&p] { return clockTurn(p); });
}

}  // namespace zg
