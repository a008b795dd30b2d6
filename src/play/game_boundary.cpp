#include "play/game_boundary.h"

#include "game/board_ops.h"
#include "game/program.h"
#include "play/player_aids.h"

namespace zg {

namespace {

struct Survivors {
    bool aids;   // cursor, hint, pause, undo history, the chooser's pending key release
    bool marks;  // candidateMarks
    bool clock;  // a running timed game
};

constexpr Survivors survivorsOf(Boundary b) {
    switch (b) {
        case Boundary::newPuzzle:
            return {true, false, true};
        case Boundary::loop:
            return {false, true, true};
        case Boundary::commandEnd:
            return {true, true, false};
    }
    return {true, true, true};
}

}  // namespace

void crossBoundary(Program& p, Boundary b) {
    const Survivors keep = survivorsOf(b);
    if (!keep.aids) {
        p.view.chooserKey = 0;
        hideCursor(p);
        endHint(p);
        if (p.play.paused) uncoverBoard(p);
        p.play.history.clear();
        p.play.cursorColumn = p.play.cursorRow = 1;
    }
    if (!keep.marks) p.model.candidateMarks.clear();
    if (!keep.clock) endTimedGame(p);
}

}  // namespace zg
