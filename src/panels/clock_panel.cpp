#include "panels/clock_panel.h"

#include <cmath>

#include "engine/clock_state.h"
#include "halloffame/fame_forms.h"
#include "shell/program.h"
#include "view/look.h"

namespace zg {

void drawClockPanel(Program& p) {
    drawPanelFrame(p.canvas(), p.view, 680, 292, 192, 72, 45, "ZEITMESSUNG:");
}

void updateClock(Program& p) {
    ClockState& clock = p.clock;
    std::string text = kClockZero;
    if (!clock.clockRunning) {
        p.panels.uhr.setText(kClockIdle);
        return;
    }
    const double now = p.time().seconds();
    const auto tick = static_cast<long long>(std::floor(now));
    if (tick != clock.lastTick) {
        splitElapsed(clock, now);
        text = runningText(clock);
        clock.lastTick = tick;
    }
    if (clock.finishClock) {
        const std::string final = finalText(clock);
        p.panels.uhr.setText(final);
        clock.finalTime = final;
        clock.clockRunning = false;
        recordCheck(p);
        text = kClockIdle;
    }
    p.panels.uhr.setText(text);
}

}  // namespace zg
