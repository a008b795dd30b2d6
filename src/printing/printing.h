// Printing the current board, or a set of four fresh games on one page.
#pragma once

namespace zg {

struct Program;

void printBoard(Program& p);
void printGameSet(Program& p);

}  // namespace zg
