#include "generator.h"

#include <gtest/gtest.h>

#include "engine/puzzle_line.h"

namespace zg::tools {
namespace {

TEST(Generator, SolutionsAreValidAndFollowTheSeed) {
    SeededRandom a(3), b(3), c(4);
    Cells first = randomSolution(a);
    EXPECT_EQ(filledCount(first), 36);
    EXPECT_EQ(describeClash(first), "");
    EXPECT_EQ(randomSolution(b), first);
    EXPECT_NE(randomSolution(c), first);
}

TEST(Generator, RemovalKeepsOneSolutionSymmetryAndTheFloor) {
    SeededRandom random(5);
    for (int floor : {8, 14, 20}) {
        for (int i = 0; i < 20; ++i) {
            Cells solution = randomSolution(random);
            Cells puzzle = removePairs(solution, random, floor);
            int givens = filledCount(puzzle);
            EXPECT_GE(givens, floor);
            EXPECT_LT(givens, 36);
            EXPECT_TRUE(halfTurnSymmetric(puzzle));
            EXPECT_EQ(countSolutions(puzzle), 1);
            for (int k = 0; k < 36; ++k) {
                if (puzzle[k] != 0) {
                    ASSERT_EQ(puzzle[k], solution[k]);
                }
            }
        }
    }
}

// Every placement the trace counts is one the game drew, in the same order, and the three
// kinds of deduction add up to the cells the passes filled.
TEST(Rating, TheTraceFollowsTheGameSolver) {
    SeededRandom random(9);
    int logic = 0, guessed = 0;
    for (int i = 0; i < 300; ++i) {
        Cells puzzle = removePairs(randomSolution(random), random, 8 + 2 * (i % 4));
        Assessment a = assess(puzzle);
        ASSERT_TRUE(a.traceAgrees) << cellsText(puzzle);
        const PassTrace& t = a.trace;
        EXPECT_EQ(t.byCell + t.byBox + t.byLine, static_cast<int>(t.placements.size()));
        if (t.passesNeeded > 0) {
            ++logic;
            EXPECT_FALSE(a.game.raisedLevel);
            EXPECT_EQ(a.game.outcome, Outcome::solved);
            EXPECT_EQ(static_cast<int>(t.placements.size()), 36 - filledCount(puzzle));
        } else {
            ++guessed;
            EXPECT_TRUE(a.game.raisedLevel);
        }
    }
    EXPECT_GT(logic, 100);
    EXPECT_GT(guessed, 5);
}

TEST(Rating, CountsStepsAndPasses) {
    // One empty cell: the first half of the box step fills it in the first pass.
    PassTrace one = tracePasses(parsePuzzleLine("1234564561232315645642313126456453.2").cells);
    EXPECT_EQ(one.passesNeeded, 1);
    EXPECT_EQ(one.byCell, 1);
    EXPECT_EQ(one.placements, (std::vector<Placement>{{5, 6, 1}}));

    // Clashing givens: nothing fits anywhere, nothing is placed.
    PassTrace clash = tracePasses(parsePuzzleLine("11..................................").cells);
    EXPECT_EQ(clash.passesNeeded, 0);
    EXPECT_TRUE(clash.placements.empty());

    EXPECT_LT((Rating{1, 30}), (Rating{2, 0}));
    EXPECT_LT((Rating{2, 3}), (Rating{2, 4}));
}

TEST(Generator, FoundPuzzlesMeetTheirLevelAndFollowTheSeed) {
    for (Level level : {Level::leicht, Level::schwer, Level::extrem}) {
        auto found = findPuzzles(level, 21, 2, 5000);
        ASSERT_EQ(found.size(), 2u) << levelName(level);
        for (const Found& f : found) {
            EXPECT_TRUE(fitsRule(ruleFor(level), f.assessment, filledCount(f.puzzle)));
            EXPECT_TRUE(halfTurnSymmetric(f.puzzle));
            EXPECT_EQ(countSolutions(f.puzzle), 1);
        }
        auto again = findPuzzles(level, 21, 2, 5000);
        EXPECT_EQ(again[1].puzzle, found[1].puzzle);
    }
    EXPECT_EQ(levelNamed("mittel"), Level::mittel);
    EXPECT_EQ(levelNamed("Mittel"), std::nullopt);
}

}  // namespace
}  // namespace zg::tools
