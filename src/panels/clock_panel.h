// The ZEITMESSUNG panel and the clock label's text.
#pragma once

namespace zg {

struct Program;
struct ViewState;
class Canvas;

void drawClockPanel(Canvas& c, const ViewState& view);
// Refreshes the label now; finishes a solved timed game when finishClock is set.
void updateClock(Program& p);
// Starts the clock's worker: every 50 ms one clockTurn until clockRunning is false.
void clockThread(Program& p);
// One turn of the worker: the running text once per whole second, skipped while the chooser
// draws. Returns whether the clock still runs.
bool clockTurn(Program& p);
// A new timed game: the clock starts at the current reading, no final time yet.
void startTimedGame(Program& p);

}  // namespace zg
