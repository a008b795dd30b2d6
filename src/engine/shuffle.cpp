#include "engine/shuffle.h"

#include <array>
#include <cstdint>
#include <utility>

namespace zg {

namespace {

// Every exchange moves board and givens alike so that the givens' invariant holds.
void swapCells(BoardModel& m, int x1, int y1, int x2, int y2) {
    std::swap(m.board.at(x1, y1), m.board.at(x2, y2));
    std::swap(m.givens.at(x1, y1), m.givens.at(x2, y2));
}

}  // namespace

void exchangeRows(BoardModel& m, int p, int q) {
    for (int x = 1; x <= 6; ++x) swapCells(m, x, p, x, q);
}

void exchangeColumns(BoardModel& m, int p, int q) {
    for (int y = 1; y <= 6; ++y) swapCells(m, p, y, q, y);
}

void exchangeStacks(BoardModel& m, int a, int b) {
    if (a == b) return;
    for (int y = 1; y <= 6; ++y)
        for (int i = 1; i <= 3; ++i) swapCells(m, 3 * (a - 1) + i, y, 3 * (b - 1) + i, y);
}

void exchangeBands(BoardModel& m, int a, int b) {
    if (a == b) return;
    for (int x = 1; x <= 6; ++x)
        for (int i = 1; i <= 2; ++i) swapCells(m, x, 2 * (a - 1) + i, x, 2 * (b - 1) + i);
}

void mirrorRows(BoardModel& m) {
    exchangeRows(m, 1, 6);
    exchangeRows(m, 2, 5);
    exchangeRows(m, 3, 4);
}

void mirrorColumns(BoardModel& m) {
    exchangeColumns(m, 1, 6);
    exchangeColumns(m, 2, 5);
    exchangeColumns(m, 3, 4);
}

void relabel(BoardModel& m, Random& random) {
    std::array<bool, 7> symbolFree;
    symbolFree.fill(true);
    std::array<std::uint8_t, 7> symbolMap{};
    for (int v = 1; v <= 6; ++v) {
        int d = 0;
        do d = random(6) + 1;
        while (!symbolFree[d]);
        symbolMap[v] = static_cast<std::uint8_t>(d);
        symbolFree[d] = false;
    }
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            m.board.at(c, r) = symbolMap[m.board.at(c, r)];
            m.givens.at(c, r) = symbolMap[m.givens.at(c, r)];
        }
}

void shuffleBoard(BoardModel& m, Random& random) {
    int n = random(50) + 100;
    for (int i = 0; i < n; ++i) {
        if (m.symmetricShuffle) {
            int k = random(1) + 1;
            exchangeRows(m, k, k + 1);
            exchangeRows(m, 7 - k, 6 - k);
            k = random(2) + 1;
            exchangeColumns(m, k, k + 1);
            exchangeColumns(m, 7 - k, 6 - k);
            if (random(2) == 0) exchangeStacks(m, 1, 2);
            if (random(2) == 0) exchangeBands(m, 1, 3);
            if (random(2) == 0) mirrorRows(m);
            if (random(2) == 0) mirrorColumns(m);
        } else {
            int k = 2 * random(3) + 1;
            exchangeRows(m, k, k + 1);
            int s = random(2) + 1;
            int t = random(2);
            k = s + 3 * t;
            exchangeColumns(m, k, k + 1);
            int a = random(2) + 1;
            int b = random(2) + 1;
            exchangeStacks(m, a, b);
            a = random(3) + 1;
            b = random(3) + 1;
            exchangeBands(m, a, b);
        }
        relabel(m, random);
    }
}

}  // namespace zg
