// Puzzle lines as authors write them: 36 characters row by row from the top left,
// '1'..'6' a given, '0' or '.' an empty cell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace zg {

// Cells row by row from the top left (index 6 * row + column, both from 0); 0 = empty, 1..6.
using Cells = std::array<std::uint8_t, 36>;

struct PuzzleLine {
    bool blank = false;  // empty or only blanks and tabs: not a puzzle, skipped by the tools
    bool ok = false;
    Cells cells{};
    std::string error;  // why the line is not a puzzle, when neither blank nor ok
};

// A trailing CR (a file written on Windows) is ignored.
PuzzleLine parsePuzzleLine(std::string_view line);

// 36 characters '0'..'6'.
std::string cellsText(const Cells& cells);

Cells cellsOf(const Grid& grid);
void putCells(Grid& grid, const Cells& cells);

// (x, y) is filled exactly when (7 - x, 7 - y) is.
bool halfTurnSymmetric(const Cells& cells);
int filledCount(const Cells& cells);

// The first unit (rows, then columns, then boxes) holding a value twice, as in
// "4 twice in row 1"; empty when the values do not clash.
std::string describeClash(const Cells& cells);

}  // namespace zg
