// Disguises a puzzle by row, column, stack and band exchanges, mirrors and relabelling.
#pragma once

#include "engine/board.h"
#include "engine/random.h"

namespace zg {

void exchangeRows(BoardModel& m, int p, int q);
void exchangeColumns(BoardModel& m, int p, int q);
void exchangeStacks(BoardModel& m, int a, int b);
void exchangeBands(BoardModel& m, int a, int b);
void mirrorRows(BoardModel& m);
void mirrorColumns(BoardModel& m);
void relabel(BoardModel& m, Random& random);

// 100..149 iterations; with symmetricShuffle only symmetry-keeping steps. Draws nothing.
void shuffleBoard(BoardModel& m, Random& random);

}  // namespace zg
