#include "play/loops.h"

#include <optional>

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "forms/help.h"
#include "forms/slot_dialog.h"
#include "game/clock.h"
#include "game/program.h"
#include "panels/panels.h"
#include "play/buttons.h"
#include "play/cell_edit.h"
#include "play/clock.h"
#include "play/game_boundary.h"
#include "play/player_aids.h"
#include "play/redraw.h"

namespace zg {

namespace {

struct ButtonPlace {
    StripButton button;
    int left;
    int clickRight;  // the click area's last column
    const char* caption;
};

constexpr ButtonPlace kButtons[] = {
    {StripButton::load, 32, 124, kCaptionLoad},
    {StripButton::save, 125, 217, kCaptionSave},
    {StripButton::help, 218, 294, kCaptionHelp},
    {StripButton::abort, 295, 431, kCaptionAbort},
};

const ButtonPlace& placeOf(StripButton b) {
    for (const ButtonPlace& place : kButtons)
        if (place.button == b) return place;
    return kButtons[0];
}

void drawStripButton(Program& p, StripButton b, int state) {
    const ButtonPlace& place = placeOf(b);
    drawButton(p, state, place.left, kButtonTop, place.caption);
}

void drawAllButtons(Program& p) {
    for (const ButtonPlace& place : kButtons)
        drawButton(p, 0, place.left, kButtonTop, place.caption);
}

enum class Loop { play, edit };
enum class Next { stay, leave };

void load(Program& p, Loop loop, const char* fileName) {
    drawStripButton(p, StripButton::load, 1);
    p.files.boardFileName = fileName;
    openLoadDialog(p);
    p.play.history.clear();
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
    drawBoard(p);
    if (loop == Loop::play) updateClock(p);
    waitButtonsUp(p);
    drawStripButton(p, StripButton::load, 0);
}

void save(Program& p) {
    drawStripButton(p, StripButton::save, 1);
    openSaveDialog(p);
    waitButtonsUp(p);
    drawStripButton(p, StripButton::save, 0);
}

void help(Program& p) {
    drawStripButton(p, StripButton::help, 1);
    showRulesHelp(p);
    waitButtonsUp(p);
    drawStripButton(p, StripButton::help, 0);
}

// The button stays drawn pressed until the command's idle steps erase the strip.
Next abort(Program& p, Loop loop, bool byClick) {
    drawStripButton(p, StripButton::abort, 1);
    if (loop == Loop::play) p.clock.clockRunning = false;
    p.time().sleepMs(200);  // the clock's worker sees clockRunning false meanwhile
    if (loop == Loop::play && byClick) updateClock(p);
    return Next::leave;
}

void toggleCandidates(Program& p) {
    p.model.candidateMarks.clear();
    p.model.showCandidates = !p.model.showCandidates;
    drawBoard(p);
}

Next onKey(Program& p, Loop loop, int key) {
    BoardModel& m = p.model;
    m.statusText = std::string(1, static_cast<char>(key));
    switch (key) {
        case 'L':
            load(p, loop, loop == Loop::play ? kPlayerBoardFile : kEditorBoardFile);
            break;
        case 'S':
            save(p);
            break;
        case 'H':
            if (loop == Loop::play) help(p);
            break;
        case vk::kF1:
            help(p);
            break;
        case 'A':
            // In the editor with letters shown, A is a letter to enter, not "Abbruch".
            if (loop == Loop::play || m.showDigits) return abort(p, loop, false);
            break;
        case vk::kEscape:
            return abort(p, loop, false);
        case 'M':
            if (loop == Loop::play) p.clock.clockRunning = false;
            toggleCandidates(p);
            break;
        case 'N':
            restartBoard(m, p.clock, p.screen);
            drawBoard(p);
            p.play.history.clear();
            break;
        case 'K':
            p.play.shortcutArmed = "K";
            break;
        case 'O':
            if (p.play.shortcutArmed == "K") {
                if (loop == Loop::play) p.clock.clockRunning = false;
                solveCommand(m, p.clock, p.screen);
                if (loop == Loop::play) updateClock(p);
                p.play.history.clear();
            }
            p.play.shortcutArmed.clear();
            break;
        case 'X':
            if (loop == Loop::edit) {
                shuffleBoard(m, p.random());
                drawBoard(p);
                p.play.history.clear();
            }
            break;
        case 'T':
            if (loop == Loop::play) hintStep(p);
            break;
        case 'P':
            if (loop == Loop::play) togglePause(p);
            break;
        default:
            break;
    }
    return Next::stay;
}

Next onButton(Program& p, Loop loop, StripButton b) {
    switch (b) {
        case StripButton::load:
            load(p, loop, kPlayerBoardFile);
            break;
        case StripButton::save:
            save(p);
            break;
        case StripButton::help:
            help(p);
            break;
        case StripButton::abort:
            return abort(p, loop, true);
        case StripButton::none:
            break;
    }
    return Next::stay;
}

struct Cell {
    int column;
    int row;
};

// The cell under the pointer, 1..6 each; none off the board.
std::optional<Cell> boardCellAtPointer(const ViewState& v) {
    const int x = v.mouseX, y = v.mouseY;
    if (x < v.boardLeft || x >= v.boardLeft + 6 * v.cellWidth) return std::nullopt;
    if (y < v.boardTop || y >= v.boardTop + 6 * v.cellHeight) return std::nullopt;
    return Cell{(x - v.boardLeft) / v.cellWidth + 1, (y - v.boardTop) / v.cellHeight + 1};
}

void computeCandidatesIfShown(Program& p) {
    if (p.model.showCandidates) computeCandidates(p.model, p.clock, p.screen);
}

// The board click of the play loop; rightClick is set for the button.
void playBoardClick(Program& p, Cell cell) {
    BoardModel& m = p.model;
    const int c = cell.column, r = cell.row;
    if (m.givens.at(c, r) != 0) return;
    const CellState before = cellState(m, c, r);
    if (p.view.rightClick && m.board.at(c, r) != 0) {
        m.board.at(c, r) = 0;
        p.screen.drawCell(c, r, 0);
        computeCandidatesIfShown(p);
        updateStatistics(p.model, p.screen);
    } else if (p.view.rightClick) {
        drawPicker(p, c, r);
        editCell(p, c, r);  // notes a candidate
    } else {
        drawPicker(p, c, r);
        editCell(p, c, r);
        updateStatistics(p.model, p.screen);
    }
    p.play.history.recordFrom(m, c, r, before);
    finishIfSolved(p);
}

void editBoardClick(Program& p, bool right, Cell cell) {
    BoardModel& m = p.model;
    const int c = cell.column, r = cell.row;
    const CellState before = cellState(m, c, r);
    auto emptyCell = [&] {
        m.board.at(c, r) = 0;
        m.givens.at(c, r) = 0;
        p.screen.drawCell(c, r, 0);
        computeCandidatesIfShown(p);
    };
    if (right) {
        if (m.givens.at(c, r) != 0) emptyCell();
    } else {
        drawPicker(p, c, r);
        editCell(p, c, r);
        if (p.view.rightClear)
            emptyCell();
        else
            p.screen.drawGivenCell(c, r, static_cast<std::uint8_t>(p.view.pickerValue));
    }
    p.play.history.recordFrom(m, c, r, before);
    updateStatistics(p.model, p.screen);
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
}

bool isButtonPress(const Event& ev) {
    return ev.message == msg::kLeftDown || ev.message == msg::kRightDown;
}

// Key presses: undo and redo, the cursor and what is typed at it.
void onKeyDown(Program& p, Loop loop, const Event& ev) {
    const bool editor = loop == Loop::edit;
    const int k = ev.keyCode;
    if ((ev.modifiers & mod::kControl) != 0) {
        if (k == 'Z' || k == 'Y') undoRedo(p, editor, k == 'Y' || (ev.modifiers & mod::kShift));
        return;
    }
    if (k >= vk::kLeft && k <= vk::kDown) {
        moveCursor(p, k);
    } else if ((k == vk::kReturn || k == vk::kSpace) && p.play.cursorShown) {
        const Cell cursor{p.play.cursorColumn, p.play.cursorRow};
        p.view.rightClick = false;
        if (editor)
            editBoardClick(p, false, cursor);
        else
            playBoardClick(p, cursor);
    } else {
        keyboardEntry(p, editor, ev);
    }
}

// What ends a hint on show: anything the player does but T.
bool endsHint(const Event& ev) {
    if (ev.message == msg::kKeyUp || ev.message == msg::kKeyDown) return ev.keyCode != 'T';
    return isButtonPress(ev);
}

// While paused only P goes on, and "Abbruch" leaves, by its button or its keys A and Escape.
Next whilePaused(Program& p, const Event& ev) {
    if (ev.message == msg::kKeyUp && ev.keyCode == 'P') togglePause(p);
    if (ev.message == msg::kKeyUp && (ev.keyCode == 'A' || ev.keyCode == vk::kEscape))
        return abort(p, Loop::play, false);
    if (ev.message == msg::kLeftDown &&
        stripButtonAt(p.view.mouseX, p.view.mouseY) == StripButton::abort)
        return onButton(p, Loop::play, StripButton::abort);
    return Next::stay;
}

// Runs before the loop's own handling of ev.
void beforeEvent(Program& p, const Event& ev) {
    if (p.play.hintStage > 0 && endsHint(ev)) endHint(p);
    if (isButtonPress(ev)) hideCursor(p);
}

}  // namespace

StripButton stripButtonAt(int x, int y) {
    if (y < 417 || y > 443) return StripButton::none;
    for (const ButtonPlace& place : kButtons)
        if (x >= place.left && x <= place.clickRight) return place.button;
    return StripButton::none;
}

void playLoop(Program& p) {
    drawBoard(p);
    drawAllButtons(p);
    if (p.clock.clockRunning) clockThread(p);
    crossBoundary(p, Boundary::loop);
    for (;;) {
        const Event ev = p.pump.next();
        if (p.play.paused) {
            if (whilePaused(p, ev) == Next::leave) break;
            continue;
        }
        beforeEvent(p, ev);
        if (ev.message == msg::kKeyDown) onKeyDown(p, Loop::play, ev);
        if (ev.message == msg::kKeyUp && !releaseBelongsToChooser(p, ev)) {
            if (onKey(p, Loop::play, ev.keyCode) == Next::leave) break;
        }
        if (ev.message == msg::kLeftDown) {
            const StripButton b = stripButtonAt(p.view.mouseX, p.view.mouseY);
            if (b != StripButton::none && onButton(p, Loop::play, b) == Next::leave) break;
        }
        p.view.rightClick = false;
        if (isButtonPress(ev)) {
            p.view.rightClick = ev.message == msg::kRightDown;
            if (const auto cell = boardCellAtPointer(p.view)) playBoardClick(p, *cell);
        }
        if (overlaysShown(p) && ev.message != msg::kMouseMove) drawOverlays(p);
    }
    crossBoundary(p, Boundary::loop);
}

void editLoop(Program& p) {
    p.play.ownBoardMode = true;
    // Every edit here enters a given: a marking mode left over from the last play loop (its
    // final right click) must not turn the entries into candidate marks.
    p.view.rightClick = false;
    drawAllButtons(p);
    crossBoundary(p, Boundary::loop);
    for (;;) {
        const Event ev = p.pump.next();
        beforeEvent(p, ev);
        if (ev.message == msg::kKeyDown) onKeyDown(p, Loop::edit, ev);
        if (ev.message == msg::kKeyUp && !releaseBelongsToChooser(p, ev)) {
            if (onKey(p, Loop::edit, ev.keyCode) == Next::leave) break;
        }
        if (ev.message == msg::kLeftDown) {
            const StripButton b = stripButtonAt(p.view.mouseX, p.view.mouseY);
            if (b != StripButton::none && onButton(p, Loop::edit, b) == Next::leave) break;
        }
        if (const auto cell = isButtonPress(ev) ? boardCellAtPointer(p.view) : std::nullopt)
            editBoardClick(p, ev.message == msg::kRightDown, *cell);
        if (overlaysShown(p) && ev.message != msg::kMouseMove) drawOverlays(p);
    }
    crossBoundary(p, Boundary::loop);
}

}  // namespace zg
