// The four collections the game draws its puzzles from.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/puzzle_line.h"
#include "files/board_file.h"
#include "generator.h"
#include "rating.h"

namespace zg::tools {
namespace {

struct Stored {
    Cells puzzle{};
    Assessment a;
    int givens = 0;
};

std::vector<Stored> loadCollection(int level) {
    std::string path = std::string(ZG_SOURCE_DIR) + "/data/" + collectionFile(level);
    PosixFileIo io;
    std::vector<unsigned char> bytes;
    EXPECT_EQ(io.readAll(path, bytes), ReadStatus::ok) << path;
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kBoardFileSize)) << path;

    std::vector<Stored> out;
    BoardFiles files{path};
    for (int slot = 0; slot < kRecordCount; ++slot) {
        BoardModel m;
        ClockState clock;
        EXPECT_EQ(loadBoardSlot(files, m, clock, io, slot), LoadResult::loaded) << path;
        EXPECT_EQ(m.board, m.givens) << path << " record " << slot;
        EXPECT_EQ(m.candidateMarks, Marks{}) << path << " record " << slot;
        // Nothing stored outside the 6 x 6 cells either.
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(m.givens.at(0, i), 0);
            EXPECT_EQ(m.givens.at(i, 0), 0);
        }
        Stored s;
        s.puzzle = cellsOf(m.givens);
        s.a = assess(s.puzzle);
        s.givens = filledCount(s.puzzle);
        out.push_back(s);
    }
    return out;
}

TEST(Collections, EveryPuzzleIsUniqueSymmetricAndRatedForItsLevel) {
    std::set<Cells> seen;
    std::array<std::vector<Stored>, 4> levels;
    for (int level = 0; level < 4; ++level) {
        levels[level] = loadCollection(level);
        for (const Stored& s : levels[level]) {
            std::string what = std::string(collectionFile(level)) + " " + cellsText(s.puzzle);
            EXPECT_EQ(countSolutions(s.puzzle), 1) << what;
            EXPECT_TRUE(halfTurnSymmetric(s.puzzle)) << what;
            EXPECT_TRUE(seen.insert(s.puzzle).second) << what << " stored twice";
            EXPECT_EQ(s.a.game.outcome, Outcome::solved) << what;
            EXPECT_TRUE(s.a.traceAgrees) << what;
            // Leicht, Mittel and Schwer are finished by the passes and leave the level alone;
            // Extrem needs the guess.
            EXPECT_EQ(s.a.game.raisedLevel, level == 3) << what;
            EXPECT_EQ(s.a.trace.passesNeeded > 0, level != 3) << what;
        }
    }

    // Per level: the fewest and the most givens, the lowest and the highest rating.
    std::array<int, 4> fewest{}, most{};
    std::array<Rating, 4> easiest{}, hardest{};
    for (int level = 0; level < 4; ++level) {
        fewest[level] = 36;
        easiest[level] = levels[level].front().a.rating;
        hardest[level] = easiest[level];
        for (const Stored& s : levels[level]) {
            fewest[level] = std::min(fewest[level], s.givens);
            most[level] = std::max(most[level], s.givens);
            easiest[level] = std::min(easiest[level], s.a.rating);
            hardest[level] = std::max(hardest[level], s.a.rating);
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
