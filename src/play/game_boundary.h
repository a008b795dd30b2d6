// What outlives a boundary of play: the one place that decides what a new game keeps of the
// player's aids (cursor, hint, pause, undo history), the candidate marks and the clock.
//
// A new game crosses newPuzzle, then loop (as its play loop starts and as it ends), then
// commandEnd: it starts with no marks and no aids, and its clock stops with the command.
#pragma once

namespace zg {

struct Program;

enum class Boundary {
    newPuzzle,   // "&Neues Spiel" has placed a new puzzle: the marks belong to the old one
    loop,        // a play loop or the editor begins or ends
    commandEnd,  // a menu command's idle steps
};

void crossBoundary(Program& p, Boundary b);

}  // namespace zg
