#include "play/cell_edit.h"

#include <cmath>

#include "engine/rules.h"
#include "game/program.h"
#include "panels/panels.h"
#include "view/picker.h"

namespace zg {

namespace {

// The virtual-key code of the key that types ch, for the characters the edit accepts.
int keyOfCharacter(int ch) {
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 'A';
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == vk::kEscape) return ch;
    return 0;  // no key release of ours reaches the loops for it
}

void computeCandidates(Program& p) {
    zg::computeCandidates(p.model, p.clock, p.screen);
}

// A value from the mouse or the keyboard: a mark in marking mode, else the cell's value.
void enter(Program& p, int column, int row, int value) {
    ViewState& v = p.view;
    v.drawingBusy = true;
    putPickerImageBack(p.canvas(), v);
    if (v.rightClick) {
        p.model.candidateMarks.at(column, row, value) = true;
        computeCandidates(p);
    } else {
        p.model.board.at(column, row) = static_cast<std::uint8_t>(value);
        if (!p.play.ownBoardMode) p.screen.drawCell(column, row, static_cast<std::uint8_t>(value));
    }
    v.drawingBusy = false;
}

void clear(Program& p, int column, int row) {
    ViewState& v = p.view;
    v.drawingBusy = true;
    putPickerImageBack(p.canvas(), v);
    if (v.rightClick) {
        for (int value = 1; value <= 6; ++value)
            p.model.candidateMarks.at(column, row, value) = false;
        computeCandidates(p);
    } else if (!p.play.ownBoardMode) {
        // The own-board editor clears the cell itself after the edit.
        p.model.board.at(column, row) = 0;
        p.screen.drawCell(column, row, 0);
    }
    v.drawingBusy = false;
}

}  // namespace

void Win_0_MouseMove(Program& p, double x, double y) {
    ViewState& v = p.view;
    const int value = v.pickerOpen ? pickerValueAt(v, x, y) : 0;
    if (value != 0 && value != v.pickerValue) {
        v.pickerValue = static_cast<std::int16_t>(value);
        drawPicker(p, v.pickerColumn, v.pickerRow);
    }
    v.mouseX = static_cast<std::int32_t>(std::lround(x));
    v.mouseY = static_cast<std::int32_t>(std::lround(y));
}

void waitButtonsUp(Program& p) {
    p.pump.waitButtonsUp();
}

void drawPicker(Program& p, int column, int row) {
    ViewState& v = p.view;
    v.drawingBusy = true;
    p.panels.helpText = v.rightClick ? kHelpNoteCandidates : kHelpClearCell;
    showHelpText(p.canvas(), v, p.panels);
    drawPickerSquares(p.canvas(), v, p.model.showDigits, column, row);
    v.drawingBusy = false;
}

void editCell(Program& p, int column, int row) {
    ViewState& v = p.view;
    v.pickerOpen = true;
    // The corner is known before the first event: a move while the opening button is still
    // held already tracks this chooser, not the previous one.
    v.pickerLeft = static_cast<std::int16_t>(pickerLeftOf(v, column));
    v.pickerTop = static_cast<std::int16_t>(pickerTopOf(v, row));
    v.pickerColumn = static_cast<std::int16_t>(column);
    v.pickerRow = static_cast<std::int16_t>(row);
    waitButtonsUp(p);
    for (;;) {
        v.rightClear = false;
        p.shell.abortRequested = false;
        const Event ev = p.pump.next();
        if (ev.message == msg::kLeftDown) {
            if (!insidePicker(v, v.mouseX, v.mouseY)) continue;
            enter(p, column, row, v.pickerValue);
            break;
        }
        if (ev.message == msg::kRightDown) {
            v.rightClear = true;
            clear(p, column, row);
            break;
        }
        if (ev.message == msg::kKeyUp && v.chooserKey != 0 && ev.keyCode == v.chooserKey) {
            v.chooserKey = 0;  // the release of the key that ended the previous edit
            continue;
        }
        if (ev.message != msg::kChar) continue;
        int k = ev.charCode;
        if (k == vk::kEscape) {
            k = '0';
            p.shell.abortRequested = true;
            p.clock.clockRunning = false;  // the timed game ends
            v.rightClear = false;
        }
        if (!p.model.showDigits && !p.shell.abortRequested) k -= 48;  // "a".."f" are 1..6
        if (k < '0' || k > '6') continue;
        const int n = k - '0';
        if (!v.rightClick) v.pickerValue = static_cast<std::int16_t>(n);
        enter(p, column, row, n);
        v.chooserKey = keyOfCharacter(ev.charCode);
        break;
    }
    v.pickerImage.reset();
    v.pickerSaved = false;
    v.pickerOpen = false;
    waitButtonsUp(p);
    p.panels.helpText = std::string(v.largeFonts ? "   " : "") + kHelpAfterEdit;
    showHelpText(p.canvas(), p.view, p.panels);
    if (p.model.showCandidates) computeCandidates(p);
}

bool releaseBelongsToChooser(Program& p, const Event& ev) {
    if (ev.message != msg::kKeyUp || ev.keyCode == 0 || ev.keyCode != p.view.chooserKey)
        return false;
    p.view.chooserKey = 0;
    return true;
}

}  // namespace zg
