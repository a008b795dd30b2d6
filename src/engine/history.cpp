#include "engine/history.h"

namespace zg {

CellState cellState(const BoardModel& m, int column, int row) {
    CellState s;
    s.value = m.board.at(column, row);
    s.given = m.givens.at(column, row);
    for (int v = 1; v <= 6; ++v) s.marks[v] = m.candidateMarks.at(column, row, v);
    return s;
}

void applyCellState(BoardModel& m, int column, int row, const CellState& s) {
    m.board.at(column, row) = s.value;
    m.givens.at(column, row) = s.given;
    for (int v = 1; v <= 6; ++v) m.candidateMarks.at(column, row, v) = s.marks[v];
}

void History::record(const CellChange& change) {
    if (change.before == change.after) return;
    done_.push_back(change);
    undone_.clear();
}

void History::recordFrom(const BoardModel& m, int column, int row, const CellState& before) {
    record({column, row, before, cellState(m, column, row)});
}

std::optional<CellChange> History::undo() {
    if (done_.empty()) return std::nullopt;
    CellChange c = done_.back();
    done_.pop_back();
    undone_.push_back(c);
    return c;
}

std::optional<CellChange> History::redo() {
    if (undone_.empty()) return std::nullopt;
    CellChange c = undone_.back();
    undone_.pop_back();
    done_.push_back(c);
    return c;
}

void History::clear() {
    done_.clear();
    undone_.clear();
}

bool History::canUndo() const {
    return !done_.empty();
}

bool History::canRedo() const {
    return !undone_.empty();
}

}  // namespace zg
