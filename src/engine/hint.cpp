#include "engine/hint.h"

#include <bit>
#include <optional>

#include "engine/rules.h"

namespace zg {

namespace {

int boxIndexOf(int column, int row) {
    for (int i = 0; i < 6; ++i)
        if (kBoxOrder[i][0] == boxLeft(column) && kBoxOrder[i][1] == boxTop(row)) return i + 1;
    return 0;
}

Hint conflictIn(Unit u) {
    return Hint{HintKind::conflict, u};
}

bool hasDuplicate(const Grid& g, Unit u) {
    std::array<int, 7> seen{};
    for (auto [c, r] : unitCells(u)) {
        std::uint8_t v = g.at(c, r);
        if (v != 0 && v <= 6 && ++seen[v] > 1) return true;
    }
    return false;
}

std::optional<Unit> firstDuplicate(const Grid& g) {
    for (UnitKind kind : {UnitKind::column, UnitKind::row, UnitKind::box})
        for (int i = 1; i <= 6; ++i)
            if (hasDuplicate(g, {kind, i})) return Unit{kind, i};
    return std::nullopt;
}

// Values 1..6 that no peer of (c, r) holds, as bits 1..6.
unsigned freeValues(const Grid& g, int c, int r) {
    unsigned used = 0;
    for (int i = 1; i <= 6; ++i) used |= 1u << g.at(c, i) | 1u << g.at(i, r);
    for (int x = boxLeft(c); x < boxLeft(c) + 3; ++x)
        for (int y = boxTop(r); y < boxTop(r) + 2; ++y) used |= 1u << g.at(x, y);
    return ~used & 0x7Eu;
}

// Fills every empty cell of a consistent grid; false when it cannot be done. The cell with
// the fewest choices goes first, so even an unsolvable grid fails fast.
bool complete(Grid& g) {
    int bestC = 0, bestR = 0, bestCount = 7;
    unsigned bestFree = 0;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            if (g.at(c, r) != 0) continue;
            unsigned f = freeValues(g, c, r);
            int n = std::popcount(f);
            if (n < bestCount) bestC = c, bestR = r, bestCount = n, bestFree = f;
        }
    if (bestCount == 7) return true;
    for (int v = 1; v <= 6; ++v) {
        if (!(bestFree & 1u << v)) continue;
        g.at(bestC, bestR) = static_cast<std::uint8_t>(v);
        if (complete(g)) return true;
    }
    g.at(bestC, bestR) = 0;
    return false;
}

// The box of the first player's entry that no solution of the givens shares. When the givens
// allow several solutions, entries that agree with any one of them are all right.
std::optional<Unit> wrongEntry(const BoardModel& m) {
    Grid withEntries = m.board;
    if (complete(withEntries)) return std::nullopt;
    Grid solution = m.givens;
    if (!complete(solution)) return std::nullopt;
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c)
            if (m.givens.at(c, r) == 0 && m.board.at(c, r) != 0 &&
                m.board.at(c, r) != solution.at(c, r))
                return Unit{UnitKind::box, boxIndexOf(c, r)};
    return std::nullopt;
}

struct Finder {
    const BoardModel& m;

    bool open(int c, int r, int v) { return m.board.at(c, r) == 0 && fits(m, c, r, v); }

    std::optional<Hint> deadCell() {
        for (int r = 1; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c) {
                if (m.board.at(c, r) != 0) continue;
                bool any = false;
                for (int v = 1; v <= 6; ++v) any = any || fits(m, c, r, v);
                if (!any) return conflictIn({UnitKind::box, boxIndexOf(c, r)});
            }
        return std::nullopt;
    }

    std::optional<Hint> onlyValue(Unit box) {
        for (auto [c, r] : unitCells(box)) {
            int count = 0, last = 0;
            for (int v = 1; v <= 6; ++v)
                if (open(c, r, v)) ++count, last = v;
            if (count == 1)
                return Hint{HintKind::place, box, c, r, last, HintReason::onlyValueInCell};
        }
        return std::nullopt;
    }

    std::optional<Hint> onlyPlace(Unit u) {
        for (int v = 1; v <= 6; ++v) {
            int count = 0, lastC = 0, lastR = 0;
            for (auto [c, r] : unitCells(u))
                if (open(c, r, v)) ++count, lastC = c, lastR = r;
            if (count == 1)
                return Hint{HintKind::place, u, lastC, lastR, v, HintReason::onlyPlaceInUnit};
        }
        return std::nullopt;
    }

    // The solver's first pass up to its first placement.
    std::optional<Hint> firstPlacement() {
        for (int b = 1; b <= 6; ++b) {
            if (auto h = onlyValue({UnitKind::box, b})) return h;
            if (auto h = onlyPlace({UnitKind::box, b})) return h;
        }
        for (int k = 1; k <= 6; ++k) {
            if (auto h = onlyPlace({UnitKind::row, k})) return h;
            if (auto h = onlyPlace({UnitKind::column, k})) return h;
        }
        return std::nullopt;
    }

    bool full() const {
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                if (m.board.at(c, r) == 0) return false;
        return true;
    }
};

}  // namespace

std::array<std::pair<int, int>, 6> unitCells(Unit u) {
    std::array<std::pair<int, int>, 6> cells{};
    for (int i = 0; i < 6; ++i) {
        switch (u.kind) {
            case UnitKind::box: {
                // Column by column, as the solver visits a box.
                const auto& b = kBoxOrder[u.index - 1];
                cells[i] = {b[0] + i / 2, b[1] + i % 2};
                break;
            }
            case UnitKind::row:
                cells[i] = {i + 1, u.index};
                break;
            case UnitKind::column:
                cells[i] = {u.index, i + 1};
                break;
        }
    }
    return cells;
}

Hint findHint(const BoardModel& m) {
    if (auto u = firstDuplicate(m.board)) return conflictIn(*u);
    Finder f{m};
    if (auto h = f.deadCell()) return *h;
    if (auto u = wrongEntry(m)) return conflictIn(*u);
    if (auto h = f.firstPlacement()) return *h;
    return Hint{f.full() ? HintKind::solved : HintKind::guess, {}};
}

std::string hintReasonText(const Hint& h, bool showDigits) {
    switch (h.kind) {
        case HintKind::place: {
            std::string v = symbolText(static_cast<std::uint8_t>(h.value), showDigits);
            if (h.reason == HintReason::onlyPlaceInUnit) return "Nur hier passt die " + v + ".";
            return "Hier passt nur die " + v + ".";
        }
        case HintKind::conflict:
            return "Hier stimmt etwas nicht.";
        case HintKind::guess:
            return "Hier hilft nur Raten.";
        case HintKind::solved:
            break;
    }
    return kStatusSolved;
}

}  // namespace zg
