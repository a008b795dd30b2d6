#include "engine/shuffle.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/rules.h"
#include "support/recording_view.h"

namespace zg {
namespace {

using test::boardString;
using test::kSolution;
using test::setBoard;

// The generator of the golden values: a plain LCG, reproduced by the oracle that computed them.
std::vector<int> lcg(int n, unsigned long long seed) {
    std::vector<int> out;
    unsigned long long x = seed;
    for (int i = 0; i < n; ++i) {
        x = (x * 1103515245ULL + 12345ULL) % (1ULL << 31);
        out.push_back(static_cast<int>(x >> 16));
    }
    return out;
}

BoardModel maskedSolution(const std::vector<std::string>& mask) {
    BoardModel m;
    setBoard(m.board, kSolution);
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c)
            if (mask[r - 1][c - 1] == '#') m.givens.at(c, r) = m.board.at(c, r);
    return m;
}

bool symmetric(const Grid& g, int kind) {
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            int mc = kind == 1 ? c : 7 - c;  // 0: half turn, 1: top-bottom, 2: left-right
            int mr = kind == 2 ? r : 7 - r;
            if ((g.at(c, r) != 0) != (g.at(mc, mr) != 0)) return false;
        }
    return true;
}

TEST(Shuffle, GoldenSequencesInBothModes) {
    const std::vector<std::string> mask{"#..#.#", ".#..#.", "#.##..", "..##.#", ".#..#.", "#.#..#"};
    struct Case {
        bool symmetricShuffle;
        std::size_t draws;
        const char* board;
        const char* givens;
    };
    for (const Case& k : {Case{true, 2357, "123564645312231045450123312456564231",
                               "003500040012200045450003310050004200"},
                          Case{false, 2519, "532164164532253016016253641325325641",
                               "032060100500050016016003001025300600"}}) {
        BoardModel m = maskedSolution(mask);
        m.board.at(2, 3) = 0;
        m.board.at(5, 4) = 0;
        m.symmetricShuffle = k.symmetricShuffle;
        ScriptedRandom random(lcg(20000, 2024));
        shuffleBoard(m, random);
        EXPECT_EQ(boardString(m.board), k.board);
        EXPECT_EQ(boardString(m.givens), k.givens);
        EXPECT_EQ(random.requests().size(), k.draws);
    }
}

TEST(Shuffle, OrderOfDrawsInOneIteration) {
    // n = 100; relabelling 0..5 maps every value to itself; all coins 1 (no optional step).
    std::vector<int> script{0};
    for (int i = 0; i < 100; ++i) {
        for (int v : {0, 1, 1, 1, 1, 1}) script.push_back(v);
        for (int v = 0; v < 6; ++v) script.push_back(v);
    }
    BoardModel m = maskedSolution({"######", "######", "######", "######", "######", "######"});
    ScriptedRandom random(script);
    shuffleBoard(m, random);
    std::vector<int> firstIteration(random.requests().begin(), random.requests().begin() + 13);
    EXPECT_EQ(firstIteration, (std::vector<int>{50, 1, 2, 2, 2, 2, 2, 6, 6, 6, 6, 6, 6}));
    // Each iteration exchanges rows 1-2, 5-6 and columns 2-3, 4-5 once: 100 times is nothing.
    EXPECT_EQ(boardString(m.board), boardString(maskedSolution({"", "", "", "", "", ""}).board));

    m.symmetricShuffle = false;
    std::vector<int> plain{0};
    for (int i = 0; i < 100; ++i) {
        for (int v : {0, 0, 0, 0, 0, 0, 0}) plain.push_back(v);
        for (int v = 0; v < 6; ++v) plain.push_back(v);
    }
    ScriptedRandom plainRandom(plain);
    shuffleBoard(m, plainRandom);
    std::vector<int> head(plainRandom.requests().begin(), plainRandom.requests().begin() + 8);
    EXPECT_EQ(head, (std::vector<int>{50, 3, 2, 2, 2, 2, 3, 3}));
}

TEST(Shuffle, RelabelRedrawsUntilAFreeSymbol) {
    BoardModel m;
    setBoard(m.board, kSolution);
    m.givens.at(1, 1) = 1;
    // 0 -> 1, then 0 again is taken, 5 -> 6, ...
    ScriptedRandom random({0, 0, 5, 5, 1, 2, 2, 3, 4});
    relabel(m, random);
    EXPECT_EQ(random.requests().size(), 9u);
    EXPECT_EQ(boardString(m.board), "162345345162621453453621216534534216");
    EXPECT_EQ(m.board.at(2, 1), 6);
    EXPECT_EQ(m.givens.at(1, 1), 1);
    EXPECT_EQ(m.givens.at(2, 1), 0);
}

TEST(Shuffle, ExchangesMoveBoardAndGivensTogether) {
    BoardModel m = maskedSolution({"#.....", "......", "......", "......", "......", ".....#"});
    exchangeStacks(m, 1, 2);
    EXPECT_EQ(m.board.at(4, 1), 1);
    EXPECT_EQ(m.givens.at(4, 1), 1);
    EXPECT_EQ(m.givens.at(3, 6), 2);
    exchangeBands(m, 1, 3);
    EXPECT_EQ(m.givens.at(4, 5), 1);
    EXPECT_EQ(m.board.at(1, 1), 6);  // old (4, 5)
}

TEST(Shuffle, ValidityCountsMarksAndSymmetryAreKept) {
    const std::vector<std::string> halfTurn{"#..#..", ".#...#", "..#.#.",
                                            ".#.#..", "#...#.", "..#..#"};
    const std::vector<std::string> mirrorBoth{"#....#", ".#..#.", "......",
                                              "......", ".#..#.", "#....#"};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        for (bool sym : {true, false}) {
            for (const auto& mask : {halfTurn, mirrorBoth}) {
                BoardModel m = maskedSolution(mask);
                m.symmetricShuffle = sym;
                m.candidateMarks.at(2, 2, 3) = true;
                int givensBefore = countGivens(m);
                std::map<int, int> perValue;
                for (int c = 1; c <= 6; ++c)
                    for (int r = 1; r <= 6; ++r)
                        if (m.givens.at(c, r)) ++perValue[m.givens.at(c, r)];
                SeededRandom random(seed);
                shuffleBoard(m, random);
                ASSERT_TRUE(isConsistent(m));
                for (int c = 1; c <= 6; ++c)
                    for (int r = 1; r <= 6; ++r) {
                        ASSERT_NE(m.board.at(c, r), 0);
                        if (m.givens.at(c, r)) {
                            ASSERT_EQ(m.givens.at(c, r), m.board.at(c, r));
                        }
                    }
                EXPECT_EQ(countGivens(m), givensBefore);
                // The last relabelling renames the values; counts move with their names.
                std::map<int, int> after;
                for (int c = 1; c <= 6; ++c)
                    for (int r = 1; r <= 6; ++r)
                        if (m.givens.at(c, r)) ++after[m.givens.at(c, r)];
                std::multiset<int> a, b;
                for (auto [v, n] : perValue) a.insert(n);
                for (auto [v, n] : after) b.insert(n);
                EXPECT_EQ(a, b);
                EXPECT_TRUE(m.candidateMarks.at(2, 2, 3));  // marks stay where they were
                if (sym && mask == halfTurn) {
                    EXPECT_TRUE(symmetric(m.givens, 0)) << seed;
                }
                if (sym && mask == mirrorBoth) {
                    EXPECT_TRUE(symmetric(m.givens, 1)) << seed;
                    EXPECT_TRUE(symmetric(m.givens, 2)) << seed;
                }
            }
        }
    }
}

TEST(Shuffle, PlainModeLosesSymmetryInGeneral) {
    const std::vector<std::string> halfTurn{"#..#..", ".#...#", "..#.#.",
                                            ".#.#..", "#...#.", "..#..#"};
    int broken = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        BoardModel m = maskedSolution(halfTurn);
        m.symmetricShuffle = false;
        SeededRandom random(seed);
        shuffleBoard(m, random);
        broken += symmetric(m.givens, 0) ? 0 : 1;
    }
    EXPECT_GT(broken, 10);
}

TEST(Shuffle, EmptyBoardStaysEmpty) {
    BoardModel m;
    SeededRandom random(3);
    shuffleBoard(m, random);
    EXPECT_EQ(m.board, Grid{});
    EXPECT_EQ(m.givens, Grid{});
}

}  // namespace
}  // namespace zg
