// The engine: rules, solver, shuffle, hint, the clock's texts, history and puzzle lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/hint.h"
#include "engine/history.h"
#include "engine/rules.h"
#include "engine/shuffle.h"
#include "engine/view_port.h"
#include "support/fixtures.h"

namespace zg {
namespace {

using namespace test;

// A BoardView that writes down every visible effect in order.
struct RecordingView : BoardView {
    explicit RecordingView(const BoardModel* m = nullptr) : model(m) {}
    void drawCell(int c, int r, std::uint8_t v) override { put("cell ", c, r, v); }
    void drawGivenCell(int c, int r, std::uint8_t v) override { put("given ", c, r, v); }
    void drawCounts() override { log.push_back("counts"); }
    void drawStatus(bool beep) override {
        log.push_back("status " + (model ? model->statusText : "") + (beep ? " beep" : ""));
    }
    void drawCandidates() override { log.push_back("marks"); }
    void updateClock() override { log.push_back("clock"); }
    void put(std::string what, int c, int r, int v) {
        shown.at(c, r) = static_cast<std::uint8_t>(v);
        log.push_back(what + std::to_string(c) + std::to_string(r) + "=" + std::to_string(v));
    }
    const BoardModel* model;
    std::vector<std::string> log;
    Grid shown;  // the cells as drawn
};

TEST(ClockState, ElapsedTimeAsTheClockShowsIt) {
    // Start, now, then the running and the final text.
    const std::tuple<double, double, const char*, const char*> cases[] = {
        {10.0, 17.25, " 00:00:07", "00:00:07.3"},  // halves round up
        {0.0, 59.96, " 00:00:59", "00:00:60.0"},
        {0.0, 3600.0 * 123 + 61, " 23:01:01", "23:01:01.0"},  // hours keep two digits
        {50.0, 20.0, " 00:00:00", "00:00:00.0"},              // a clock that went back
    };
    for (const auto& [start, now, running, final] : cases) {
        ClockState clock;
        clock.startTime = start;
        splitElapsed(clock, now);
        EXPECT_EQ(runningText(clock) + finalText(clock), std::string(running) + final);
    }
}

CellState state(std::uint8_t value, std::uint8_t given, std::initializer_list<int> marks) {
    CellState s{value, given, {}};
    for (int v : marks) s.marks[v] = true;
    return s;
}

// Three different changes, named a, b, c in the scripts below.
const CellChange kChanges[] = {{1, 1, state(0, 0, {}), state(3, 0, {})},
                               {6, 2, state(0, 0, {2, 5}), state(0, 0, {5})},
                               {4, 6, state(0, 0, {}), state(2, 2, {})}};

char nameOf(const std::optional<CellChange>& c) {
    const auto fields = [](const CellChange& x) {
        return std::tie(x.column, x.row, x.before, x.after);
    };
    for (int i = 0; c && i < 3; ++i)
        if (fields(*c) == fields(kChanges[i])) return static_cast<char>('a' + i);
    return c ? '?' : '-';
}

TEST(History, SequencesOfRecordUndoRedoAndClear) {
    // a/b/c record that change, n a change to the same state, u undo, r redo, x clear. got: per
    // u or r the change handed back, '-' for none; then whether undo and redo are possible.
    const std::pair<std::string, std::string> cases[] = {
        {"abuuu", "ba-01"},       // undo takes back the latest first
        {"abuurrr", "baab-10"},   // redo replays in the order undone
        {"abucruuu", "b-ca-01"},  // a new change drops the redo list
        {"anuu", "a-01"},         // a change to the same state is no change
        {"aunr", "aa10"},         // and does not drop the redo list either
        {"abuxur", "b--00"},      // clear forgets both lists
        {std::string(500, 'a') + std::string(501, 'u'), std::string(500, 'a') + "-01"},
    };
    for (const auto& [script, expected] : cases) {
        History h;
        std::string got;
        for (char op : script) {
            if (op >= 'a' && op <= 'c') h.record(kChanges[op - 'a']);
            if (op == 'n') h.record({2, 3, state(1, 0, {4}), state(1, 0, {4})});
            if (op == 'u') got += nameOf(h.undo());
            if (op == 'r') got += nameOf(h.redo());
            if (op == 'x') h.clear();
        }
        EXPECT_EQ(got + char('0' + h.canUndo()) + char('0' + h.canRedo()), expected) << script;
    }
}

TEST(PuzzleLine, ParsesOrSaysWhy) {
    // The line, then its cellsText or how its error begins; a blank line is neither.
    const std::pair<std::string, const char*> cases[] = {
        {"1.30..000000000000000000000000000006\r", "103000000000000000000000000000000006"},
        {"", ""},
        {" \t\r", ""},
        {std::string(37, '0'), "expected 36 characters, got 37"},
        {"00000000700000000000000000000000000.",
         "invalid character '7' at position 9 (row 2, column 3); use 1-6, 0 or ."},
        {"\t...................................", "invalid character 0x09 at position 1 "},
        {". ..................................", "invalid character ' ' at position 2 "},
        {"\x7f...................................", "invalid character 0x7F at position 1 "},
    };
    for (const auto& [line, cells] : cases) {
        const PuzzleLine p = parsePuzzleLine(line);
        EXPECT_EQ(p.blank, *cells == '\0') << line;
        const std::string got = p.ok ? cellsText(p.cells) : p.error;
        EXPECT_TRUE(got.starts_with(cells)) << got;
        EXPECT_EQ(p.ok, !p.blank && p.error.empty()) << line;
    }
}

TEST(PuzzleLine, SymmetryCountAndClash) {
    // The line, whether it is symmetric under a half turn, its filled cells, its first clash.
    const std::tuple<const char*, bool, int, const char*> cases[] = {
        {"....................................", true, 0, ""},
        {kSolvedLine, true, 36, ""},
        {"1..................................4", true, 2, ""},  // only being filled counts
        {"1...................................", false, 1, ""},
        {"........2.................5.........", false, 2, ""},  // (3,2) pairs with (4,5)
        {"1.......21................55.......4", true, 6, "5 twice in row 5"},
        {"1..1...............................1", false, 3, "1 twice in row 1"},
        {"...............................6...6", false, 2, "6 twice in row 6"},
        {".....3.................3............", false, 2, "3 twice in column 6"},
        {".........................2......2...", false, 2, "2 twice in box 5"},
        {"...1......1.........................", false, 2, "1 twice in box 2"},
    };
    for (const auto& [line, halfTurn, filled, clash] : cases) {
        const Cells cells = parsePuzzleLine(line).cells;
        EXPECT_EQ(halfTurnSymmetric(cells), halfTurn) << line;
        EXPECT_EQ(filledCount(cells), filled) << line;
        EXPECT_EQ(describeClash(cells), clash) << line;
    }
}

const char* const kEmpty = "....................................";
const char* const kSwapped = "213456456123231564564231312645645312";  // counts fine, not valid

TEST(Rules, ConsistencyOpenCellsAndStatus) {
    const char *none = kStatusNoErrors, *wrong = kStatusWrong, *solved = kStatusSolved;
    // The line; consistent, every cell open; status text, solved, valueCount[1] afterwards.
    const std::tuple<const char*, bool, bool, const char*, bool, int> cases[] = {
        {kEmpty, true, true, none, false, 0},
        {kSinglesLine, true, true, none, false, 3},
        {kSolvedLine, true, true, solved, true, 6},
        {"12345.45.1232315.45.4231312.45.45312", true, true, none, false, 6},     // no 6 yet
        {"4....4..............................", false, false, wrong, false, 0},  // row
        {".3.............................3....", false, false, wrong, false, 0},  // column
        {"...............5.......5............", false, false, wrong, false, 0},  // box
        {kSwapped, false, true, wrong, true, 6},  // full: no empty cell
        {"113456456123231564564231312645645312", false, true, wrong, false, 7},
        {".12...3.....4.....5...........6.....", true, false, none, false, 1},  // (1,1) dead
        {".....4.....5...............6..3..12.", true, false, none, false, 1},  // (6,6) dead
    };
    for (const auto& [line, consistent, open, status, boardSolved, ones] : cases) {
        BoardModel m = boardFromLine(line);
        EXPECT_EQ(isConsistent(m), consistent) << line;
        EXPECT_EQ(allCellsOpen(m), open) << line;
        RecordingView view(&m);
        updateStatistics(m, view);
        EXPECT_EQ(m.statusText, status) << line;
        EXPECT_EQ(m.boardSolved, boardSolved) << line;
        EXPECT_EQ(m.valueCount[1], ones) << line;
        EXPECT_EQ(m.valueCount[0], std::ranges::count(lineOf(m.board), '0')) << line;
        const std::string beep = consistent ? "" : " beep";
        EXPECT_EQ(view.log, (std::vector<std::string>{"counts", "status " + m.statusText + beep}));
    }
}

TEST(Rules, SolveCommand) {
    const char* deadly = ".23.56.56.23231564564231312645645312";
    const char* secondGuess = "001000503200004000006124402035605012";
    const char* noGuess = "001046004010000201125634510400000025";
    const char* lastRow = "000050456003201504004001000005005302";  // only a guess there finishes it
    // Givens, entries; the board and status afterwards, the level from 1, the first effects shown.
    using S = const char*;
    const std::tuple<S, S, S, S, int, std::vector<std::string>> cases[] = {
        {kEmpty, "", kEmpty, kStatusNoErrors, 3, {"counts", "status "}},  // every row tried
        {kSolvedLine, "", kSolvedLine, kStatusSolved, 1, {"counts"}},
        {kSwapped, "", kSwapped, kStatusWrong, 3, {"counts"}},
        {kSinglesLine, "", kSolvedLine, kStatusSolved, 1, {"cell 21=2", "cell 32=6"}},
        // A deadly pattern takes a guess, the smaller value first.
        {deadly, "", kSolvedLine, kStatusSolved, 3, {"counts", "status ", "cell 11=1"}},
        // The smaller value fails, the other one solves; both values of a cell fail, the board
        // is put back before the next cell is tried (and no guess finishes it).
        {secondGuess, "", "261543543261124356356124412635635412", kStatusSolved, 3, {}},
        {noGuess, "", "201046004012000251125634512463000125", kStatusNoErrors, 3, {}},
        {lastRow, "", "312456456213261534534621623145145362", kStatusSolved, 3, {}},
        // Entries leaving a cell without a value, or clashing with a given: solved from the givens.
        {kSinglesLine, "...2................................", kSolvedLine, kStatusSolved, 3, {}},
        {kSinglesLine, ".1..................................", kSolvedLine, kStatusSolved, 3, {}},
    };
    for (const auto& [givens, entries, board, status, level, first] : cases) {
        BoardModel m = boardFromLine(givens, entries);
        m.level = 1;
        m.candidateMarks.at(3, 3, 2) = true;
        ClockState clock;
        RecordingView view;
        view.shown = m.board;
        solveCommand(m, clock, view);
        EXPECT_TRUE(m.board == boardFromLine(board).board) << givens << ": " << lineOf(m.board);
        EXPECT_EQ(lineOf(view.shown), lineOf(m.board)) << givens << ": the board shown";
        EXPECT_EQ(m.statusText, status) << givens;
        EXPECT_EQ(m.level, level) << givens;
        EXPECT_FALSE(m.inTrial);
        EXPECT_TRUE(std::equal(first.begin(), first.end(), view.log.begin())) << givens;
        EXPECT_EQ(m.candidateMarks.at(3, 3, 2), *entries == '\0') << "restarted";
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
    // Symmetric or not, the seed; the draws taken, the board and givens afterwards.
    const std::tuple<bool, unsigned, std::size_t, const char*, const char*> cases[] = {
        {true, 2024, 2357, "123564645312231045450123312456564231",
         "003500040012200045450003310050004200"},
        {true, 11, 2651, "321645456132640213132064213456564321",
         "320040006100640003100064003400060021"},
        {false, 2024, 2519, "532164164532253016016253641325325641",
         "032060100500050016016003001025300600"}};
    for (const auto& [symmetric, seed, draws, board, givens] : cases) {
        BoardModel m = boardFromLine("1..4.6.5..2.2.15....42.1.1..4.6.5..2",
                                     "1234564561232.15645642.1312645645312");
        m.symmetricShuffle = symmetric;
        ScriptedRandom random(lcg(20000, seed));
        shuffleBoard(m, random);
        EXPECT_EQ(lineOf(m.board) + lineOf(m.givens), std::string(board) + givens);
        EXPECT_EQ(random.requests().size(), draws);
    }
    // A draw of one value still takes a number, so a game's sequence does not depend on it.
    SeededRandom a(5), b(5);
    EXPECT_EQ((a(1), a(1000)), (b(1000), b(1000)));
}

// "box 1: 32=6 value" (a placement: unit, cell, value, reason), "conflict row 5", "guess".
std::string describe(const Hint& h) {
    const char* units[] = {"box", "row", "column"};
    std::string unit = units[static_cast<int>(h.unit.kind)] + (" " + std::to_string(h.unit.index));
    if (h.kind == HintKind::conflict) return "conflict " + unit;
    if (h.kind != HintKind::place) return h.kind == HintKind::guess ? "guess" : "solved";
    return unit + ": " + std::to_string(h.column * 10 + h.row) + "=" + std::to_string(h.value) +
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
        {"12345645612323156456423131264564531.", "", "box 6: 66=2 value"},       // the last box too
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

TEST(Hint, TextsReadAsThePanelShowsThem) {
    const auto place = [](int v, HintReason r) { return Hint{HintKind::place, {}, 1, 1, v, r}; };
    const std::tuple<Hint, bool, std::string> cases[] = {
        {place(4, HintReason::onlyPlaceInUnit), true, "Nur hier passt die 4."},
        {place(2, HintReason::onlyValueInCell), false, "Hier passt nur die B."},
        {Hint{HintKind::conflict, {}}, true, "Hier stimmt etwas nicht."},
        {Hint{HintKind::guess, {}}, true, "Hier hilft nur Raten."},
        {Hint{HintKind::solved, {}}, true, kStatusSolved},
    };
    for (const auto& [hint, digits, text] : cases) EXPECT_EQ(hintReasonText(hint, digits), text);
}

}  // namespace
}  // namespace zg
