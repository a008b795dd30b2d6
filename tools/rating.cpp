#include "rating.h"

#include "engine/board.h"
#include "engine/puzzle_line.h"
#include "engine/rules.h"

namespace zg::tools {

namespace {

class DrawRecorder : public NullView {
  public:
    void drawCell(int c, int r, std::uint8_t v) override { cells.push_back({c, r, v}); }
    std::vector<Placement> cells;
};

// The passes on a plain 6 x 6 array, indexed [column][row] from 1.
struct Tracer {
    std::array<std::array<int, 7>, 7> b{};
    bool consistent = true;
    PassTrace t;

    bool fitsHere(int c, int r, int v) const {
        if (!consistent || b[c][r] != 0) return false;
        for (int i = 1; i <= 6; ++i)
            if (b[c][i] == v || b[i][r] == v) return false;
        for (int x = boxLeft(c); x < boxLeft(c) + 3; ++x)
            for (int y = boxTop(r); y < boxTop(r) + 2; ++y)
                if (b[x][y] == v) return false;
        return true;
    }

    void place(int c, int r, int v, int& counter) {
        b[c][r] = v;
        t.placements.push_back({c, r, v});
        ++counter;
    }

    // Adds every cell in the order given to a counter; places when exactly one fits.
    template <typename Cells6>
    void hiddenSingle(int v, const Cells6& cells, int& counter) {
        int count = 0, lastX = 0, lastY = 0;
        for (auto [x, y] : cells)
            if (fitsHere(x, y, v)) ++count, lastX = x, lastY = y;
        if (count == 1) place(lastX, lastY, v, counter);
    }

    void boxStep(int x0, int y0) {
        std::array<std::array<int, 2>, 6> cells{};
        int i = 0;
        for (int x = x0; x < x0 + 3; ++x)
            for (int y = y0; y < y0 + 2; ++y) cells[i++] = {x, y};
        for (auto [x, y] : cells) {
            int count = 0, lastV = 0;
            for (int v = 1; v <= 6; ++v)
                if (fitsHere(x, y, v)) ++count, lastV = v;
            if (count == 1) place(x, y, lastV, t.byCell);
        }
        for (int v = 1; v <= 6; ++v) hiddenSingle(v, cells, t.byBox);
    }

    void lineStep(int k, bool isRow) {
        std::array<std::array<int, 2>, 6> cells{};
        for (int i = 1; i <= 6; ++i) cells[i - 1] = isRow ? std::array{i, k} : std::array{k, i};
        for (int v = 1; v <= 6; ++v) hiddenSingle(v, cells, t.byLine);
    }

    bool full() const {
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                if (b[c][r] == 0) return false;
        return true;
    }
};

Outcome outcomeOf(const std::string& status) {
    if (status == kStatusSolved) return Outcome::solved;
    if (status == kStatusWrong) return Outcome::conflict;
    return Outcome::open;
}

}  // namespace

GameSolve runGameSolver(const Cells& puzzle) {
    BoardModel m;
    putCells(m.board, puzzle);
    m.givens = m.board;
    ClockState clock;
    DrawRecorder view;
    solveCommand(m, clock, view);

    GameSolve g;
    g.board = cellsOf(m.board);
    g.outcome = outcomeOf(m.statusText);
    g.raisedLevel = m.level != 0;
    g.drawnCells = std::move(view.cells);
    return g;
}

PassTrace tracePasses(const Cells& puzzle) {
    Tracer tr;
    BoardModel m;
    putCells(m.board, puzzle);
    tr.consistent = isConsistent(m);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) tr.b[c][r] = m.board.at(c, r);

    for (int pass = 1; pass <= 10; ++pass) {
        for (const auto& box : kBoxOrder) tr.boxStep(box[0], box[1]);
        for (int k = 1; k <= 6; ++k) {
            tr.lineStep(k, true);
            tr.lineStep(k, false);
        }
        if (tr.t.passesNeeded == 0 && tr.full()) tr.t.passesNeeded = pass;
    }
    return tr.t;
}

Assessment assess(const Cells& puzzle) {
    Assessment a;
    a.game = runGameSolver(puzzle);
    a.trace = tracePasses(puzzle);
    const auto& drawn = a.game.drawnCells;
    const auto& traced = a.trace.placements;
    // The solve command draws the passes' placements first; guessing and a restart come after.
    a.traceAgrees = drawn.size() >= traced.size() &&
                    std::equal(traced.begin(), traced.end(), drawn.begin()) &&
                    (a.trace.passesNeeded == 0 || drawn.size() == traced.size());
    a.rating = Rating{a.trace.passesNeeded, a.trace.byLine};
    return a;
}

}  // namespace zg::tools
