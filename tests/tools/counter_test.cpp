#include "solution_counter.h"

#include <gtest/gtest.h>

#include "engine/puzzle_line.h"
#include "generator.h"
#include "rating.h"

namespace zg::tools {
namespace {

Cells line(const char* text) {
    PuzzleLine p = parsePuzzleLine(text);
    EXPECT_TRUE(p.ok) << text;
    return p.cells;
}

const char* kFull = "123456456123231564564231312645645312";

TEST(SolutionCounter, KnownCases) {
    EXPECT_EQ(countSolutions(line(kFull)), 1);
    EXPECT_EQ(countSolutions(line("1234564561232315645642313126456453.2")), 1);
    EXPECT_EQ(countSolutions(Cells{}), 2);
    EXPECT_EQ(countSolutions(Cells{}, 5), 5);
    EXPECT_EQ(countSolutions(Cells{}, 0), 0);

    // 1 and 4 swap in rows 1-2 of columns 1 and 4: both ways are solutions.
    EXPECT_EQ(countSolutions(line(".23.56.56.23231564564231312645645312")), 2);

    // No clash among the givens, but (1,1) sees all six values.
    EXPECT_EQ(countSolutions(line(".12...3.....4.....5...........6.....")), 0);
}

TEST(SolutionCounter, ClashingOrOutOfRangeGivensHaveNoSolution) {
    EXPECT_EQ(countSolutions(line("11..................................")), 0);  // row
    EXPECT_EQ(countSolutions(line("2.....2.............................")), 0);  // column
    EXPECT_EQ(countSolutions(line("5......5............................")), 0);  // box only
    Cells seven{};
    seven[10] = 7;
    EXPECT_EQ(countSolutions(seven), 0);
}

TEST(SolutionCounter, ReportsASolutionThatKeepsTheGivens) {
    Cells puzzle = line("1...............................6...");
    Cells solution{};
    ASSERT_EQ(countSolutions(puzzle, 1, &solution), 1);
    EXPECT_EQ(filledCount(solution), 36);
    EXPECT_EQ(describeClash(solution), "");
    EXPECT_EQ(solution[0], 1);
    EXPECT_EQ(solution[32], 6);
}

// The counter and the game's solver are written independently: wherever the game's solver
// finishes a puzzle that the counter calls unique, both must have found the same grid.
TEST(SolutionCounter, AgreesWithTheGameSolverOnGeneratedPuzzles) {
    SeededRandom random(11);
    int compared = 0;
    for (int i = 0; i < 200; ++i) {
        Cells solution = randomSolution(random);
        Cells puzzle = removePairs(solution, random, 8 + 2 * (i % 4));
        Cells counted{};
        ASSERT_EQ(countSolutions(puzzle, 2, &counted), 1);
        ASSERT_EQ(counted, solution);
        GameSolve g = runGameSolver(puzzle);
        if (g.outcome != Outcome::solved) continue;
        ASSERT_EQ(g.board, solution) << cellsText(puzzle);
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

}  // namespace
}  // namespace zg::tools
