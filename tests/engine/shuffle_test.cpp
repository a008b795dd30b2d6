#include "engine/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/rules.h"
#include "support/fixtures.h"

namespace zg {
namespace {

using test::boardFromLine;
using test::kSolvedLine;
using test::lineOf;

// The generator of the golden values: a plain LCG, reproduced by the oracle that computed them.
std::vector<int> lcg(int n, unsigned long long seed) {
    std::vector<int> out;
    for (unsigned long long x = seed; n-- > 0;) {
        x = (x * 1103515245ULL + 12345ULL) % (1ULL << 31);
        out.push_back(static_cast<int>(x >> 16));
    }
    return out;
}

TEST(Shuffle, GoldenSequencesInBothModes) {
    // Seed 11 draws an odd number of iterations: a mirror on the wrong coin shows.
    const struct {
        bool symmetricShuffle;
        unsigned seed;
        std::size_t draws;
        const char *board, *givens;
    } cases[] = {{true, 2024, 2357, "123564645312231045450123312456564231",
                  "003500040012200045450003310050004200"},
                 {true, 11, 2651, "321645456132640213132064213456564321",
                  "320040006100640003100064003400060021"},
                 {false, 2024, 2519, "532164164532253016016253641325325641",
                  "032060100500050016016003001025300600"}};
    for (const auto& c : cases) {
        BoardModel m = boardFromLine("1..4.6.5..2.2.15....42.1.1..4.6.5..2",
                                     "1234564561232.15645642.1312645645312");
        m.symmetricShuffle = c.symmetricShuffle;
        ScriptedRandom random(lcg(20000, c.seed));
        shuffleBoard(m, random);
        EXPECT_EQ(lineOf(m.board), c.board);
        EXPECT_EQ(lineOf(m.givens), c.givens);
        EXPECT_EQ(random.requests().size(), c.draws);
    }
}

// A draw of one value still takes a number from the engine, so the sequence of a game does
// not depend on which draws happen to have one choice.
TEST(Random, EveryDrawTakesOneNumber) {
    SeededRandom a(5), b(5);
    a(1);
    b(1000);
    EXPECT_EQ(a(1000), b(1000));
}

TEST(Shuffle, RelabelDrawsAgainUntilASymbolIsFree) {
    BoardModel m = boardFromLine("1...................................", kSolvedLine);
    // 0 -> 1, then 0 again is taken, 5 -> 6, ...
    ScriptedRandom random({0, 0, 5, 5, 1, 2, 2, 3, 4});
    relabel(m, random);
    EXPECT_EQ(random.requests().size(), 9u);
    EXPECT_EQ(lineOf(m.board), "162345345162621453453621216534534216");
    EXPECT_EQ(lineOf(m.givens), "100000000000000000000000000000000000");
}

// Symmetric masks keep their symmetry in symmetric mode; every shuffle keeps a valid board,
// the givens on it, how often each given value occurs, and the marks where they are.
TEST(Shuffle, KeepsValidityCountsMarksAndSymmetry) {
    auto symmetric = [](const Grid& g, bool flipColumns, bool flipRows) {
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                if ((g.at(c, r) != 0) != (g.at(flipColumns ? 7 - c : c, flipRows ? 7 - r : r) != 0))
                    return false;
        return true;
    };
    auto valueCounts = [](const Grid& g) {
        std::vector<int> n(7);
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r) ++n[g.at(c, r)];
        std::sort(n.begin() + 1, n.end());
        return n;
    };
    const char* halfTurn = "1..4...5...3..1.6..6.2..3...4...5..2";
    const char* mirrors = "1....6.5..2..............1..4.6....2";
    int plainBroken = 0;
    for (unsigned seed = 1; seed <= 60; ++seed)
        for (bool sym : {true, false})
            for (const char* mask : {halfTurn, mirrors}) {
                BoardModel m = boardFromLine(mask, kSolvedLine);
                m.symmetricShuffle = sym;
                m.candidateMarks.at(2, 2, 3) = true;
                const std::vector<int> counts = valueCounts(m.givens);
                SeededRandom random(seed);
                shuffleBoard(m, random);
                ASSERT_TRUE(isConsistent(m));
                EXPECT_EQ(lineOf(m.board).find('0'), std::string::npos);
                for (int i = 0; i < 49; ++i)
                    ASSERT_TRUE(m.givens.bytes[i] == 0 || m.givens.bytes[i] == m.board.bytes[i]);
                EXPECT_EQ(valueCounts(m.givens), counts);
                EXPECT_TRUE(m.candidateMarks.at(2, 2, 3));
                EXPECT_TRUE(!sym || symmetric(m.givens, true, true)) << seed;
                EXPECT_TRUE(!sym || mask == halfTurn ||
                            (symmetric(m.givens, true, false) && symmetric(m.givens, false, true)))
                    << seed;
                plainBroken += !sym && mask == halfTurn && !symmetric(m.givens, true, true);
            }
    EXPECT_GT(plainBroken, 30);  // the plain mode gives up symmetry
}

}  // namespace
}  // namespace zg
