#include "play/player_aids.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/rules.h"
#include "game/clock.h"
#include "game/program.h"
#include "panels/panels.h"
#include "play/clock.h"
#include "play/redraw.h"
#include "view/board_render.h"
#include "view/look.h"

namespace zg {

namespace {

using Cells = std::vector<std::pair<int, int>>;

constexpr int kFrameWidth = 3;
constexpr const char* kPauseText = "Pause – weiter mit P";

// A frame of kFrameWidth pixels along the outer edge of the cells, inset pixels inside each
// cell's interior: it never touches a grid line, so repainting the cells removes it.
void frameCells(Program& p, const Cells& cells, int colourIndex, int inset) {
    const ViewState& v = p.view;
    Canvas& c = p.canvas();
    const auto in = [&](int col, int row) {
        return std::find(cells.begin(), cells.end(), std::pair{col, row}) != cells.end();
    };
    c.setForeground(v.colourTable[colourIndex]);
    c.setBackground(v.colourTable[colourIndex]);
    for (auto [col, row] : cells) {
        const int x0 = v.boardLeft + (col - 1) * v.cellWidth + 1 + inset;
        const int y0 = v.boardTop + (row - 1) * v.cellHeight + 1 + inset;
        const int x1 = v.boardLeft + col * v.cellWidth - 2 - (col % 3 == 0 ? 1 : 0) - inset;
        const int y1 = v.boardTop + row * v.cellHeight - 2 - (row % 2 == 0 ? 1 : 0) - inset;
        if (!in(col, row - 1)) c.fillRectangle(x0, y0, x1 + 1, y0 + kFrameWidth);
        if (!in(col, row + 1)) c.fillRectangle(x0, y1 + 1 - kFrameWidth, x1 + 1, y1 + 1);
        if (!in(col - 1, row)) c.fillRectangle(x0, y0, x0 + kFrameWidth, y1 + 1);
        if (!in(col + 1, row)) c.fillRectangle(x1 + 1 - kFrameWidth, y0, x1 + 1, y1 + 1);
    }
    // The marks of an empty cell stay readable over the frame.
    for (auto [col, row] : cells)
        if (p.model.board.at(col, row) == 0) drawCellCandidates(c, v, p.model, col, row, false);
    c.setForeground(v.colourTable[colour::kBlack]);
    c.setBackground(v.colourTable[colour::kWhite]);
}

Cells hintUnitCells(const Hint& h) {
    if (h.kind != HintKind::place && h.kind != HintKind::conflict) return {};
    const auto cells = unitCells(h.unit);
    return {cells.begin(), cells.end()};
}

void repaintCells(Program& p, const Cells& cells) {
    for (auto [col, row] : cells) repaintCell(p, col, row);
}

void computeCandidatesIfShown(Program& p) {
    if (p.model.showCandidates) computeCandidates(p.model, p.clock, p.screen);
}

// A change of one cell by the player, recorded for undo, followed by what any entry is.
template <typename Change>
void change(Program& p, bool editor, int col, int row, Change&& apply) {
    const CellState before = cellState(p.model, col, row);
    apply(p.model);
    const CellState after = cellState(p.model, col, row);
    if (after == before) return;
    p.play.history.record({col, row, before, after});
    afterPlayerChange(p, editor, before, after);
}

// The help panel draws a text over the last one without erasing the line: a hint's text is
// padded to the panel's 26 characters, so no tail of a longer text stays behind it.
void showHelp(Program& p, std::string text) {
    constexpr std::size_t kPanelCharacters = 26;
    const auto characters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
    if (characters < kPanelCharacters) text.append(kPanelCharacters - characters, ' ');
    p.panels.helpText = std::move(text);
    showHelpText(p.canvas(), p.view, p.panels);
}

}  // namespace

void repaintCell(Program& p, int column, int row) {
    const BoardModel& m = p.model;
    if (const std::uint8_t given = m.givens.at(column, row))
        p.screen.drawGivenCell(column, row, given);
    else
        p.screen.drawCell(column, row, m.board.at(column, row));
    if (m.board.at(column, row) == 0) drawCellCandidates(p.canvas(), p.view, p.model, column, row);
}

bool overlaysShown(const Program& p) {
    return p.play.cursorShown || p.play.hintStage > 0;
}

void drawOverlays(Program& p) {
    const PlayState& s = p.play;
    if (s.paused) return;  // the cover hides the cursor too
    if (s.hintStage > 0) frameCells(p, hintUnitCells(s.hint), colour::kBlue, 0);
    if (s.hintStage > 1) frameCells(p, {{s.hint.column, s.hint.row}}, colour::kMagenta, 5);
    if (s.cursorShown) frameCells(p, {{s.cursorColumn, s.cursorRow}}, colour::kGreen, 0);
}

void hideCursor(Program& p) {
    if (!p.play.cursorShown) return;
    p.play.cursorShown = false;
    repaintCell(p, p.play.cursorColumn, p.play.cursorRow);
}

void endHint(Program& p) {
    PlayState& s = p.play;
    if (s.hintStage == 0) return;
    s.hintStage = 0;
    repaintCells(p, hintUnitCells(s.hint));
    if (s.hint.kind == HintKind::place) repaintCell(p, s.hint.column, s.hint.row);
    showHelp(p, s.helpBeforeHint);  // blanks the tail of a longer hint, too
    p.panels.helpText = s.helpBeforeHint;
}

void moveCursor(Program& p, int keyCode) {
    PlayState& s = p.play;
    if (s.cursorShown) {
        repaintCell(p, s.cursorColumn, s.cursorRow);
        const int dx = keyCode == vk::kLeft ? -1 : keyCode == vk::kRight ? 1 : 0;
        const int dy = keyCode == vk::kUp ? -1 : keyCode == vk::kDown ? 1 : 0;
        s.cursorColumn = static_cast<std::int16_t>((s.cursorColumn - 1 + dx + 6) % 6 + 1);
        s.cursorRow = static_cast<std::int16_t>((s.cursorRow - 1 + dy + 6) % 6 + 1);
    }
    s.cursorShown = true;
    drawOverlays(p);
}

void keyboardEntry(Program& p, bool editor, const Event& ev) {
    const int col = p.play.cursorColumn, row = p.play.cursorRow;
    BoardModel& m = p.model;
    const int key = ev.keyCode;
    const bool clears = key == '0' || key == vk::kDelete || key == vk::kBackspace;
    const bool digit = key >= '1' && key <= '6';
    if (!p.play.cursorShown || !(clears || digit)) return;
    const auto value = static_cast<std::uint8_t>(digit ? key - '0' : 0);
    if (editor) {
        if ((ev.modifiers & mod::kShift) != 0) return;  // the editor enters givens only
        change(p, editor, col, row, [&](BoardModel& model) {
            model.board.at(col, row) = value;
            if (value != 0) {
                p.screen.drawGivenCell(col, row, value);
            } else {
                model.givens.at(col, row) = 0;
                p.screen.drawCell(col, row, 0);
            }
            computeCandidatesIfShown(p);
        });
        return;
    }
    if (m.givens.at(col, row) != 0) return;
    if (digit && (ev.modifiers & mod::kShift) != 0) {
        if (m.board.at(col, row) != 0) return;
        change(p, editor, col, row, [&](BoardModel& model) {
            model.candidateMarks.at(col, row, value) = !model.candidateMarks.at(col, row, value);
            computeCandidates(model, p.clock, p.screen);
        });
        return;
    }
    change(p, editor, col, row, [&](BoardModel& model) {
        if (value == 0 && model.board.at(col, row) == 0) {
            for (int v = 1; v <= 6; ++v) model.candidateMarks.at(col, row, v) = false;
            computeCandidates(model, p.clock, p.screen);
            return;
        }
        model.board.at(col, row) = value;
        p.screen.drawCell(col, row, value);
        computeCandidatesIfShown(p);
    });
}

void undoRedo(Program& p, bool editor, bool redo) {
    const auto step = redo ? p.play.history.redo() : p.play.history.undo();
    if (!step) return;
    const CellState& from = redo ? step->before : step->after;
    const CellState& to = redo ? step->after : step->before;
    applyCellState(p.model, step->column, step->row, to);
    repaintCell(p, step->column, step->row);
    computeCandidatesIfShown(p);
    afterPlayerChange(p, editor, from, to);
}

void afterPlayerChange(Program& p, bool editor, const CellState& before, const CellState& after) {
    // A mark alone changes no count: the chooser's marks skip the status check too.
    if (before.value == after.value && before.given == after.given) return;
    updateStatistics(p.model, p.screen);
    if (editor)
        updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
    else
        finishIfSolved(p);
}

void hintStep(Program& p) {
    PlayState& s = p.play;
    BoardModel& m = p.model;
    if (s.hintStage > 0 && !(m.board == s.hintBoard)) endHint(p);
    if (s.hintStage == 0) {
        const Hint h = findHint(m);
        if (h.kind == HintKind::solved) return;
        // Like K then O: a game with help is no longer timed.
        if (p.clock.clockRunning) {
            p.clock.clockRunning = false;
            updateClock(p);
        }
        s.hint = h;
        s.hintBoard = m.board;
        s.hintStage = 1;
        s.helpBeforeHint = p.panels.helpText;
        showHelp(p, h.kind == HintKind::place ? kHintWhere : hintReasonText(h, m.showDigits));
    } else if (s.hintStage == 1 && s.hint.kind == HintKind::place) {
        s.hintStage = 2;
        showHelp(p, hintReasonText(s.hint, m.showDigits));
    } else if (s.hintStage == 2) {
        const Hint h = s.hint;
        endHint(p);
        change(p, false, h.column, h.row, [&](BoardModel& model) {
            model.board.at(h.column, h.row) = static_cast<std::uint8_t>(h.value);
            p.screen.drawCell(h.column, h.row, static_cast<std::uint8_t>(h.value));
            computeCandidatesIfShown(p);
        });
    }
}

void uncoverBoard(Program& p) {
    p.play.paused = false;
    drawBoardPanel(p.canvas(), p.view);
    drawBoard(p);
}

void togglePause(Program& p) {
    PlayState& s = p.play;
    Canvas& c = p.canvas();
    const ViewState& v = p.view;
    if (s.paused) {
        p.clock.startTime += p.time().seconds() - s.pauseStart;
        p.clock.clockRunning = true;
        uncoverBoard(p);
        drawOverlays(p);
        clockThread(p);
        return;
    }
    if (!p.clock.clockRunning) return;
    s.paused = true;
    s.pauseStart = p.time().seconds();
    // The label keeps the time it shows; no turn of the worker may change it meanwhile.
    p.clock.clockRunning = false;
    p.panels.clockWorker->stop();
    // The whole board, its red borders too: from the panel's sunken frame inwards.
    const int left = v.boardLeft - 1, top = v.boardTop - 1;
    const int width = 6 * v.cellWidth + 1, height = 6 * v.cellHeight + 1;
    c.setForeground(v.colourTable[colour::kBackground]);
    c.setBackground(v.colourTable[colour::kBackground]);
    c.fillRectangle(left, top, left + width, top + height);
    c.selectFont(18);
    c.setForeground(v.colourTable[colour::kBlack]);
    c.text(left + (width - c.textWidth(kPauseText)) / 2, top + (height - c.fontHeight()) / 2,
           kPauseText);
    c.setBackground(v.colourTable[colour::kWhite]);
}

}  // namespace zg
