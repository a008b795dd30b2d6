#include "generator.h"

#include <gtest/gtest.h>

#include <set>

#include "rating.h"

#include "support/fixtures.h"

namespace zg::tools {
namespace {

Cells line(const char* text) {
    return parsePuzzleLine(text).cells;
}

TEST(SolutionCounter, KnownCases) {
    const struct {
        const char* puzzle;
        int limit, count;
    } cases[] = {
        {test::kSolvedLine, 2, 1},
        {"1234564561232315645642313126456453.2", 2, 1},
        {"....................................", 5, 5},
        {"....................................", 0, 0},
        {".23.56.56.23231564564231312645645312", 9, 2},  // 1 and 4 swap in two columns
        {".12...3.....4.....5...........6.....", 2, 0},  // (1,1) sees all six values
        {"11..................................", 2, 0},  // clashing givens: row,
        {"2.....2.............................", 2, 0},  // column,
        {"5......5............................", 2, 0},  // box only
    };
    for (const auto& c : cases)
        EXPECT_EQ(countSolutions(line(c.puzzle), c.limit), c.count) << c.puzzle;
    Cells seven{};
    seven[10] = 7;
    EXPECT_EQ(countSolutions(seven), 0);
}

// The counter and the game's solver are written independently: wherever the game's solver
// finishes a generated puzzle, both found the same grid; and the traced passes place exactly
// what the game draws, each placement counted once.
TEST(Generator, PuzzlesAreUniqueSymmetricAndAgreeWithTheGameSolver) {
    SeededRandom random(11), same(11);
    EXPECT_EQ(randomSolution(random), randomSolution(same));
    int logic = 0, guessed = 0;
    for (int i = 0; i < 300; ++i) {
        const Cells solution = randomSolution(random);
        const int floor = 8 + 2 * (i % 4);
        const Cells puzzle = removePairs(solution, random, floor);
        ASSERT_EQ(describeClash(solution), "");
        EXPECT_GE(filledCount(puzzle), floor);
        EXPECT_LT(filledCount(puzzle), 36);
        EXPECT_TRUE(halfTurnSymmetric(puzzle));
        Cells counted{};
        ASSERT_EQ(countSolutions(puzzle, 2, &counted), 1) << cellsText(puzzle);
        ASSERT_EQ(counted, solution);
        const Assessment a = assess(puzzle);
        ASSERT_TRUE(a.traceAgrees) << cellsText(puzzle);
        const PassTrace& t = a.trace;
        EXPECT_EQ(t.byCell + t.byBox + t.byLine, static_cast<int>(t.placements.size()));
        EXPECT_EQ(a.game.raisedLevel, t.passesNeeded == 0);
        ASSERT_TRUE(a.game.outcome != Outcome::solved || a.game.board == solution);
        if (t.passesNeeded > 0) {
            ++logic;
            EXPECT_EQ(static_cast<int>(t.placements.size()), 36 - filledCount(puzzle));
        }
        guessed += t.passesNeeded == 0;
    }
    EXPECT_GT(logic, 100);
    EXPECT_GE(guessed, 5);
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
        EXPECT_EQ(findPuzzles(level, 21, 2, 5000)[1].puzzle, found[1].puzzle);
    }
    EXPECT_EQ(levelNamed("mittel"), Level::mittel);
    EXPECT_EQ(levelNamed("Mittel"), std::nullopt);
}

// The four collections the game draws its puzzles from.
TEST(Collections, EveryPuzzleIsUniqueSymmetricAndRatedForItsLevel) {
    std::set<Cells> seen;
    std::array<int, 4> fewest{36, 36, 36, 36}, most{};
    std::array<Rating, 4> easiest{}, hardest{};
    for (int level = 0; level < 4; ++level) {
        ASSERT_EQ(test::readDataFile(collectionFile(level)).size(), 4000u);
        easiest[level] = {99, 99};
        for (int slot = 0; slot < 4; ++slot) {
            const BoardModel m = test::collectionBoard(level, slot);
            const Cells puzzle = cellsOf(m.givens);
            const std::string what = collectionFile(level) + (" " + cellsText(puzzle));
            // Givens only, and nothing outside the 6 x 6 cells.
            EXPECT_EQ(m.board, m.givens) << what;
            EXPECT_EQ(m.candidateMarks, Marks{}) << what;
            EXPECT_EQ(test::boardFromLine(cellsText(puzzle)).givens, m.givens) << what;
            EXPECT_EQ(countSolutions(puzzle), 1) << what;
            EXPECT_TRUE(halfTurnSymmetric(puzzle)) << what;
            EXPECT_TRUE(seen.insert(puzzle).second) << what << " stored twice";
            const Assessment a = assess(puzzle);
            EXPECT_EQ(a.game.outcome, Outcome::solved) << what;
            EXPECT_TRUE(a.traceAgrees) << what;
            // Leicht, Mittel and Schwer are finished by the passes; Extrem needs the guess.
            EXPECT_EQ(a.game.raisedLevel, level == 3) << what;
            fewest[level] = std::min(fewest[level], filledCount(puzzle));
            most[level] = std::max(most[level], filledCount(puzzle));
            easiest[level] = std::min(easiest[level], a.rating);
            hardest[level] = std::max(hardest[level], a.rating);
        }
    }
    EXPECT_GE(fewest[0], 14);
    EXPECT_LT(most[1], fewest[0]);
    EXPECT_LT(most[2], fewest[0]);
    // Each puzzle of a level rates above every puzzle of the level before.
    EXPECT_LT(hardest[0], easiest[1]);
    EXPECT_LT(hardest[1], easiest[2]);
}

}  // namespace
}  // namespace zg::tools
