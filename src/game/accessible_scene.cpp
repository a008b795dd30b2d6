#include "game/accessible_scene.h"

#include <algorithm>

#include "game/program.h"
#include "panels/panels.h"
#include "view/picker.h"

namespace zg {

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "2", "2 und 5", "1, 2 und 5"
std::string listed(const std::vector<std::string>& items) {
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) s += i + 1 == items.size() ? " und " : ", ";
        s += items[i];
    }
    return s;
}

std::string cellName(const Program& p, int c, int r) {
    const BoardModel& m = p.model;
    std::string name = "Zeile " + std::to_string(r) + ", Spalte " + std::to_string(c) + ": ";
    if (p.play.paused) return name + "verdeckt";  // the pause covers the board
    if (const std::uint8_t value = m.board.at(c, r)) {
        name += symbolText(value, m.showDigits);
        return m.givens.at(c, r) != 0 ? name + ", vorgegeben" : name;
    }
    std::vector<std::string> marks;
    for (int v = 1; v <= 6; ++v)
        if (m.candidateMarks.at(c, r, v))
            marks.push_back(symbolText(static_cast<std::uint8_t>(v), m.showDigits));
    name += "leer";
    if (!marks.empty())
        name += (marks.size() == 1 ? ", Kandidat " : ", Kandidaten ") + listed(marks);
    return name;
}

std::string countsText(const BoardModel& m) {
    std::string s = "Statistik: ";
    for (int v = 1; v <= 6; ++v) {
        if (v > 1) s += ", ";
        s += symbolText(static_cast<std::uint8_t>(v), m.showDigits) + ": " +
             std::to_string(m.valueCount[v]);
    }
    return s;
}

AccessibleRect frameOf(PanelFrame f) {
    return {f.x, f.y, f.width, f.height};
}

}  // namespace

AccessibleScene describeScene(const Program& p) {
    const ViewState& v = p.view;
    const BoardModel& m = p.model;
    AccessibleScene s;
    s.board = {"Spielbrett", {v.boardLeft, v.boardTop, 6 * v.cellWidth, 6 * v.cellHeight}};
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c)
            s.cells[(r - 1) * 6 + c - 1] = {
                cellName(p, c, r),
                {v.boardLeft + (c - 1) * v.cellWidth, v.boardTop + (r - 1) * v.cellHeight,
                 v.cellWidth, v.cellHeight}};
    if (p.play.cursorShown && !p.play.paused)
        s.focusedCell = (p.play.cursorRow - 1) * 6 + p.play.cursorColumn - 1;

    s.panels = {
        {countsText(m), frameOf(kStatisticsFrame)},
        {"Statusmeldung: " + trimmed(p.panels.statusShown), frameOf(kStatusFrame), true},
        {"Schwierigkeitsgrad: " + trimmed(levelName(m)) +
             ", Vorgegebene Zahlen: " + std::to_string(p.panels.givenCount),
         frameOf(kLevelFrame)},
        {"Hilfefenster: " + trimmed(p.panels.helpText), frameOf(kHelpFrame), true},
    };

    std::vector<DrawnButton> buttons = p.play.buttonsShown;
    std::ranges::sort(buttons, {}, &DrawnButton::left);
    for (const DrawnButton& b : buttons) {
        std::string caption = b.caption;
        std::erase(caption, '_');
        s.buttons.push_back(
            {trimmed(caption), {b.left, b.top, b.right - b.left, b.bottom - b.top}});
    }

    if (v.pickerOpen) {
        constexpr int kSquare = kPickerSquare;
        s.chooser = {"Auswahl", {v.pickerLeft, v.pickerTop, 3 * kSquare, 2 * kSquare}};
        for (int value = 1; value <= 6; ++value)
            s.chooserItems.push_back({symbolText(static_cast<std::uint8_t>(value), m.showDigits),
                                      {v.pickerLeft + (value - 1) % 3 * kSquare,
                                       v.pickerTop + (value - 1) / 3 * kSquare, kSquare, kSquare}});
        if (v.pickerValue >= 1 && v.pickerValue <= 6) s.chooserSelected = v.pickerValue - 1;
    }
    return s;
}

}  // namespace zg
