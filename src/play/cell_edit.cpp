#include "play/cell_edit.h"

#include <cmath>

#include "game/board_ops.h"
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

Choice chooseValue(Program& p, int column, int row) {
    ViewState& v = p.view;
    v.pickerOpen = true;
    // The corner is known before the first event: a move while the opening button is still
    // held already tracks this chooser, not the previous one.
    v.pickerLeft = static_cast<std::int16_t>(pickerLeftOf(v, column));
    v.pickerTop = static_cast<std::int16_t>(pickerTopOf(v, row));
    v.pickerColumn = static_cast<std::int16_t>(column);
    v.pickerRow = static_cast<std::int16_t>(row);
    waitButtonsUp(p);
    Choice choice;
    for (;;) {
        const Event ev = p.pump.next();
        if (ev.message == msg::kLeftDown) {
            if (!insidePicker(v, v.mouseX, v.mouseY)) continue;
            choice.value = v.pickerValue;
            break;
        }
        if (ev.message == msg::kRightDown) {
            choice.clear = true;
            break;
        }
        if (ev.message == msg::kKeyUp && v.chooserKey != 0 && ev.keyCode == v.chooserKey) {
            v.chooserKey = 0;  // the release of the key that ended the previous edit
            continue;
        }
        if (ev.message != msg::kChar) continue;
        int k = ev.charCode;
        const bool escape = k == vk::kEscape;
        if (escape) {
            k = '0';
            endTimedGame(p);
        }
        if (!p.model.showDigits && !escape) k -= 48;  // "a".."f" are 1..6
        if (k < '0' || k > '6') continue;
        choice.value = k - '0';
        if (!v.rightClick) v.pickerValue = static_cast<std::int16_t>(choice.value);
        v.chooserKey = keyOfCharacter(ev.charCode);
        break;
    }
    v.drawingBusy = true;  // until endCellEdit: the clock keeps off while the choice lands
    putPickerImageBack(p.canvas(), v);
    return choice;
}

void endCellEdit(Program& p) {
    ViewState& v = p.view;
    v.drawingBusy = false;
    v.pickerImage.reset();
    v.pickerSaved = false;
    v.pickerOpen = false;
    waitButtonsUp(p);
    p.panels.helpText = std::string(v.largeFonts ? "   " : "") + kHelpAfterEdit;
    showHelpText(p.canvas(), p.view, p.panels);
    computeCandidatesIfShown(p);
}

bool releaseBelongsToChooser(Program& p, const Event& ev) {
    if (ev.message != msg::kKeyUp || ev.keyCode == 0 || ev.keyCode != p.view.chooserKey)
        return false;
    p.view.chooserKey = 0;
    return true;
}

}  // namespace zg
