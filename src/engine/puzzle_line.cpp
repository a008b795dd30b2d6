#include "engine/puzzle_line.h"

#include <cstdio>

namespace zg {

namespace {

std::string describe(char ch) {
    auto u = static_cast<unsigned char>(ch);
    if (u >= 0x20 && u < 0x7F) return std::string("'") + ch + "'";
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", u);
    return buf;
}

}  // namespace

PuzzleLine parsePuzzleLine(std::string_view line) {
    PuzzleLine p;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) {
        p.blank = true;
        return p;
    }
    if (line.size() != 36) {
        p.error = "expected 36 characters, got " + std::to_string(line.size());
        return p;
    }
    for (int i = 0; i < 36; ++i) {
        char ch = line[i];
        if (ch >= '1' && ch <= '6')
            p.cells[i] = static_cast<std::uint8_t>(ch - '0');
        else if (ch == '0' || ch == '.')
            p.cells[i] = 0;
        else {
            p.error = "invalid character " + describe(ch) + " at position " +
                      std::to_string(i + 1) + " (row " + std::to_string(i / 6 + 1) + ", column " +
                      std::to_string(i % 6 + 1) + "); use 1-6, 0 or .";
            return p;
        }
    }
    p.ok = true;
    return p;
}

std::string cellsText(const Cells& cells) {
    std::string s(36, '0');
    for (int i = 0; i < 36; ++i) s[i] = static_cast<char>('0' + cells[i]);
    return s;
}

Cells cellsOf(const Grid& grid) {
    Cells cells{};
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) cells[6 * (r - 1) + (c - 1)] = grid.at(c, r);
    return cells;
}

void putCells(Grid& grid, const Cells& cells) {
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) grid.at(c, r) = cells[6 * (r - 1) + (c - 1)];
}

bool halfTurnSymmetric(const Cells& cells) {
    // Cell (x, y) sits at 6 (y - 1) + (x - 1); its partner (7 - x, 7 - y) at 35 minus that.
    for (int i = 0; i < 18; ++i)
        if ((cells[i] != 0) != (cells[35 - i] != 0)) return false;
    return true;
}

int filledCount(const Cells& cells) {
    int n = 0;
    for (auto v : cells)
        if (v != 0) ++n;
    return n;
}

std::string describeClash(const Cells& cells) {
    // Cell i of unit u of each kind; boxes are numbered in reading order.
    auto cellOf = [](int kind, int u, int i) {
        if (kind == 0) return 6 * u + i;
        if (kind == 1) return 6 * i + u;
        return 6 * (u / 2 * 2 + i / 3) + (u % 2) * 3 + i % 3;
    };
    static const char* kinds[] = {"row", "column", "box"};
    for (int kind = 0; kind < 3; ++kind)
        for (int u = 0; u < 6; ++u) {
            bool seen[7] = {};
            for (int i = 0; i < 6; ++i) {
                int v = cells[cellOf(kind, u, i)];
                if (v == 0 || v > 6) continue;
                if (seen[v])
                    return std::to_string(v) + " twice in " + kinds[kind] + " " +
                           std::to_string(u + 1);
                seen[v] = true;
            }
        }
    return {};
}

}  // namespace zg
