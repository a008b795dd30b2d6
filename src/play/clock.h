// The clock control beside the loops: a timed game starts, ticks, stops and, once, is won.
#pragma once

namespace zg {

struct Program;

// A new timed game: the clock starts at the current reading, no final time yet.
void startTimedGame(Program& p);
// Refreshes the label now: " 99:99:99" while the clock is stopped, else the running time.
void updateClock(Program& p);
// Starts the clock's worker: every 50 ms one clockTurn until clockRunning is false.
void clockThread(Program& p);
// One turn of the worker: the running text once per whole second, skipped while the chooser
// draws. Returns whether the clock still runs.
bool clockTurn(Program& p);
// The one finish of a timed game: when the board shows "Brett gelöst!!!" and the clock runs,
// the final time with tenths, the clock stopped, the record check. Does nothing otherwise, so
// a game is won once however often it is called.
void finishIfSolved(Program& p);

}  // namespace zg
