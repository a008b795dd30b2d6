#include <gtest/gtest.h>

#include <string>

#include "engine/clock_state.h"
#include "engine/history.h"
#include "support/fixtures.h"

namespace zg {
namespace {

TEST(ClockState, ElapsedTimeAsTheClockShowsIt) {
    const struct {
        double start, now;
        const char *running, *final;
    } cases[] = {
        {100.0, 100.0, " 00:00:00", "00:00:00.0"},
        {10.0, 17.25, " 00:00:07", "00:00:07.3"},  // halves round up
        {0.0, 59.96, " 00:00:59", "00:00:60.0"},
        {0.0, 3599.9, " 00:59:59", "00:59:59.9"},
        {0.0, 3600.0 * 123 + 61, " 23:01:01", "23:01:01.0"},  // hours keep two digits
        {50.0, 20.0, " 00:00:00", "00:00:00.0"},              // a clock that went back
    };
    for (const auto& c : cases) {
        ClockState clock;
        clock.startTime = c.start;
        splitElapsed(clock, c.now);
        EXPECT_EQ(runningText(clock) + finalText(clock), std::string(c.running) + c.final);
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
    for (int i = 0; c && i < 3; ++i) {
        const CellChange& k = kChanges[i];
        if (c->column == k.column && c->row == k.row && c->before == k.before &&
            c->after == k.after)
            return static_cast<char>('a' + i);
    }
    return c ? '?' : '-';
}

TEST(History, SequencesOfRecordUndoRedoAndClear) {
    // a/b/c record that change, n a change to the same state, u undo, r redo, x clear. got: per
    // u or r the change handed back, '-' for none; then whether undo and redo are possible.
    const struct {
        std::string script, got;
    } cases[] = {
        {"ur", "--00"},
        {"abuuu", "ba-01"},       // undo takes back the latest first
        {"abuurrr", "baab-10"},   // redo replays in the order undone
        {"abucruuu", "b-ca-01"},  // a new change drops the redo list
        {"anuu", "a-01"},         // a change to the same state is no change
        {"aunr", "aa10"},         // and does not drop the redo list either
        {"abuxur", "b--00"},      // clear forgets both lists
        {std::string(500, 'a') + std::string(501, 'u'), std::string(500, 'a') + "-01"},
    };
    for (const auto& c : cases) {
        History h;
        std::string got;
        for (char op : c.script) {
            if (op >= 'a' && op <= 'c') h.record(kChanges[op - 'a']);
            if (op == 'n') h.record({2, 3, state(1, 0, {4}), state(1, 0, {4})});
            if (op == 'u') got += nameOf(h.undo());
            if (op == 'r') got += nameOf(h.redo());
            if (op == 'x') h.clear();
        }
        EXPECT_EQ(got + char('0' + h.canUndo()) + char('0' + h.canRedo()), c.got) << c.script;
    }
}

// Every field of the one cell, and nothing else, goes through the model and back.
TEST(History, CellStateRoundTripsThroughTheModel) {
    for (const CellState& s : {state(0, 0, {}), state(5, 0, {}), state(4, 4, {1, 3, 6})}) {
        BoardModel m;
        m.board.bytes.fill(2);
        m.givens.bytes.fill(2);
        m.candidateMarks.items.fill(true);
        const BoardModel before = m;
        applyCellState(m, 4, 5, s);
        History h;
        h.recordFrom(m, 4, 5, cellState(before, 4, 5));
        h.recordFrom(m, 4, 5, cellState(m, 4, 5));  // no change: not recorded
        const std::optional<CellChange> c = h.undo();
        ASSERT_TRUE(c && c->column == 4 && c->row == 5 && c->after == s);
        applyCellState(m, 4, 5, c->before);
        EXPECT_TRUE(m.board == before.board && m.givens == before.givens &&
                    m.candidateMarks == before.candidateMarks);
    }
}

TEST(PuzzleLine, ParsesOrSaysWhy) {
    const struct {
        std::string line;
        const char* cells;  // cellsText, or the error
        bool blank = false;
    } cases[] = {
        {"1.30..000000000000000000000000000006\r", "103000000000000000000000000000000006"},
        {"", "", true},
        {" \t\r", "", true},
        {"12345", "expected 36 characters, got 5"},
        {std::string(37, '0'), "expected 36 characters, got 37"},
        {"00000000700000000000000000000000000.",
         "invalid character '7' at position 9 (row 2, column 3); use 1-6, 0 or ."},
        {"\x7f...................................",
         "invalid character 0x7F at position 1 (row 1, column 1); use 1-6, 0 or ."},
        {"\t...................................",
         "invalid character 0x09 at position 1 (row 1, column 1); use 1-6, 0 or ."},
    };
    for (const auto& c : cases) {
        const PuzzleLine p = parsePuzzleLine(c.line);
        EXPECT_EQ(p.blank, c.blank) << c.line;
        EXPECT_EQ(p.ok ? cellsText(p.cells) : p.error, c.cells) << c.line;
        EXPECT_EQ(p.ok, !c.blank && p.error.empty()) << c.line;
    }
    Grid g;
    putCells(g, parsePuzzleLine(".2....3............................6").cells);
    EXPECT_TRUE(g.at(2, 1) == 2 && g.at(1, 2) == 3 && g.at(6, 6) == 6);
    EXPECT_EQ(g.bytes[9], 2);  // the file image: column + 7 * row
    EXPECT_EQ(test::lineOf(g), "020000300000000000000000000000000006");
}

TEST(PuzzleLine, SymmetryCountAndClash) {
    const struct {
        const char* line;
        bool halfTurn;
        int filled;
        const char* clash;
    } cases[] = {
        {"....................................", true, 0, ""},
        {test::kSolvedLine, true, 36, ""},
        {"1..................................4", true, 2, ""},  // only being filled counts
        {"1...................................", false, 1, ""},
        {"........2.................5.........", false, 2, ""},  // (3,2) pairs with (4,5)
        {"1.......21................55.......4", true, 6, "5 twice in row 5"},
        {"1..1...............................1", false, 3, "1 twice in row 1"},
        {"...............................3...3", false, 2, "3 twice in row 6"},
        {".....3.................3............", false, 2, "3 twice in column 6"},
        {".........................2......2...", false, 2, "2 twice in box 5"},
        {"...1......1.........................", false, 2, "1 twice in box 2"},
    };
    for (const auto& c : cases) {
        const Cells cells = parsePuzzleLine(c.line).cells;
        EXPECT_EQ(halfTurnSymmetric(cells), c.halfTurn) << c.line;
        EXPECT_EQ(filledCount(cells), c.filled) << c.line;
        EXPECT_EQ(describeClash(cells), c.clash) << c.line;
    }
}

}  // namespace
}  // namespace zg
