#include "panels/clock_panel.h"

#include <cmath>

#include "engine/clock_state.h"
#include "halloffame/fame_forms.h"
#include "shell/program.h"
#include "view/look.h"

namespace zg {

namespace {

long long wholeSecond(double seconds) {
    return static_cast<long long>(std::floor(seconds));
}

}  // namespace

void drawClockPanel(Canvas& c, const ViewState& view) {
    drawPanelFrame(c, view, 680, 292, 192, 72, 45, "ZEITMESSUNG:");
}

void updateClock(Program& p) {
    ClockState& clock = p.clock;
    std::string text = kClockZero;
    if (!clock.clockRunning) {
        setClockText(p.panels, kClockIdle);
        return;
    }
    const double now = p.time().seconds();
    const long long tick = wholeSecond(now);
    if (tick != clock.lastTick) {
        splitElapsed(clock, now);
        text = runningText(clock);
        clock.lastTick = tick;
    }
    if (clock.finishClock) {
        // The tenths are those of this moment, not of the worker's last turn, which came at
        // the start of the second.
        splitElapsed(clock, now);
        const std::string final = finalText(clock);
        setClockText(p.panels, final);
        clock.finalTime = final;
        clock.clockRunning = false;
        recordCheck(p);
        text = kClockIdle;
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

void startTimedGame(Program& p) {
    ClockState& clock = p.clock;
    clock.clockRunning = true;
    clock.startTime = p.time().seconds();
    clock.finishClock = false;
    clock.finalTime = "X";
    updateClock(p);
}

}  // namespace zg
