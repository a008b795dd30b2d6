#include "engine/rules.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/random.h"
#include "engine/shuffle.h"
#include "support/fits_by_scan.h"
#include "support/recording_view.h"

namespace zg {
namespace {

using test::boardString;
using test::fitsByScan;
using test::kSolution;
using test::RecordingView;
using test::setBoard;

// The solver as first written, every test a full scan. The engine's faster fits must give
// exactly the same placements, redraws and status refreshes.
struct ReferenceSolver {
    BoardModel& m;
    ClockState& clock;
    BoardView& view;

    bool solved() const { return m.statusText == kStatusSolved; }
    void put(int c, int r, int v) {
        m.board.at(c, r) = static_cast<std::uint8_t>(v);
        view.drawCell(c, r, static_cast<std::uint8_t>(v));
    }
    void single(int v, int x, int y, int& count, int& lv, int& lx, int& ly) {
        if (m.board.at(x, y) == 0 && fitsByScan(m, x, y, v)) ++count, lv = v, lx = x, ly = y;
    }
    void solveBoard() {
        for (int pass = 0; pass < 10; ++pass) {
            for (const auto& b : kBoxOrder) {
                for (int x = b[0]; x < b[0] + 3; ++x)
                    for (int y = b[1]; y < b[1] + 2; ++y) {
                        int n = 0, lv = 0, lx = 0, ly = 0;
                        for (int v = 1; v <= 6; ++v) single(v, x, y, n, lv, lx, ly);
                        if (n == 1) put(lx, ly, lv);
                    }
                for (int v = 1; v <= 6; ++v) {
                    int n = 0, lv = 0, lx = 0, ly = 0;
                    for (int x = b[0]; x < b[0] + 3; ++x)
                        for (int y = b[1]; y < b[1] + 2; ++y) single(v, x, y, n, lv, lx, ly);
                    if (n == 1) put(lx, ly, lv);
                }
            }
            for (int k = 1; k <= 6; ++k) {
                for (int v = 1; v <= 6; ++v) {
                    int n = 0, lv = 0, lx = 0, ly = 0;
                    for (int x = 1; x <= 6; ++x) single(v, x, k, n, lv, lx, ly);
                    if (n == 1) put(lx, ly, lv);
                }
                for (int v = 1; v <= 6; ++v) {
                    int n = 0, lv = 0, lx = 0, ly = 0;
                    for (int y = 1; y <= 6; ++y) single(v, k, y, n, lv, lx, ly);
                    if (n == 1) put(lx, ly, lv);
                }
            }
        }
        updateStatistics(m, view);
        if (!solved() && !m.inTrial) {
            m.level = 3;
            trial();
        }
    }
    void trial() {
        m.inTrial = true;
        const Grid backup = m.board;
        for (int k = 1; k <= 6 && !solved(); ++k) {
            for (int x = 1; x <= 6; ++x) {
                if (m.board.at(x, k) != 0) continue;
                int first = 0, second = 0, n = 0;
                for (int v = 1; v <= 6; ++v) {
                    if (!fitsByScan(m, x, k, v)) continue;
                    ++n;
                    if (n == 1) first = v;
                    if (n == 2) second = v;
                    if (n >= 3) first = second = 0;
                }
                if (second == 0) continue;
                put(x, k, first);
                solveBoard();
                if (solved()) break;
                m.board = backup;
                put(x, k, second);
                solveBoard();
                if (solved()) break;
                m.board = backup;
                view.drawCell(x, k, 0);
            }
            if (!solved()) drawBoard(m, clock, view);
        }
        m.inTrial = false;
    }
};

BoardModel puzzle(const std::vector<std::string>& rows) {
    BoardModel m;
    setBoard(m.board, rows);
    m.givens = m.board;
    return m;
}

// Removes cells from the solution at random, so that the boards range from singles-only to
// boards that need guessing or cannot be finished.
BoardModel randomPuzzle(std::mt19937& rng, int holes) {
    BoardModel m = puzzle(kSolution);
    SeededRandom shuffleRandom(rng());
    shuffleBoard(m, shuffleRandom);
    for (int i = 0; i < holes; ++i) {
        int c = static_cast<int>(rng() % 6) + 1, r = static_cast<int>(rng() % 6) + 1;
        m.board.at(c, r) = 0;
        m.givens.at(c, r) = 0;
    }
    return m;
}

TEST(Consistency, DuplicatesInAnyUnitFail) {
    BoardModel m;
    EXPECT_TRUE(isConsistent(m));
    setBoard(m.board, kSolution);
    EXPECT_TRUE(isConsistent(m));

    BoardModel row;
    row.board.at(1, 1) = 4;
    row.board.at(6, 1) = 4;
    EXPECT_FALSE(isConsistent(row));
    BoardModel column;
    column.board.at(2, 1) = 3;
    column.board.at(2, 6) = 3;
    EXPECT_FALSE(isConsistent(column));
    BoardModel box;  // (4,3) and (6,4) share only their box
    box.board.at(4, 3) = 5;
    box.board.at(6, 4) = 5;
    EXPECT_FALSE(isConsistent(box));
}

TEST(Consistency, ADuplicateAnywhereMeansNothingFitsAnywhere) {
    BoardModel m;
    m.board.at(1, 1) = 2;
    m.board.at(1, 6) = 2;
    for (int v = 1; v <= 6; ++v) EXPECT_FALSE(fits(m, 6, 3, v));
    EXPECT_FALSE(allCellsOpen(m));
    EXPECT_EQ(m.board.at(6, 3), 0);
}

TEST(Consistency, FastFitsAgreesWithTheFullScan) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        BoardModel m;
        for (int i = 0; i < 14; ++i)
            m.board.at(static_cast<int>(rng() % 6) + 1, static_cast<int>(rng() % 6) + 1) =
                static_cast<std::uint8_t>(rng() % 7);
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r) {
                if (m.board.at(c, r) != 0) continue;
                for (int v = 1; v <= 6; ++v) {
                    Grid before = m.board;
                    ASSERT_EQ(fits(m, c, r, v), fitsByScan(m, c, r, v));
                    ASSERT_EQ(m.board, before);
                }
            }
    }
}

TEST(Consistency, AllCellsOpen) {
    BoardModel full = puzzle(kSolution);
    EXPECT_TRUE(allCellsOpen(full));
    full.board.at(1, 1) = 2;  // a full board with a conflict has no empty cell either
    EXPECT_TRUE(allCellsOpen(full));

    BoardModel dead;  // (1,1) sees 1..6 through its row, column and box, without any duplicate
    setBoard(dead.board, {"012000", "300000", "400000", "500000", "000000", "600000"});
    EXPECT_TRUE(isConsistent(dead));
    EXPECT_FALSE(allCellsOpen(dead));
}

TEST(StatusCheck, TheThreeMessages) {
    RecordingView view;
    BoardModel m;
    updateStatistics(m, view);
    EXPECT_EQ(m.statusText, kStatusNoErrors);
    EXPECT_FALSE(m.boardSolved);
    EXPECT_EQ(m.valueCount[0], 36);
    EXPECT_EQ(view.beeps, 0);

    setBoard(m.board, kSolution);
    updateStatistics(m, view);
    EXPECT_EQ(m.statusText, kStatusSolved);
    EXPECT_TRUE(m.boardSolved);

    // Every value six times, but swapped within a row: counts fine, duplicates in columns.
    std::swap(m.board.at(1, 1), m.board.at(2, 1));
    updateStatistics(m, view);
    EXPECT_EQ(m.statusText, kStatusWrong);
    EXPECT_TRUE(m.boardSolved);
    EXPECT_EQ(view.beeps, 1);

    // Seven of a value: counted as 7, and necessarily a duplicate.
    m.board.at(1, 1) = 1;
    m.board.at(2, 1) = 1;
    updateStatistics(m, view);
    EXPECT_EQ(m.valueCount[1], 7);
    EXPECT_EQ(m.statusText, kStatusWrong);
    EXPECT_FALSE(m.boardSolved);
}

TEST(Candidates, EmptyCellsGetExactlyTheFittingValues) {
    BoardModel m = puzzle({"100000", "000020", "000000", "003000", "000000", "000006"});
    ClockState clock;
    clock.clockRunning = true;
    RecordingView view;
    m.candidateMarks.at(1, 1, 3) = true;  // marks on filled cells are dropped
    m.showCandidates = true;
    computeCandidates(m, clock, view);
    EXPECT_FALSE(clock.clockRunning);
    EXPECT_EQ(view.log, (std::vector<std::string>{"clock", "marks"}));
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            for (int v = 1; v <= 6; ++v) {
                bool expected = m.board.at(c, r) == 0 && fitsByScan(m, c, r, v);
                EXPECT_EQ(m.candidateMarks.at(c, r, v), expected) << c << r << v;
            }

    // Without automatic candidates the player's own notes are only drawn.
    m.showCandidates = false;
    clock.clockRunning = true;
    m.candidateMarks.clear();
    m.candidateMarks.at(2, 2, 4) = true;
    computeCandidates(m, clock, view);
    EXPECT_TRUE(clock.clockRunning);
    EXPECT_TRUE(m.candidateMarks.at(2, 2, 4));
}

TEST(Solver, EmptyBoardPlacesNothingAndIsRatedExtrem) {
    BoardModel m(puzzle({"000000", "000000", "000000", "000000", "000000", "000000"}));
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.level, 3);
    EXPECT_EQ(m.statusText, kStatusNoErrors);
    EXPECT_EQ(boardString(m.board), std::string(36, '0'));
    // One status refresh after the passes, then one full redraw per row trial.
    EXPECT_EQ(view.counts, 7);
    EXPECT_EQ(view.cells, 6 * 36);
    EXPECT_FALSE(m.inTrial);
}

TEST(Solver, SolvedBoardStaysAndKeepsTheLevel) {
    BoardModel m = puzzle(kSolution);
    m.level = 1;
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.statusText, kStatusSolved);
    EXPECT_EQ(m.level, 1);
    EXPECT_EQ(view.cells, 0);
    EXPECT_EQ(view.log, (std::vector<std::string>{"counts", "status Brett gel\xC3\xB6st!!!"}));
}

TEST(Solver, FullBoardWithAConflictIsLeftAsItIs) {
    BoardModel m = puzzle(kSolution);
    std::swap(m.board.at(1, 1), m.board.at(2, 1));
    Grid before = m.board;
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.statusText, kStatusWrong);
    EXPECT_EQ(m.level, 3);
    EXPECT_EQ(m.board, before);
}

TEST(Solver, SinglesOnlyPuzzleIsSolvedInOrderWithoutGuessing) {
    BoardModel m = puzzle({"103050", "450100", "030504", "064001", "302040", "040302"});
    m.level = 0;
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.statusText, kStatusSolved);
    EXPECT_EQ(m.level, 0);
    EXPECT_EQ(boardString(m.board), "123456456123231564564231312645645312");
    // The first placements follow the box order: box (1,1) cell by cell, column first.
    ASSERT_GE(view.log.size(), 3u);
    EXPECT_EQ(view.log[0], "cell 21=2");
    EXPECT_EQ(view.log[1], "cell 32=6");
    EXPECT_EQ(view.log.back(), "status Brett gel\xC3\xB6st!!!");
}

TEST(Solver, DeadlyPatternNeedsOneGuessInReadingOrder) {
    // The four corners of a rectangle spanning two boxes: two solutions, no single anywhere.
    BoardModel m = puzzle({"023056", "056023", "231564", "564231", "312645", "645312"});
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.level, 3);
    EXPECT_EQ(m.statusText, kStatusSolved);
    EXPECT_EQ(boardString(m.board), "123456456123231564564231312645645312");
    // No pass placed anything; the first guess is cell (1,1) with its smaller value.
    EXPECT_EQ(view.log[0], "counts");
    EXPECT_EQ(view.log[2], "cell 11=1");
}

TEST(Solver, DuplicateEntryForcesARestartFromTheGivens) {
    BoardModel m = puzzle({"103050", "450100", "030504", "064001", "302040", "040302"});
    m.board.at(2, 1) = 1;  // the player's entry clashes with the given 1 in row 1
    m.candidateMarks.at(3, 3, 2) = true;
    ClockState clock;
    RecordingView view(&m);
    solveCommand(m, clock, view);
    EXPECT_EQ(m.statusText, kStatusSolved);
    EXPECT_EQ(m.level, 3);  // the first attempt rated it before the restart
    EXPECT_EQ(boardString(m.board), "123456456123231564564231312645645312");
    EXPECT_FALSE(m.candidateMarks.at(3, 3, 2));
    EXPECT_GE(view.beeps, 1);
}

TEST(Solver, SameEffectsAsTheFullScanSolver) {
    std::mt19937 rng(11);
    int guessed = 0, unsolved = 0;
    for (int round = 0; round < 200; ++round) {
        BoardModel a = randomPuzzle(rng, 10 + round % 25);
        a.showCandidates = round % 5 == 0;
        BoardModel b = a;
        ClockState ca, cb;
        RecordingView va(&a), vb(&b);
        solveBoard(a, ca, va);
        ReferenceSolver{b, cb, vb}.solveBoard();
        ASSERT_EQ(va.log, vb.log) << "round " << round;
        ASSERT_EQ(a.board, b.board);
        ASSERT_EQ(a.level, b.level);
        if (a.level == 3) ++guessed;
        if (a.statusText != kStatusSolved) ++unsolved;
    }
    EXPECT_GT(guessed, 10);  // the sample reaches the trial search
    EXPECT_GT(unsolved, 0);  // and boards that one guess cannot finish
}

TEST(WholeBoard, RestartKeepsOnlyTheGivens) {
    BoardModel m = puzzle({"103050", "450100", "030504", "064001", "302040", "040302"});
    m.board.at(2, 1) = 5;  // a wrong entry
    m.board.at(4, 1) = 4;
    m.candidateMarks.at(6, 6, 1) = true;
    ClockState clock;
    RecordingView view(&m);
    restartBoard(m, clock, view);
    EXPECT_EQ(m.board, m.givens);
    EXPECT_EQ(m.candidateMarks, Marks{});
    EXPECT_EQ(view.givenCells + view.cells, 36);
    EXPECT_EQ(view.log.back(), "marks");
}

TEST(WholeBoard, ClearEmptiesEverythingIncludingIndexZero) {
    BoardModel m = puzzle(kSolution);
    m.board.bytes[0] = 3;
    m.givens.bytes[7] = 2;
    m.candidateMarks.at(1, 1, 1) = true;
    ClockState clock;
    RecordingView view(&m);
    clearBoard(m, clock, view);
    EXPECT_EQ(m.board, Grid{});
    EXPECT_EQ(m.givens, Grid{});
    EXPECT_EQ(m.candidateMarks, Marks{});
    EXPECT_EQ(view.cells, 36);
    EXPECT_EQ(m.statusText, kStatusNoErrors);
}

}  // namespace
}  // namespace zg
