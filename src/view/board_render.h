// The board panel, the grid and single cells.
#pragma once

#include <cstdint>

#include "engine/board.h"
#include "platform/canvas.h"
#include "view/view_state.h"

namespace zg {

// Board panel, well, button strip, white board, grid, red box borders (sets the layout
// globals): the board part of drawMainScreen (play/redraw.h).
void drawBoardPanel(Canvas& canvas, ViewState& view);

// One ordinary cell (white) with the symbol of value; 0 erases it.
void drawCell(Canvas& canvas, const ViewState& view, const BoardModel& m, int column, int row,
              std::uint8_t value);
// One given (light grey).
void drawGivenCell(Canvas& canvas, const ViewState& view, const BoardModel& m, int column, int row,
                   std::uint8_t value);

// The marks of every empty cell from candidateMarks, in their 13 x 13 slots.
void drawCandidates(Canvas& c, const ViewState& v, const BoardModel& m);
// The marks of one cell.
// eraseFirst false: the marks over what is drawn there (a frame), not on their white squares.
void drawCellCandidates(Canvas& c, const ViewState& v, const BoardModel& m, int col, int row,
                        bool eraseFirst = true);

}  // namespace zg
