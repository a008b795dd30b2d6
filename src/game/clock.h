// The clock control: a timed game starts, ticks and stops.
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

}  // namespace zg
