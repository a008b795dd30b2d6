#include "engine/puzzle_line.h"

#include <gtest/gtest.h>

namespace zg::tools {
namespace {

TEST(PuzzleLine, ReadsDigitsDotsAndZeros) {
    PuzzleLine p = parsePuzzleLine("1.30..000000000000000000000000000006\r");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.cells[0], 1);
    EXPECT_EQ(p.cells[1], 0);
    EXPECT_EQ(p.cells[2], 3);
    EXPECT_EQ(p.cells[35], 6);
    EXPECT_EQ(cellsText(p.cells), "103000000000000000000000000000000006");

    EXPECT_TRUE(parsePuzzleLine("").blank);
    EXPECT_TRUE(parsePuzzleLine(" \t\r").blank);
}

TEST(PuzzleLine, RejectsWithAReason) {
    PuzzleLine shortLine = parsePuzzleLine("12345");
    EXPECT_FALSE(shortLine.ok);
    EXPECT_FALSE(shortLine.blank);
    EXPECT_EQ(shortLine.error, "expected 36 characters, got 5");

    EXPECT_FALSE(parsePuzzleLine(std::string(37, '0')).ok);

    std::string seven(36, '0');
    seven[8] = '7';
    EXPECT_EQ(parsePuzzleLine(seven).error,
              "invalid character '7' at position 9 (row 2, column 3); use 1-6, 0 or .");
    std::string tab(36, '.');
    tab[0] = '\t';
    EXPECT_NE(parsePuzzleLine(tab).error.find("0x09 at position 1"), std::string::npos);
}

TEST(PuzzleLine, CellOrderMatchesTheBoardGrid) {
    Cells cells{};
    cells[1] = 2;   // row 1, column 2
    cells[6] = 3;   // row 2, column 1
    cells[35] = 6;  // row 6, column 6
    Grid g;
    putCells(g, cells);
    EXPECT_EQ(g.at(2, 1), 2);
    EXPECT_EQ(g.at(1, 2), 3);
    EXPECT_EQ(g.at(6, 6), 6);
    EXPECT_EQ(g.bytes[9], 2);  // the file image: column + 7 * row
    EXPECT_EQ(cellsOf(g), cells);
}

TEST(PuzzleLine, HalfTurnSymmetry) {
    Cells cells{};
    EXPECT_TRUE(halfTurnSymmetric(cells));
    cells[0] = 1;  // (1,1) pairs with (6,6)
    EXPECT_FALSE(halfTurnSymmetric(cells));
    cells[35] = 4;  // values may differ, only being filled counts
    EXPECT_TRUE(halfTurnSymmetric(cells));
    cells[8] = 2;   // (3,2) pairs with (4,5)
    cells[26] = 5;  // (3,5) is not its partner
    EXPECT_FALSE(halfTurnSymmetric(cells));
    cells[27] = 5;  // (4,5)
    cells[9] = 1;   // (4,2) pairs with (3,5)
    EXPECT_TRUE(halfTurnSymmetric(cells));
    EXPECT_EQ(filledCount(cells), 6);
}

TEST(PuzzleLine, DescribesTheFirstClash) {
    // Two cells (index 6 * row + column, from 0) holding the same value.
    auto clash = [](int a, int b, std::uint8_t v) {
        Cells cells{};
        cells[a] = cells[b] = v;
        return describeClash(cells);
    };
    EXPECT_EQ(describeClash(parsePuzzleLine("123456456123231564564231312645645312").cells), "");
    EXPECT_EQ(clash(30, 34, 4), "4 twice in row 6");
    EXPECT_EQ(clash(5, 23, 3), "3 twice in column 6");
    EXPECT_EQ(clash(25, 32, 2), "2 twice in box 5");
    EXPECT_EQ(clash(3, 10, 1), "1 twice in box 2");
}

}  // namespace
}  // namespace zg::tools
