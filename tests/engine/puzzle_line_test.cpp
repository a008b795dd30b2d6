#include "engine/puzzle_line.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"

namespace zg {
namespace {

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
        {"\t...................................",
         "invalid character 0x09 at position 1 (row 1, column 1); use 1-6, 0 or ."},
    };
    for (const auto& c : cases) {
        const PuzzleLine p = parsePuzzleLine(c.line);
        EXPECT_EQ(p.blank, c.blank) << c.line;
        EXPECT_EQ(p.ok ? cellsText(p.cells) : p.error, c.cells) << c.line;
        EXPECT_EQ(p.ok, !c.blank && p.error.empty()) << c.line;
    }
}

TEST(PuzzleLine, CellOrderMatchesTheBoardGrid) {
    const Cells cells = parsePuzzleLine(".2....3............................6").cells;
    Grid g;
    putCells(g, cells);
    EXPECT_EQ(g.at(2, 1), 2);
    EXPECT_EQ(g.at(1, 2), 3);
    EXPECT_EQ(g.at(6, 6), 6);
    EXPECT_EQ(g.bytes[9], 2);  // the file image: column + 7 * row
    EXPECT_EQ(cellsOf(g), cells);
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
