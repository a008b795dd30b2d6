#include "play/clock.h"

#include <cmath>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "forms/fame_forms.h"
#include "game/board_ops.h"
#include "game/program.h"

namespace zg {

void finishIfSolved(Program& p) {
    ClockState& clock = p.clock;
    if (!wonNow(p)) return;
    // finishClock keeps any turn of the worker off the label while the final time shows.
    clock.finishClock = true;
    // The tenths are those of this moment, not of the worker's last turn, which came at the
    // start of the second.
    const double now = p.time().seconds();
    splitElapsed(clock, now);
    clock.lastTick = static_cast<long long>(std::floor(now));
    clock.finalTime = finalText(clock);
    setClockText(p.panels, clock.finalTime);
    clock.clockRunning = false;
    recordCheck(p);
    setClockText(p.panels, kClockIdle);
    clock.finishClock = false;
}

}  // namespace zg
