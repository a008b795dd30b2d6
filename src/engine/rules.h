// The consistency rule, the status check, candidates, the solver and the whole-board steps.
#pragma once

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/view_port.h"

namespace zg {

// No value twice in any column, row or box of board; empty cells are ignored.
bool isConsistent(const BoardModel& m);

// Whether value fits the empty cell (column, row): the board stays consistent with it.
// Computed from the cell's peers when the rest of the board is known to be consistent;
// the result is always that of writing the value, running isConsistent and writing 0 back.
bool fits(const BoardModel& m, int column, int row, int value);

// False when some empty cell has no fitting value at all.
bool allCellsOpen(const BoardModel& m);

struct StatusCheck {
    const char* text;  // one of kStatusWrong, kStatusNoErrors, kStatusSolved
    bool boardSolved;  // every value counted six times in valueCount
    bool beep;         // the board holds a duplicate
};

// Solved: every value six times (boardSolved, as the status check last counted) and no value
// twice; the status check then shows "Brett gelöst!!!".
bool isSolved(const BoardModel& m);

// The decision of the status check, from board and the valueCount just recounted.
StatusCheck decideStatus(const BoardModel& m);

// Applies the status check to the model and shows it.
void checkBoard(BoardModel& m, BoardView& view);

// Recounts valueCount, shows the counts, then runs checkBoard.
void updateStatistics(BoardModel& m, BoardView& view);

// With showCandidates: stops the clock, recomputes candidateMarks. Then draws the marks.
void computeCandidates(BoardModel& m, ClockState& clock, BoardView& view);

// The full board redraw: every cell, the statistics and status, the marks.
void drawBoard(BoardModel& m, ClockState& clock, BoardView& view);

// Ten logical passes, a status refresh, and one level of guessing when they fail.
void solveBoard(BoardModel& m, ClockState& clock, BoardView& view);
void trialSearch(BoardModel& m, ClockState& clock, BoardView& view);
// solveBoard, and when the player's entries left a dead cell, once more from the givens.
void solveCommand(BoardModel& m, ClockState& clock, BoardView& view);

// "N&eustart": only the givens stay, marks are gone, the board is redrawn.
void restartBoard(BoardModel& m, ClockState& clock, BoardView& view);
// "B&rett löschen": everything empty, no givens, no marks, redrawn.
void clearBoard(BoardModel& m, ClockState& clock, BoardView& view);

}  // namespace zg
