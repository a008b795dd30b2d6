#include "game/board_ops.h"

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "game/program.h"
#include "panels/panels.h"
#include "view/board_render.h"

namespace zg {

PlayerEdit::PlayerEdit(Program& p, int column, int row)
    : p_(p), column_(column), row_(row), before_(cellState(p.model, column, row)) {}

void PlayerEdit::setValue(int value) {
    storeValue(value);
    p_.screen.drawCell(column_, row_, static_cast<std::uint8_t>(value));
    computeCandidatesIfShown(p_);
}

void PlayerEdit::storeValue(int value) {
    p_.model.board.at(column_, row_) = static_cast<std::uint8_t>(value);
}

void PlayerEdit::setGiven(int value) {
    const auto v = static_cast<std::uint8_t>(value);
    p_.model.board.at(column_, row_) = v;
    p_.model.givens.at(column_, row_) = v;
    p_.screen.drawGivenCell(column_, row_, v);
    computeCandidatesIfShown(p_);
}

void PlayerEdit::emptyCell() {
    p_.model.board.at(column_, row_) = 0;
    p_.model.givens.at(column_, row_) = 0;
    p_.screen.drawCell(column_, row_, 0);
    computeCandidatesIfShown(p_);
}

void PlayerEdit::setMark(int value, bool on) {
    p_.model.candidateMarks.at(column_, row_, value) = on;
    changedMarks();
}

void PlayerEdit::toggleMark(int value) {
    setMark(value, !p_.model.candidateMarks.at(column_, row_, value));
}

void PlayerEdit::clearMarks() {
    for (int value = 1; value <= 6; ++value)
        p_.model.candidateMarks.at(column_, row_, value) = false;
    changedMarks();
}

// A mark the player sets is drawn at once, and replaced by the computed ones while they show.
void PlayerEdit::changedMarks() {
    computeCandidates(p_.model, p_.clock, p_.screen);
}

void PlayerEdit::restore(const CellState& state) {
    applyCellState(p_.model, column_, row_, state);
    repaintCell(p_, column_, row_);
    computeCandidatesIfShown(p_);
    record_ = false;  // the history's own step
}

void PlayerEdit::end(Check check) {
    const CellState after = cellState(p_.model, column_, row_);
    if (record_) p_.play.history.record({column_, row_, before_, after});
    const bool valueChanged = after.value != before_.value || after.given != before_.given;
    if (check == Check::ifValueChanged && !valueChanged) return;
    updateStatistics(p_.model, p_.screen);
    if (p_.play.ownBoardMode) updateLevelPanel(p_.canvas(), p_.view, p_.model, p_.panels);
}

void computeCandidatesIfShown(Program& p) {
    if (p.model.showCandidates) computeCandidates(p.model, p.clock, p.screen);
}

void repaintCell(Program& p, int column, int row) {
    const BoardModel& m = p.model;
    if (const std::uint8_t given = m.givens.at(column, row))
        p.screen.drawGivenCell(column, row, given);
    else
        p.screen.drawCell(column, row, m.board.at(column, row));
    if (m.board.at(column, row) == 0) drawCellCandidates(p.canvas(), p.view, p.model, column, row);
}

void endTimedGame(Program& p) {
    p.clock.clockRunning = false;
}

bool wonNow(const Program& p) {
    return p.clock.clockRunning && isSolved(p.model);
}

namespace {

// A board not made by the player's steps: there is nothing of it to undo.
void newBoard(Program& p) {
    p.play.history.clear();
}

}  // namespace

LoadResult loadBoard(Program& p, int slot) {
    const LoadResult r = loadBoardSlot(p.files, p.model, p.clock, p.fileIo(), slot);
    if (r == LoadResult::loaded) newBoard(p);
    return r;
}

void shuffle(Program& p) {
    shuffleBoard(p.model, p.random());
    newBoard(p);
}

void restart(Program& p) {
    restartBoard(p.model, p.clock, p.screen);
    newBoard(p);
}

void clearAll(Program& p) {
    clearBoard(p.model, p.clock, p.screen);
    newBoard(p);
}

void solve(Program& p) {
    endTimedGame(p);
    solveCommand(p.model, p.clock, p.screen);
    newBoard(p);
}

void toggleCandidates(Program& p, bool clearMarks) {
    if (clearMarks) p.model.candidateMarks.clear();
    p.model.showCandidates = !p.model.showCandidates;
}

}  // namespace zg
