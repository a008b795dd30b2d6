// The full board redraw and the candidate marks.
#pragma once

namespace zg {

struct Program;
struct BoardModel;
struct ViewState;
class Canvas;

// The whole main screen below the status bar: the board panel, then the statistics, level
// and clock panels.
void drawMainScreen(Program& p);
// Every cell, the statistics and status, and the marks (computed with showCandidates).
void drawBoard(Program& p);
// The marks of every empty cell from candidateMarks, in their 13 x 13 slots.
void drawCandidates(Canvas& c, const ViewState& v, const BoardModel& m);
// The marks of one cell.
// eraseFirst false: the marks over what is drawn there (a frame), not on their white squares.
void drawCellCandidates(Canvas& c, const ViewState& v, const BoardModel& m, int col, int row,
                        bool eraseFirst = true);

}  // namespace zg
