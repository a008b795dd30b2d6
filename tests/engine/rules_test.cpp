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
    const char* deadly = ".23.56.56.23231564564231312645645312";
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
        {deadly, "", kSolvedLine, kStatusSolved, 3, {"counts", "status ", "cell 11=1"}},
        // An entry leaving a cell without a value: solved again from the givens.
        {kSinglesLine, "...2................................", kSolvedLine, kStatusSolved, 3, {}},
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

// The generator of the golden values: a plain LCG, reproduced by the oracle that computed them.
std::vector<int> lcg(int n, unsigned long long x) {
    std::vector<int> out;
    while (n-- > 0)
        out.push_back(static_cast<int>((x = (x * 1103515245ULL + 12345ULL) % (1ULL << 31)) >> 16));
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
        EXPECT_EQ(lineOf(m.board) + lineOf(m.givens), std::string(c.board) + c.givens);
        EXPECT_EQ(random.requests().size(), c.draws);
    }
    // A draw of one value still takes a number, so a game's sequence does not depend on it.
    SeededRandom a(5), b(5);
    EXPECT_EQ((a(1), a(1000)), (b(1000), b(1000)));
    // Relabelling draws again until a symbol is free: 0 -> 1, 0 again is taken, 5 -> 6, ...
    BoardModel m = boardFromLine("1...................................", kSolvedLine);
    ScriptedRandom random({0, 0, 5, 5, 1, 2, 2, 3, 4});
    relabel(m, random);
    EXPECT_EQ(random.requests().size(), 9u);
    EXPECT_EQ(lineOf(m.board) + lineOf(m.givens),
              "162345345162621453453621216534534216100000000000000000000000000000000000");
}

// "box 1: 32=6 value" (a placement: unit, cell, value, reason), "conflict row 5", "guess".
std::string describe(const Hint& h) {
    const char* units[] = {"box", "row", "column"};
    std::string unit = units[static_cast<int>(h.unit.kind)] + (" " + std::to_string(h.unit.index));
    if (h.kind == HintKind::conflict) return "conflict " + unit;
    if (h.kind != HintKind::place) return h.kind == HintKind::guess ? "guess" : "solved";
    return unit + ": " + std::to_string(h.column) + std::to_string(h.row) + "=" +
           std::to_string(h.value) +
           (h.reason == HintReason::onlyValueInCell ? " value" : " place");
}

TEST(Hint, DecisionsOnTypicalBoards) {
    const char* extrem0 = "201000040000300020050003000030000401";
    const char* cases[][3] = {
        // naked single; an earlier cell of the box is a hidden single
        {".23.5....1.3........423..12.456.5..2", "", "box 1: 32=6 value"},
        {"...4.6..6.23.....4.64....126..6....2", "", "box 5: 53=6 place"},  // hidden single
        {"23............1......1............1.", "", "row 1: 61=1 place"},
        {"2.........1....1..3..........1......", "", "column 1: 16=1 place"},
        {"1234.64561232.1564564231312645645312", "", "box 2: 23=3 value"},       // box 3 before 2
        {"2..4......12...1..3....6..3..1...3..", "", "column 1: 16=1 place"},    // before row 2
        {extrem0, ".3...........6......................", "box 2: 33=4 value"},  // right entries
        {"..1............2....1..2.4...4......", "", "conflict column 3"},
        {"...............2.......2.4...4......", "", "conflict row 5"},
        {"...............2....................", ".......................2............",
         "conflict box 5"},
        {"......123...4..1.3..5.4..6..5.....6.", "", "conflict box 4"},       // first dead cell
        {extrem0, ".3........5..1......................", "conflict box 4"},  // first wrong entry
        {extrem0, ".....4.......1......................", "conflict box 2"},  // right one first
        {extrem0, "..........5...........6.............", "conflict box 6"},  // dead cell first
        {"065000400050002000000300040006000510", "...................................3",
         "conflict box 6"},
        // own board: entries agreeing with one of many solutions
        {"....................................", "2...................................", "guess"},
        {"500200004000300060040001000600002004", "....4..........4........4...........", "guess"},
        {kSolvedLine, "", "solved"},
    };
    for (const auto& [givens, entries, expected] : cases)
        EXPECT_EQ(describe(findHint(boardFromLine(givens, entries))), expected)
            << givens << " " << entries;
    // Bytes outside the 6 x 6 cells (a board file may hold them) are no entries.
    BoardModel m = boardFromLine(extrem0, ".3........5..1......................");
    m.board.at(0, 2) = 5;
    EXPECT_EQ(describe(findHint(m)), "conflict box 4");
}

// Hint after hint through every stored puzzle: each is the placement the solver makes first
// on that board, and the walk ends where the passes end.
TEST(Hint, AlwaysTheSolversFirstPlacement) {
    for (int level = 0; level < 4; ++level)
        for (int slot = 0; slot < kRecordCount; ++slot) {
            BoardModel m = test::collectionBoard(level, slot);
            for (int step = 0; step <= 36; ++step) {
                const Hint h = findHint(m);
                BoardModel solved = m;
                ClockState clock;
                RecordingView view;
                solveCommand(solved, clock, view);
                ASSERT_FALSE(view.log.empty());
                if (h.kind != HintKind::place) {
                    EXPECT_EQ(h.kind, level == 3 ? HintKind::guess : HintKind::solved) << level;
                    EXPECT_EQ(view.log.front(), "counts") << level << " placed before guessing";
                    break;
                }
                EXPECT_EQ(view.log.front(), "cell " + std::to_string(h.column) +
                                                std::to_string(h.row) + "=" +
                                                std::to_string(h.value))
                    << level << "/" << slot << " step " << step;
                m.board.at(h.column, h.row) = static_cast<std::uint8_t>(h.value);
            }
        }
}

TEST(HintText, ReadsAsThePanelShowsIt) {
    auto place = [](int value, HintReason reason) {
        return Hint{HintKind::place, {}, 1, 1, value, reason};
    };
    const std::tuple<Hint, bool, std::string> cases[] = {
        {place(4, HintReason::onlyPlaceInUnit), true, "Nur hier passt die 4."},
        {place(2, HintReason::onlyValueInCell), false, "Hier passt nur die B."},
        {place(6, HintReason::onlyValueInCell), false, "Hier passt nur die F."},
        {Hint{HintKind::conflict, {}}, true, "Hier stimmt etwas nicht."},
        {Hint{HintKind::guess, {}}, true, "Hier hilft nur Raten."},
        {Hint{HintKind::solved, {}}, true, kStatusSolved},
    };
    for (const auto& [hint, digits, text] : cases) EXPECT_EQ(hintReasonText(hint, digits), text);
    EXPECT_EQ(symbolText(0, true), "");
}

}  // namespace
}  // namespace zg
