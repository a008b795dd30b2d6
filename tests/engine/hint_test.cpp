#include "engine/hint.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/rules.h"
#include "files/board_file.h"
#include "support/recording_view.h"

namespace zg {
namespace {

// Puzzle lines, rows from the top, '.' or '0' empty. The tools' parser lives in zg_tools,
// which this test executable does not link; entries are the player's values on top.
BoardModel modelOf(std::string_view givens, std::string_view entries = {}) {
    BoardModel m;
    EXPECT_EQ(givens.size(), 36u);
    EXPECT_TRUE(entries.empty() || entries.size() == 36u);
    auto value = [](char ch) { return static_cast<std::uint8_t>(ch == '.' ? 0 : ch - '0'); };
    for (int i = 0; i < 36; ++i) {
        int c = i % 6 + 1, r = i / 6 + 1;
        m.givens.at(c, r) = value(givens[i]);
        m.board.at(c, r) = m.givens.at(c, r);
        if (!entries.empty() && m.board.at(c, r) == 0) m.board.at(c, r) = value(entries[i]);
    }
    return m;
}

constexpr UnitKind kBox = UnitKind::box, kRow = UnitKind::row, kColumn = UnitKind::column;
constexpr HintReason kOnlyValue = HintReason::onlyValueInCell,
                     kOnlyPlace = HintReason::onlyPlaceInUnit;

TEST(Hint, DecisionsOnTypicalBoards) {
    struct Case {
        const char* name;
        const char* givens;
        const char* entries;
        HintKind kind;
        Unit unit{};
        int column = 0, row = 0, value = 0;
        HintReason reason = kOnlyValue;
    };
    const char* extrem0 = "201000040000300020050003000030000401";
    const Case cases[] = {
        {"naked single; an earlier cell of the box is a hidden single",
         ".23.5....1.3........423..12.456.5..2",
         "",
         HintKind::place,
         {kBox, 1},
         3,
         2,
         6,
         kOnlyValue},
        {"hidden single in the middle right box",
         "...4.6..6.23.....4.64....126..6....2",
         "",
         HintKind::place,
         {kBox, 5},
         5,
         3,
         6,
         kOnlyPlace},
        {"row single",
         "23............1......1............1.",
         "",
         HintKind::place,
         {kRow, 1},
         6,
         1,
         1,
         kOnlyPlace},
        {"column single",
         "2.........1....1..3..........1......",
         "",
         HintKind::place,
         {kColumn, 1},
         1,
         6,
         1,
         kOnlyPlace},
        {"middle left box before top right box",
         "1234.64561232.1564564231312645645312",
         "",
         HintKind::place,
         {kBox, 2},
         2,
         3,
         3,
         kOnlyValue},
        {"column 1 before row 2",
         "2..4......12...1..3....6..3..1...3..",
         "",
         HintKind::place,
         {kColumn, 1},
         1,
         6,
         1,
         kOnlyPlace},
        {"right player's entries are no conflict",
         extrem0,
         ".3...........6......................",
         HintKind::place,
         {kBox, 2},
         3,
         3,
         4,
         kOnlyValue},
        {"duplicates in column, row and box: the column",
         "..1............2....1..2.4...4......",
         "",
         HintKind::conflict,
         {kColumn, 3}},
        {"duplicates in row and box: the row",
         "...............2.......2.4...4......",
         "",
         HintKind::conflict,
         {kRow, 5}},
        {"duplicate entry in a box only",
         "...............2....................",
         ".......................2............",
         HintKind::conflict,
         {kBox, 5}},
        {"dead cells: the box of the first in reading order",
         "......123...4..1.3..5.4..6..5.....6.",
         "",
         HintKind::conflict,
         {kBox, 4}},
        {"wrong entries that still fit: the first in reading order",
         extrem0,
         ".3........5..1......................",
         HintKind::conflict,
         {kBox, 4}},
        {"a right entry before a wrong one",
         extrem0,
         ".....4.......1......................",
         HintKind::conflict,
         {kBox, 2}},
        {"a dead cell before a wrong entry",
         extrem0,
         "..........5...........6.............",
         HintKind::conflict,
         {kBox, 6}},
        {"a wrong entry in the last cell",
         "065000400050002000000300040006000510",
         "...................................3",
         HintKind::conflict,
         {kBox, 6}},
        {"own board: entries agreeing with one of many solutions",
         "....................................", "2...................................",
         HintKind::guess},
        {"extrem puzzle after the solver's passes", "500200004000300060040001000600002004",
         "....4..........4........4...........", HintKind::guess},
        {"solved", "123456456123231564564231312645645312", "", HintKind::solved},
    };
    for (const Case& c : cases) {
        const Hint h = findHint(modelOf(c.givens, c.entries));
        EXPECT_EQ(h.kind, c.kind) << c.name;
        if (c.kind != HintKind::place && c.kind != HintKind::conflict) continue;
        EXPECT_EQ(h.unit.kind, c.unit.kind) << c.name;
        EXPECT_EQ(h.unit.index, c.unit.index) << c.name;
        EXPECT_EQ(h.column, c.column) << c.name;
        EXPECT_EQ(h.row, c.row) << c.name;
        EXPECT_EQ(h.value, c.value) << c.name;
        if (c.kind == HintKind::place) {
            EXPECT_EQ(h.reason, c.reason) << c.name;
        }
    }
}

// Hint after hint through every stored puzzle: each is the placement the solver makes first
// on that board, and the walk ends where the passes end.
TEST(Hint, AlwaysTheSolversFirstPlacement) {
    PosixFileIo io;
    for (int level = 0; level < 4; ++level) {
        BoardFiles files{std::string(ZG_SOURCE_DIR) + "/data/" + collectionFile(level)};
        for (int slot = 0; slot < kRecordCount; ++slot) {
            BoardModel m;
            ClockState clock;
            ASSERT_EQ(loadBoardSlot(files, m, clock, io, slot), LoadResult::loaded);
            const std::string where = files.boardFileName + " " + std::to_string(slot);
            for (int step = 0; step <= 36; ++step) {
                const Hint h = findHint(m);
                BoardModel solved = m;
                test::RecordingView view;
                solveCommand(solved, clock, view);
                ASSERT_FALSE(view.log.empty());
                if (h.kind != HintKind::place) {
                    EXPECT_EQ(h.kind, level == 3 ? HintKind::guess : HintKind::solved) << where;
                    EXPECT_EQ(view.log.front(), "counts") << where << " placed before guessing";
                    break;
                }
                EXPECT_EQ(view.log.front(), "cell " + std::to_string(h.column) +
                                                std::to_string(h.row) + "=" +
                                                std::to_string(h.value))
                    << where << " step " << step;
                m.board.at(h.column, h.row) = static_cast<std::uint8_t>(h.value);
            }
        }
    }
}

TEST(Hint, UnitCellsInTheSolversOrder) {
    using Cells = std::array<std::pair<int, int>, 6>;
    const std::pair<Unit, Cells> cases[] = {
        {{kBox, 2}, {{{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 3}, {3, 4}}}},
        {{kBox, 4}, {{{4, 1}, {4, 2}, {5, 1}, {5, 2}, {6, 1}, {6, 2}}}},
        {{kRow, 5}, {{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}}},
        {{kColumn, 2}, {{{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}}}},
    };
    for (const auto& [unit, cells] : cases) EXPECT_EQ(unitCells(unit), cells) << unit.index;
}

Hint placeHint(int value, HintReason reason) {
    return Hint{HintKind::place, {}, 1, 1, value, reason};
}

TEST(HintText, ReadsAsThePanelShowsIt) {
    const std::tuple<Hint, bool, std::string> cases[] = {
        {placeHint(4, kOnlyPlace), true, "Nur hier passt die 4."},
        {placeHint(2, kOnlyValue), false, "Hier passt nur die B."},
        {Hint{HintKind::conflict, {}}, true, "Hier stimmt etwas nicht."},
        {Hint{HintKind::guess, {}}, true, "Hier hilft nur Raten."},
        {Hint{HintKind::solved, {}}, true, kStatusSolved},
    };
    for (const auto& [hint, digits, text] : cases) EXPECT_EQ(hintReasonText(hint, digits), text);
}

TEST(HintText, EveryTextFitsThePanel) {
    auto shownLength = [](const std::string& s) {
        int n = 0;
        for (unsigned char ch : s) n += (ch & 0xC0) != 0x80;
        return n;
    };
    EXPECT_LE(shownLength(kHintWhere), 26);
    for (bool digits : {true, false}) {
        for (HintKind kind : {HintKind::conflict, HintKind::guess, HintKind::solved})
            EXPECT_LE(shownLength(hintReasonText(Hint{kind, {}}, digits)), 26);
        for (int v = 1; v <= 6; ++v)
            for (HintReason reason : {kOnlyValue, kOnlyPlace}) {
                const std::string text = hintReasonText(placeHint(v, reason), digits);
                EXPECT_LE(shownLength(text), 26) << text;
            }
    }
}

}  // namespace
}  // namespace zg
