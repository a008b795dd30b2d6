// How hard a puzzle is for the game's solver. The game's own solveCommand decides whether its
// logical passes finish a puzzle; a traced copy of the passes tells how they got there.
#pragma once

#include <array>
#include <vector>

#include "solution_counter.h"

namespace zg::tools {

// column, row (1..6) and value, in the order the solver drew them.
using Placement = std::array<int, 3>;

enum class Outcome { solved, open, conflict };

// What the game's solve command does to a fresh model (level 0) whose board and givens are
// the puzzle.
struct GameSolve {
    Cells board{};
    Outcome outcome = Outcome::open;
    bool raisedLevel = false;           // the passes failed and the solver guessed
    std::vector<Placement> drawnCells;  // every cell the solver drew, in order
};

GameSolve runGameSolver(const Cells& puzzle);

// The solver's ten passes, step by step, counting which deduction placed each value.
struct PassTrace {
    int passesNeeded = 0;  // the pass (1..10) after which the board was full; 0 if never
    int byCell = 0;        // a cell with one fitting value (first half of the box step)
    int byBox = 0;         // a value with one fitting cell in a box
    int byLine = 0;        // a value with one fitting cell in a row or a column
    std::vector<Placement> placements;
};

PassTrace tracePasses(const Cells& puzzle);

// The difficulty of a puzzle that the passes finish: passes needed first, then the number of
// values placed by the row and column steps rather than the box step. Larger is harder.
struct Rating {
    int passes = 0;
    int byLine = 0;

    auto operator<=>(const Rating&) const = default;
};

struct Assessment {
    GameSolve game;
    PassTrace trace;
    bool traceAgrees = false;  // the trace placed exactly what the game drew, in the same order
    Rating rating;
};

Assessment assess(const Cells& puzzle);

}  // namespace zg::tools
