// Shared fixtures: boards written as 36-character puzzle lines (row by row from the top left,
// '1'..'6' a value, '0' or '.' empty), the game's data files, and lines split at CR LF.
#pragma once

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/puzzle_line.h"

namespace zg::test {

// A solved board: every value once in each column, row and 3 x 2 box.
inline constexpr std::string_view kSolvedLine = "123456456123231564564231312645645312";

inline Cells cellsFrom(std::string_view line) {
    const PuzzleLine parsed = parsePuzzleLine(line);
    if (!parsed.ok) throw std::invalid_argument("bad puzzle line: " + parsed.error);
    return parsed.cells;
}

// The value of (c, r), both from 1, in a puzzle line.
inline int valueAt(std::string_view line, int c, int r) {
    return cellsFrom(line)[static_cast<std::size_t>(6 * (r - 1) + c - 1)];
}

// line with the listed cells (c, r) emptied.
inline std::string withOpen(std::string_view line, const std::vector<std::pair<int, int>>& open) {
    std::string s(line);
    for (auto [c, r] : open) s[static_cast<std::size_t>(6 * (r - 1) + c - 1)] = '0';
    return s;
}

// A model with givens from the first line and the player's entries from the second (its
// values over the givens' empty cells); no marks.
inline BoardModel boardFromLine(std::string_view givens, std::string_view entries = {}) {
    BoardModel m;
    putCells(m.givens, cellsFrom(givens));
    putCells(m.board, cellsFrom(givens));
    if (!entries.empty()) {
        const Cells e = cellsFrom(entries);
        for (int r = 1; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c)
                if (const auto v = e[static_cast<std::size_t>(6 * (r - 1) + c - 1)];
                    v != 0 && m.givens.at(c, r) == 0)
                    m.board.at(c, r) = v;
    }
    return m;
}

// Puts givens (and entries) on m's board, keeping the rest of m.
inline void setBoard(BoardModel& m, std::string_view givens, std::string_view entries = {}) {
    const BoardModel b = boardFromLine(givens, entries);
    m.board = b.board;
    m.givens = b.givens;
    m.candidateMarks.clear();
}

// A file of the source tree's data/ folder.
inline std::vector<unsigned char> readDataFile(const std::string& name) {
    std::ifstream in(std::string(ZG_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of bytes ended by CR LF (a last line without it included).
inline std::vector<std::string> splitCrLf(const std::vector<unsigned char>& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else {
            line += static_cast<char>(bytes[i]);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace zg::test
