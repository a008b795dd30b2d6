#include "play/player_aids.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/board_ops.h"
#include "game/clock.h"
#include "game/program.h"
#include "panels/panels.h"
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
    const BoardModel& m = p.model;
    const int key = ev.keyCode;
    const bool clears = key == '0' || key == vk::kDelete || key == vk::kBackspace;
    const bool digit = key >= '1' && key <= '6';
    const bool shift = (ev.modifiers & mod::kShift) != 0;
    if (!p.play.cursorShown || !(clears || digit)) return;
    // The editor enters givens only; the play loop leaves givens alone, and marks empty cells.
    if (editor ? shift : m.givens.at(col, row) != 0) return;
    if (!editor && digit && shift && m.board.at(col, row) != 0) return;
    const int value = digit ? key - '0' : 0;
    PlayerEdit edit(p, col, row);
    if (editor && value != 0)
        edit.setGiven(value);
    else if (editor)
        edit.emptyCell();
    else if (digit && shift)
        edit.toggleMark(value);
    else if (value == 0 && m.board.at(col, row) == 0)
        edit.clearMarks();
    else
        edit.setValue(value);
    edit.end(Check::ifValueChanged);
}

void undoRedo(Program& p, bool redo) {
    const auto step = redo ? p.play.history.redo() : p.play.history.undo();
    if (!step) return;
    PlayerEdit edit(p, step->column, step->row);
    edit.restore(redo ? step->after : step->before);
    edit.end(Check::ifValueChanged);
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
            endTimedGame(p);
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
        PlayerEdit edit(p, h.column, h.row);
        edit.setValue(h.value);
        edit.end(Check::ifValueChanged);
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
