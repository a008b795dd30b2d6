// A plain backtracking solution counter for 6 x 6 puzzles. It shares nothing with the game's
// solver, so it can judge the game's puzzles (and the game's solver) independently.
#pragma once

#include "engine/puzzle_line.h"

namespace zg::tools {

// The number of solutions, counted up to limit (so 2 means "two or more" with the default).
// Givens that already clash, or values outside 0..6, give 0. When solution is not null and
// at least one solution exists, the first one found is stored there.
int countSolutions(const Cells& puzzle, int limit = 2, Cells* solution = nullptr);

}  // namespace zg::tools
