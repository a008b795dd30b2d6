#include "engine/hint.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/rules.h"
#include "support/fixtures.h"
#include "support/recording_view.h"

namespace zg {
namespace {

constexpr HintReason kOnlyValue = HintReason::onlyValueInCell,
                     kOnlyPlace = HintReason::onlyPlaceInUnit;

// "box 1: 32=6 value" (a placement: unit, cell, value, reason), "conflict row 5", "guess".
std::string describe(const Hint& h) {
    const char* units[] = {"box", "row", "column"};
    std::string unit = units[static_cast<int>(h.unit.kind)] + (" " + std::to_string(h.unit.index));
    switch (h.kind) {
        case HintKind::place:
            return unit + ": " + std::to_string(h.column) + std::to_string(h.row) + "=" +
                   std::to_string(h.value) + (h.reason == kOnlyValue ? " value" : " place");
        case HintKind::conflict:
            return "conflict " + unit;
        case HintKind::guess:
            return "guess";
        case HintKind::solved:
            return "solved";
    }
    return "?";
}

TEST(Hint, DecisionsOnTypicalBoards) {
    const char* extrem0 = "201000040000300020050003000030000401";
    const char* cases[][4] = {
        {"naked single; an earlier cell of the box is a hidden single",
         ".23.5....1.3........423..12.456.5..2", "", "box 1: 32=6 value"},
        {"hidden single", "...4.6..6.23.....4.64....126..6....2", "", "box 5: 53=6 place"},
        {"row single", "23............1......1............1.", "", "row 1: 61=1 place"},
        {"column single", "2.........1....1..3..........1......", "", "column 1: 16=1 place"},
        {"middle left box before top right box", "1234.64561232.1564564231312645645312", "",
         "box 2: 23=3 value"},
        {"column 1 before row 2", "2..4......12...1..3....6..3..1...3..", "",
         "column 1: 16=1 place"},
        {"right player's entries are no conflict", extrem0, ".3...........6......................",
         "box 2: 33=4 value"},
        {"duplicates in column, row and box", "..1............2....1..2.4...4......", "",
         "conflict column 3"},
        {"duplicates in row and box", "...............2.......2.4...4......", "", "conflict row 5"},
        {"duplicate entry in a box only", "...............2....................",
         ".......................2............", "conflict box 5"},
        {"dead cells: the first in reading order", "......123...4..1.3..5.4..6..5.....6.", "",
         "conflict box 4"},
        {"wrong entries that fit: the first in reading order", extrem0,
         ".3........5..1......................", "conflict box 4"},
        {"a right entry before a wrong one", extrem0, ".....4.......1......................",
         "conflict box 2"},
        {"a dead cell before a wrong entry", extrem0, "..........5...........6.............",
         "conflict box 6"},
        {"a wrong entry in the last cell", "065000400050002000000300040006000510",
         "...................................3", "conflict box 6"},
        {"own board: entries agreeing with one of many solutions",
         "....................................", "2...................................", "guess"},
        {"extrem puzzle after the solver's passes", "500200004000300060040001000600002004",
         "....4..........4........4...........", "guess"},
        {"solved", test::kSolvedLine, "", "solved"},
    };
    for (const auto& [name, givens, entries, expected] : cases)
        EXPECT_EQ(describe(findHint(test::boardFromLine(givens, entries))), expected) << name;
    // Bytes outside the 6 x 6 cells (a board file may hold them) are no entries.
    BoardModel m = test::boardFromLine(extrem0, ".3........5..1......................");
    m.board.at(0, 2) = 5;
    EXPECT_EQ(describe(findHint(m)), "conflict box 4");
}

// Hint after hint through every stored puzzle: each is the placement the solver makes first
// on that board, and the walk ends where the passes end.
TEST(Hint, AlwaysTheSolversFirstPlacement) {
    for (int level = 0; level < 4; ++level)
        for (int slot = 0; slot < kRecordCount; ++slot) {
            BoardModel m = test::collectionBoard(level, slot);
            const std::string where = std::to_string(level) + "/" + std::to_string(slot);
            for (int step = 0; step <= 36; ++step) {
                const Hint h = findHint(m);
                BoardModel solved = m;
                ClockState clock;
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

Hint placeHint(int value, HintReason reason) {
    return Hint{HintKind::place, {}, 1, 1, value, reason};
}

TEST(HintText, ReadsAsThePanelShowsIt) {
    const std::tuple<Hint, bool, std::string> cases[] = {
        {placeHint(4, kOnlyPlace), true, "Nur hier passt die 4."},
        {placeHint(2, kOnlyValue), false, "Hier passt nur die B."},
        {placeHint(6, kOnlyValue), false, "Hier passt nur die F."},
        {Hint{HintKind::conflict, {}}, true, "Hier stimmt etwas nicht."},
        {Hint{HintKind::guess, {}}, true, "Hier hilft nur Raten."},
        {Hint{HintKind::solved, {}}, true, kStatusSolved},
    };
    for (const auto& [hint, digits, text] : cases) EXPECT_EQ(hintReasonText(hint, digits), text);
    EXPECT_EQ(symbolText(0, true), "");
}

}  // namespace
}  // namespace zg
