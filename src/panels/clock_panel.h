// The ZEITMESSUNG panel and the clock label's text.
#pragma once

namespace zg {

struct Program;

void drawClockPanel(Program& p);
// Refreshes the label now; finishes a solved timed game when finishClock is set.
void updateClock(Program& p);

}  // namespace zg
