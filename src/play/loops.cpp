#include "play/loops.h"

#include <optional>

#include "files/board_file.h"
#include "forms/help.h"
#include "forms/slot_dialog.h"
#include "game/board_ops.h"
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
    if (loop == Loop::play) endTimedGame(p);
    p.time().sleepMs(200);  // the clock's worker sees clockRunning false meanwhile
    if (loop == Loop::play && byClick) updateClock(p);
    return Next::leave;
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
            if (loop == Loop::play) endTimedGame(p);
            toggleCandidates(p, true);
            drawBoard(p);
            break;
        case 'N':
            restart(p);
            drawBoard(p);
            break;
        case 'K':
            p.play.shortcutArmed = "K";
            break;
        case 'O':
            if (p.play.shortcutArmed == "K") {
                solve(p);
                if (loop == Loop::play) updateClock(p);
            }
            p.play.shortcutArmed.clear();
            break;
        case 'X':
            if (loop == Loop::edit) {
                shuffle(p);
                drawBoard(p);
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

// A click on a cell of the play loop, or Return at the cursor: rightClick is the button.
void playBoardClick(Program& p, Cell cell) {
    const int c = cell.column, r = cell.row;
    if (p.model.givens.at(c, r) != 0) return;
    PlayerEdit edit(p, c, r);
    const bool marking = p.view.rightClick;
    if (marking && p.model.board.at(c, r) != 0) {
        edit.setValue(0);
        edit.end(Check::always);
        return;
    }
    drawPicker(p, c, r);
    const Choice choice = chooseValue(p, c, r);
    if (!marking)
        edit.setValue(choice.clear ? 0 : choice.value);
    else if (choice.clear)
        edit.clearMarks();
    else
        edit.setMark(choice.value, true);
    endCellEdit(p);
    edit.end(marking ? Check::ifValueChanged : Check::always);
}

// The editor's click: every value chosen becomes a given; the right button empties a given.
void editBoardClick(Program& p, bool right, Cell cell) {
    const int c = cell.column, r = cell.row;
    PlayerEdit edit(p, c, r);
    if (right) {
        if (p.model.givens.at(c, r) != 0) edit.emptyCell();
    } else {
        drawPicker(p, c, r);
        const Choice choice = chooseValue(p, c, r);
        if (!choice.clear) edit.storeValue(choice.value);
        endCellEdit(p);
        if (choice.clear)
            edit.emptyCell();
        else
            edit.setGiven(choice.value);
    }
    edit.end(Check::always);
}

bool isButtonPress(const Event& ev) {
    return ev.message == msg::kLeftDown || ev.message == msg::kRightDown;
}

// Key presses: undo and redo, the cursor and what is typed at it.
void onKeyDown(Program& p, Loop loop, const Event& ev) {
    const bool editor = loop == Loop::edit;
    const int k = ev.keyCode;
    if ((ev.modifiers & mod::kControl) != 0) {
        if (k == 'Z' || k == 'Y') undoRedo(p, k == 'Y' || (ev.modifiers & mod::kShift));
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

namespace {

// The play loop and the own-board editor: one loop, differing where Loop says.
void runLoop(Program& p, Loop loop) {
    const bool play = loop == Loop::play;
    if (play) {
        drawBoard(p);
    } else {
        p.play.ownBoardMode = true;
        // Every edit here enters a given: a marking mode left over from the last play loop
        // (its final right click) must not turn the entries into candidate marks.
        p.view.rightClick = false;
    }
    drawAllButtons(p);
    if (play && p.clock.clockRunning) clockThread(p);
    crossBoundary(p, Boundary::loop);
    for (;;) {
        const Event ev = p.pump.next();
        if (p.play.paused) {
            if (whilePaused(p, ev) == Next::leave) break;
            continue;
        }
        beforeEvent(p, ev);
        if (ev.message == msg::kKeyDown) onKeyDown(p, loop, ev);
        if (ev.message == msg::kKeyUp && !releaseBelongsToChooser(p, ev)) {
            if (onKey(p, loop, ev.keyCode) == Next::leave) break;
        }
        if (ev.message == msg::kLeftDown) {
            const StripButton b = stripButtonAt(p.view.mouseX, p.view.mouseY);
            if (b != StripButton::none && onButton(p, loop, b) == Next::leave) break;
        }
        const bool right = ev.message == msg::kRightDown;
        if (play) p.view.rightClick = isButtonPress(ev) && right;
        if (const auto cell = isButtonPress(ev) ? boardCellAtPointer(p.view) : std::nullopt) {
            if (play)
                playBoardClick(p, *cell);
            else
                editBoardClick(p, right, *cell);
        }
        if (play) finishIfSolved(p);
        if (overlaysShown(p) && ev.message != msg::kMouseMove) drawOverlays(p);
    }
    crossBoundary(p, Boundary::loop);
}

}  // namespace

void playLoop(Program& p) {
    runLoop(p, Loop::play);
}

void editLoop(Program& p) {
    runLoop(p, Loop::edit);
}

}  // namespace zg
