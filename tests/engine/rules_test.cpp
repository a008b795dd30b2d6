#include "engine/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/hint.h"
#include "engine/shuffle.h"
#include "support/fits_by_scan.h"
#include "support/fixtures.h"
#include "support/recording_view.h"

namespace zg {
namespace {

using test::boardFromLine;
using test::fitsByScan;
using test::kSinglesLine;
using test::kSolvedLine;
using test::lineOf;
using test::RecordingView;

// The solver as first written, every test a full scan: the engine's short cuts must give the
// same placements, redraws and status refreshes.
struct ReferenceSolver {
    BoardModel& m;
    ClockState& clock;
    BoardView& view;

    bool solved() const { return m.statusText == kStatusSolved; }
    void put(int c, int r, int v) {
        m.board.at(c, r) = static_cast<std::uint8_t>(v);
        view.drawCell(c, r, static_cast<std::uint8_t>(v));
    }
    // Places the one (column, row, value) of six options that fits, if exactly one does.
    void placeIfOne(auto option) {
        int n = 0;
        std::array<int, 3> last{};
        for (int i = 0; i < 6; ++i)
            if (auto [c, r, v] = option(i); m.board.at(c, r) == 0 && fitsByScan(m, c, r, v))
                ++n, last = {c, r, v};
        if (n == 1) put(last[0], last[1], last[2]);
    }
    void solveBoard() {
        for (int pass = 0; pass < 10; ++pass) {
            for (int b = 1; b <= 6; ++b) {
                const auto cells = unitCells({UnitKind::box, b});
                for (auto [c, r] : cells)
                    placeIfOne([&](int i) { return std::array{c, r, i + 1}; });
                for (int v = 1; v <= 6; ++v)
                    placeIfOne([&](int i) {
                        return std::array{cells[i].first, cells[i].second, v};
                    });
            }
            for (int k = 1; k <= 6; ++k)
                for (UnitKind kind : {UnitKind::row, UnitKind::column})
                    for (int v = 1; v <= 6; ++v)
                        placeIfOne([&](int i) {
                            auto [c, r] = unitCells({kind, k})[i];
                            return std::array{c, r, v};
                        });
        }
        updateStatistics(m, view);
        if (solved() || m.inTrial) return;
        m.level = 3;
        m.inTrial = true;
        const Grid backup = m.board;
        for (int r = 1; r <= 6 && !solved(); ++r) {
            for (int c = 1; c <= 6 && !solved(); ++c) {
                std::vector<int> fitting;
                for (int v = 1; v <= 6 && m.board.at(c, r) == 0; ++v)
                    if (fitsByScan(m, c, r, v)) fitting.push_back(v);
                for (std::size_t i = 0; i < fitting.size() && fitting.size() == 2; ++i) {
                    put(c, r, fitting[i]);
                    solveBoard();
                    if (solved()) break;
                    m.board = backup;
                    if (i == 1) view.drawCell(c, r, 0);
                }
            }
            if (!solved()) drawBoard(m, clock, view);
        }
        m.inTrial = false;
    }
};

const char* const kEmpty = "....................................";
const char* const kSwapped = "213456456123231564564231312645645312";  // counts fine, not valid

TEST(Rules, ConsistencyOpenCellsAndStatus) {
    const char *none = kStatusNoErrors, *wrong = kStatusWrong, *solved = kStatusSolved;
    const struct {
        const char* line;
        bool consistent, open;
        const char* status;
        bool boardSolved;
        int ones;  // valueCount[1]
    } cases[] = {
        {kEmpty, true, true, none, false, 0},
        {kSinglesLine, true, true, none, false, 3},
        {kSolvedLine, true, true, solved, true, 6},
        {"4....4..............................", false, false, wrong, false, 0},  // row
        {".3.............................3....", false, false, wrong, false, 0},  // column
        {"...............5.......5............", false, false, wrong, false, 0},  // box
        {kSwapped, false, true, wrong, true, 6},  // full: no empty cell
        {"113456456123231564564231312645645312", false, true, wrong, false, 7},
        {".12...3.....4.....5...........6.....", true, false, none, false, 1},  // (1,1) dead
        {".....4.....5...............6..3..12.", true, false, none, false, 1},  // (6,6) dead
    };
    for (const auto& c : cases) {
        BoardModel m = boardFromLine(c.line);
        EXPECT_EQ(isConsistent(m), c.consistent) << c.line;
        EXPECT_EQ(allCellsOpen(m), c.open) << c.line;
        RecordingView view(&m);
        updateStatistics(m, view);
        EXPECT_EQ(m.statusText, c.status) << c.line;
        EXPECT_EQ(m.boardSolved, c.boardSolved) << c.line;
        EXPECT_EQ(m.valueCount[1], c.ones) << c.line;
        const std::string cells = lineOf(m.board);
        EXPECT_EQ(m.valueCount[0], std::count(cells.begin(), cells.end(), '0')) << c.line;
        const std::string beep = c.consistent ? "" : " beep";
        EXPECT_EQ(view.log, (std::vector<std::string>{"counts", "status " + m.statusText + beep}));
    }
}

// Random boards, clashing ones too; candidates are computed only when shown.
TEST(Rules, FitsAndCandidatesAgreeWithTheFullScan) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        BoardModel m;
        for (int i = 0; i < 4 + round % 12; ++i)
            m.board.at(static_cast<int>(rng() % 6) + 1, static_cast<int>(rng() % 6) + 1) =
                static_cast<std::uint8_t>(rng() % 7);
        m.board.at(1, 1) = 1;
        m.candidateMarks.at(1, 1, 3) = true;  // on a filled cell: dropped when computed
        const bool shown = m.showCandidates = round % 2;
        ClockState clock;
        clock.clockRunning = true;
        RecordingView view;
        computeCandidates(m, clock, view);
        ASSERT_EQ(clock.clockRunning, !shown);
        ASSERT_EQ(view.log, (shown ? std::vector<std::string>{"clock", "marks"}
                                   : std::vector<std::string>{"marks"}));
        for (int i = 0; i < 343; ++i) {
            const int c = i % 7, r = i / 7 % 7, v = i / 49;
            const bool open = c && r && v && m.board.at(c, r) == 0,
                       fitting = open && fitsByScan(m, c, r, v);
            ASSERT_TRUE(!open || fits(m, c, r, v) == fitting) << lineOf(m.board);
            ASSERT_EQ(m.candidateMarks.items[i], shown ? fitting : i == Marks::offset(1, 1, 3));
        }
    }
}

TEST(Rules, SolveCommand) {
    // The board and status afterwards, the level from 1, the first visible effects.
    const struct {
        const char *givens, *entries, *board, *status;
        int level;
        std::vector<std::string> first;
    } cases[] = {
        {kEmpty, "", kEmpty, kStatusNoErrors, 3, {"counts", "status "}},  // every row tried
        {kSolvedLine, "", kSolvedLine, kStatusSolved, 1, {"counts"}},
        {kSwapped, "", kSwapped, kStatusWrong, 3, {"counts"}},
        {kSinglesLine, "", kSolvedLine, kStatusSolved, 1, {"cell 21=2", "cell 32=6"}},
        // A deadly pattern takes a guess, the smaller value first.
        {".23.56.56.23231564564231312645645312",
         "",
         kSolvedLine,
         kStatusSolved,
         3,
         {"counts", "status ", "cell 11=1"}},
        // An entry clashing with a given: solved again from the givens.
        {kSinglesLine, ".1..................................", kSolvedLine, kStatusSolved, 3, {}},
    };
    for (const auto& c : cases) {
        BoardModel m = boardFromLine(c.givens, c.entries);
        m.level = 1;
        m.candidateMarks.at(3, 3, 2) = true;
        ClockState clock;
        RecordingView view;
        solveCommand(m, clock, view);
        EXPECT_EQ(lineOf(m.board), lineOf(boardFromLine(c.board).board)) << c.givens;
        EXPECT_EQ(m.statusText, c.status) << c.givens;
        EXPECT_EQ(m.level, c.level) << c.givens;
        EXPECT_FALSE(m.inTrial);
        EXPECT_TRUE(std::equal(c.first.begin(), c.first.end(), view.log.begin())) << c.givens;
        EXPECT_EQ(m.candidateMarks.at(3, 3, 2), *c.entries == '\0') << "restarted";
    }
}

// Shuffled solutions with random cells removed, from singles-only boards to boards that need
// a guess or cannot be finished, each solved by both solvers.
TEST(Rules, SolverHasTheSameEffectsAsTheFullScanSolver) {
    std::mt19937 rng(11);
    int guessed = 0, unsolved = 0;
    for (int round = 0; round < 200; ++round) {
        BoardModel a = boardFromLine(kSolvedLine);
        SeededRandom shuffleRandom(rng());
        shuffleBoard(a, shuffleRandom);
        for (int i = 0; i < 10 + round % 25; ++i) {
            int c = static_cast<int>(rng() % 6) + 1, r = static_cast<int>(rng() % 6) + 1;
            a.board.at(c, r) = a.givens.at(c, r) = 0;
        }
        a.showCandidates = round % 5 == 0;
        BoardModel b = a;
        ClockState ca, cb;
        RecordingView va(&a), vb(&b);
        solveBoard(a, ca, va);
        ReferenceSolver{b, cb, vb}.solveBoard();
        ASSERT_EQ(va.log, vb.log) << "round " << round;
        ASSERT_EQ(a.board, b.board);
        ASSERT_EQ(a.level, b.level);
        guessed += a.level == 3;
        unsolved += a.statusText != kStatusSolved;
    }
    EXPECT_GT(guessed, 10);  // the sample reaches the trial search
    EXPECT_GT(unsolved, 0);  // and boards that one guess cannot finish
}

TEST(Rules, RestartKeepsTheGivensAndClearKeepsNothing) {
    for (bool clear : {false, true}) {
        BoardModel m = boardFromLine(kSinglesLine, ".5.4................................");
        m.board.bytes[0] = 3;  // index 0 too
        m.candidateMarks.at(6, 6, 1) = true;
        ClockState clock;
        RecordingView view(&m);
        clear ? clearBoard(m, clock, view) : restartBoard(m, clock, view);
        EXPECT_EQ(lineOf(m.board), clear ? lineOf(Grid{}) : kSinglesLine);
        EXPECT_EQ(m.board.bytes[0], clear ? 0 : 3);
        EXPECT_EQ(countGivens(m), clear ? 0 : 18);
        EXPECT_EQ(m.candidateMarks, Marks{});
        EXPECT_EQ(view.count("given "), clear ? 0 : 18);
        EXPECT_EQ(view.count("given ") + view.count("cell "), 36);
        EXPECT_EQ(view.log.back(), "marks");
    }
}

}  // namespace
}  // namespace zg
