#include "engine/history.h"

#include <gtest/gtest.h>

#include <string>

namespace zg {
namespace {

CellState state(std::uint8_t value, std::uint8_t given, std::initializer_list<int> marks) {
    CellState s{value, given, {}};
    for (int v : marks) s.marks[v] = true;
    return s;
}

// Three different changes, named a, b, c in the scripts below.
const CellChange kChanges[] = {
    {1, 1, state(0, 0, {}), state(3, 0, {})},
    {6, 2, state(0, 0, {2, 5}), state(0, 0, {5})},
    {4, 6, state(0, 0, {}), state(2, 2, {})},
};

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
    // a/b/c record that change, n records a change to the same state, u undo, r redo, x clear.
    // got: one letter per u or r, the change it handed back or '-' for none.
    const struct {
        const char* name;
        std::string script, got;
        bool canUndo, canRedo;
    } cases[] = {
        {"nothing to take back", "ur", "--", false, false},
        {"undo takes back the latest first", "abuuu", "ba-", false, true},
        {"redo replays in the order undone", "abuurrr", "baab-", true, false},
        {"a new change drops the redo list", "abucruuu", "b-ca-", false, true},
        {"a change to the same state is no change", "anuu", "a-", false, true},
        {"it does not drop the redo list either", "aunr", "aa", true, false},
        {"clear forgets both lists", "abuxur", "b--", false, false},
        {"no depth limit", std::string(500, 'a') + std::string(501, 'u'),
         std::string(500, 'a') + "-", false, true},
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
        EXPECT_EQ(got, c.got) << c.name;
        EXPECT_EQ(h.canUndo(), c.canUndo) << c.name;
        EXPECT_EQ(h.canRedo(), c.canRedo) << c.name;
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

}  // namespace
}  // namespace zg
