// The end of a timed game: won once.
#pragma once

namespace zg {

struct Program;

// The one finish of a timed game: when the board is solved while the clock runs (wonNow),
// the final time with tenths, the clock stopped, the record check. Does nothing otherwise, so
// a game is won once however often it is called.
void finishIfSolved(Program& p);

}  // namespace zg
