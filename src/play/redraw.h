// The full board redraw.
#pragma once

namespace zg {

struct Program;

// The whole main screen below the status bar: the board panel, then the statistics, level
// and clock panels.
void drawMainScreen(Program& p);
// Every cell, the statistics and status, and the marks (computed with showCandidates).
void drawBoard(Program& p);
}  // namespace zg
