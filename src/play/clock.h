// The end of a timed game: won once.
#pragma once

namespace zg {

struct Program;

// The one finish of a timed game: when the board shows "Brett gelöst!!!" and the clock runs,
// the final time with tenths, the clock stopped, the record check. Does nothing otherwise, so
// a game is won once however often it is called.
void finishIfSolved(Program& p);

}  // namespace zg
