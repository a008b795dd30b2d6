#include "solution_counter.h"

#include <bit>

namespace zg::tools {

namespace {

constexpr int boxOf(int i) {
    return (i / 6) / 2 * 2 + (i % 6) / 3;
}

// Bit v - 1 set in a unit mask means value v is taken in that unit.
struct Search {
    Cells cells;
    std::array<unsigned, 6> rows{}, cols{}, boxes{};
    int limit;
    int found = 0;
    Cells* solution;

    unsigned taken(int i) const { return rows[i / 6] | cols[i % 6] | boxes[boxOf(i)]; }

    void set(int i, int v) {
        unsigned bit = 1u << (v - 1);
        cells[i] = static_cast<std::uint8_t>(v);
        rows[i / 6] |= bit;
        cols[i % 6] |= bit;
        boxes[boxOf(i)] |= bit;
    }
    void unset(int i, int v) {
        unsigned bit = ~(1u << (v - 1));
        cells[i] = 0;
        rows[i / 6] &= bit;
        cols[i % 6] &= bit;
        boxes[boxOf(i)] &= bit;
    }

    void run() {
        // Branch on the empty cell with the fewest free values.
        int best = -1, bestFree = 7;
        for (int i = 0; i < 36; ++i) {
            if (cells[i] != 0) continue;
            int free = 6 - std::popcount(taken(i));
            if (free < bestFree) best = i, bestFree = free;
            if (free == 0) return;
        }
        if (best < 0) {
            if (found++ == 0 && solution) *solution = cells;
            return;
        }
        unsigned open = ~taken(best) & 0x3Fu;
        for (int v = 1; v <= 6 && found < limit; ++v) {
            if (!(open & (1u << (v - 1)))) continue;
            set(best, v);
            run();
            unset(best, v);
        }
    }
};

}  // namespace

int countSolutions(const Cells& puzzle, int limit, Cells* solution) {
    Search s{Cells{}, {}, {}, {}, limit, 0, solution};
    for (int i = 0; i < 36; ++i) {
        int v = puzzle[i];
        if (v == 0) continue;
        if (v > 6 || (s.taken(i) & (1u << (v - 1)))) return 0;
        s.set(i, v);
    }
    if (limit > 0) s.run();
    return s.found;
}

}  // namespace zg::tools
