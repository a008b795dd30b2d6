// The four collections the game draws its puzzles from.
#include <gtest/gtest.h>

#include <set>

#include "rating.h"
#include "support/fixtures.h"

namespace zg::tools {
namespace {

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
