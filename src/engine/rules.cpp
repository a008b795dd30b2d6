#include "engine/rules.h"

namespace zg {

namespace {

// Counts the values of the six cells; false when one shows twice.
template <typename CellAt>
bool unitClean(CellAt cellAt) {
    std::array<std::uint8_t, 7> checkCount{};
    for (int i = 0; i < 6; ++i) ++checkCount[cellAt(i)];
    for (int v = 1; v <= 6; ++v)
        if (checkCount[v] > 1) return false;
    return true;
}

// v does not stand in the column, row or box of (c, r). The cell itself is empty.
bool peersFree(const BoardModel& m, int c, int r, int v) {
    for (int i = 1; i <= 6; ++i)
        if (m.board.at(c, i) == v || m.board.at(i, r) == v) return false;
    int x0 = boxLeft(c), y0 = boxTop(r);
    for (int x = x0; x < x0 + 3; ++x)
        for (int y = y0; y < y0 + 2; ++y)
            if (m.board.at(x, y) == v) return false;
    return true;
}

// The solver's view of fits: while a pass runs the board only ever receives values that
// fit, so whether the rest of the board is consistent is known and need not be rescanned.
struct Solver {
    BoardModel& m;
    ClockState& clock;
    BoardView& view;
    const Grid* backup = nullptr;  // the board as the trial search found it
    bool consistent = false;

    void recheck() { consistent = isConsistent(m); }
    bool fitsHere(int c, int r, int v) const { return consistent && peersFree(m, c, r, v); }

    void place(int c, int r, int v) {
        m.board.at(c, r) = static_cast<std::uint8_t>(v);
        view.drawCell(c, r, static_cast<std::uint8_t>(v));
    }

    void boxStep(int x0, int y0) {
        for (int x = x0; x < x0 + 3; ++x) {
            for (int y = y0; y < y0 + 2; ++y) {
                int count = 0, lastV = 0;
                for (int v = 1; v <= 6; ++v)
                    if (m.board.at(x, y) == 0 && fitsHere(x, y, v)) ++count, lastV = v;
                if (count == 1) place(x, y, lastV);
            }
        }
        for (int v = 1; v <= 6; ++v) {
            int count = 0, lastX = 0, lastY = 0;
            for (int x = x0; x < x0 + 3; ++x)
                for (int y = y0; y < y0 + 2; ++y)
                    if (m.board.at(x, y) == 0 && fitsHere(x, y, v)) ++count, lastX = x, lastY = y;
            if (count == 1) place(lastX, lastY, v);
        }
    }

    void lineStep(int k, bool isRow) {
        for (int v = 1; v <= 6; ++v) {
            int count = 0, lastX = 0, lastY = 0;
            for (int i = 1; i <= 6; ++i) {
                int x = isRow ? i : k, y = isRow ? k : i;
                if (m.board.at(x, y) == 0 && fitsHere(x, y, v)) ++count, lastX = x, lastY = y;
            }
            if (count == 1) place(lastX, lastY, v);
        }
    }

    void passes() {
        recheck();
        for (int pass = 0; pass < 10; ++pass) {
            for (const auto& box : kBoxOrder) boxStep(box[0], box[1]);
            for (int k = 1; k <= 6; ++k) {
                lineStep(k, true);
                lineStep(k, false);
            }
        }
    }

    void restoreBackup() {
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r) m.board.at(c, r) = backup->at(c, r);
        recheck();
    }

    void rowTrial(int k) {
        for (int x = 1; x <= 6; ++x) {
            if (m.board.at(x, k) != 0) continue;
            int first = 0, second = 0, count = 0;
            for (int v = 1; v <= 6; ++v) {
                if (!fitsHere(x, k, v)) continue;
                ++count;
                if (count == 1) first = v;
                if (count == 2) second = v;
                if (count >= 3) first = second = 0;
            }
            if (second == 0) continue;
            place(x, k, first);
            solveBoard(m, clock, view);
            if (isSolved(m)) return;
            restoreBackup();
            place(x, k, second);
            solveBoard(m, clock, view);
            if (isSolved(m)) return;
            restoreBackup();
            view.drawCell(x, k, 0);
        }
        drawBoard(m, clock, view);
        recheck();
    }
};

}  // namespace

bool isConsistent(const BoardModel& m) {
    for (int c = 1; c <= 6; ++c)
        if (!unitClean([&](int i) { return m.board.at(c, i + 1); })) return false;
    for (int r = 1; r <= 6; ++r)
        if (!unitClean([&](int i) { return m.board.at(i + 1, r); })) return false;
    for (const auto& box : kBoxOrder) {
        int x0 = box[0], y0 = box[1];
        // Column by column, within a column row by row.
        if (!unitClean([&](int i) { return m.board.at(x0 + i / 2, y0 + i % 2); })) return false;
    }
    return true;
}

bool fits(const BoardModel& m, int column, int row, int value) {
    return peersFree(m, column, row, value) && isConsistent(m);
}

bool allCellsOpen(const BoardModel& m) {
    bool consistent = isConsistent(m);
    for (int c = 1; c <= 6; ++c) {
        for (int r = 1; r <= 6; ++r) {
            if (m.board.at(c, r) != 0) continue;
            bool any = false;
            for (int v = 1; v <= 6 && !any; ++v) any = consistent && peersFree(m, c, r, v);
            if (!any) return false;
        }
    }
    return true;
}

bool isSolved(const BoardModel& m) {
    return m.boardSolved && isConsistent(m);
}

StatusCheck decideStatus(const BoardModel& m) {
    StatusCheck s{kStatusWrong, true, false};
    bool consistent = isConsistent(m);
    if (consistent)
        s.text = kStatusNoErrors;
    else
        s.beep = true;
    for (int v = 1; v <= 6; ++v)
        if (m.valueCount[v] != 6) s.boardSolved = false;
    if (s.boardSolved && consistent) s.text = kStatusSolved;
    return s;
}

void checkBoard(BoardModel& m, BoardView& view) {
    StatusCheck s = decideStatus(m);
    m.statusText = s.text;
    m.boardSolved = s.boardSolved;
    view.drawStatus(s.beep);
}

void updateStatistics(BoardModel& m, BoardView& view) {
    m.valueCount.fill(0);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            std::uint8_t v = m.board.at(c, r);
            if (v <= 6) ++m.valueCount[v];
        }
    view.drawCounts();
    checkBoard(m, view);
}

void computeCandidates(BoardModel& m, ClockState& clock, BoardView& view) {
    if (m.showCandidates) {
        clock.clockRunning = false;
        view.updateClock();
        m.candidateMarks.clear();
        bool consistent = isConsistent(m);
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r) {
                if (m.board.at(c, r) != 0) continue;
                for (int v = 1; v <= 6; ++v)
                    m.candidateMarks.at(c, r, v) = consistent && peersFree(m, c, r, v);
            }
    }
    view.drawCandidates();
}

void drawBoard(BoardModel& m, ClockState& clock, BoardView& view) {
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            if (m.givens.at(c, r) != 0)
                view.drawGivenCell(c, r, m.givens.at(c, r));
            else
                view.drawCell(c, r, m.board.at(c, r));
        }
    updateStatistics(m, view);
    computeCandidates(m, clock, view);
}

void solveBoard(BoardModel& m, ClockState& clock, BoardView& view) {
    Solver s{m, clock, view};
    s.passes();
    updateStatistics(m, view);
    if (!isSolved(m) && !m.inTrial) {
        m.level = 3;
        trialSearch(m, clock, view);
    }
}

void trialSearch(BoardModel& m, ClockState& clock, BoardView& view) {
    m.inTrial = true;
    Grid boardBackup;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) boardBackup.at(c, r) = m.board.at(c, r);
    Solver s{m, clock, view, &boardBackup};
    s.recheck();
    for (int k = 1; k <= 6; ++k) {
        s.rowTrial(k);
        if (isSolved(m)) break;
    }
    m.inTrial = false;
}

void solveCommand(BoardModel& m, ClockState& clock, BoardView& view) {
    solveBoard(m, clock, view);
    if (!isSolved(m) && !allCellsOpen(m)) {
        restartBoard(m, clock, view);
        solveBoard(m, clock, view);
    }
}

void restartBoard(BoardModel& m, ClockState& clock, BoardView& view) {
    m.candidateMarks.clear();
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (m.givens.at(c, r) == 0) m.board.at(c, r) = 0;
    drawBoard(m, clock, view);
}

void clearBoard(BoardModel& m, ClockState& clock, BoardView& view) {
    m.board.clear();
    m.givens.clear();
    m.candidateMarks.clear();
    drawBoard(m, clock, view);
}

}  // namespace zg
