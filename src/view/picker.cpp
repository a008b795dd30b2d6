#include "view/picker.h"

#include "engine/board.h"
#include "view/look.h"

namespace zg {

namespace {

constexpr int kSquare = kPickerSquare;
constexpr int kPickerWidth = 3 * kSquare;
constexpr int kPickerHeight = 2 * kSquare;

}  // namespace

int pickerLeftOf(const ViewState& view, int column) {
    return view.boardLeft - 16 + (column - 1) * view.cellWidth;
}

int pickerTopOf(const ViewState& view, int row) {
    return view.boardTop + (row - 1) * view.cellHeight;
}

bool insidePicker(const ViewState& v, double x, double y) {
    return x >= v.pickerLeft && x < v.pickerLeft + kPickerWidth && y >= v.pickerTop &&
           y < v.pickerTop + kPickerHeight;
}

int pickerValueAt(const ViewState& v, double x, double y) {
    if (!insidePicker(v, x, y)) return 0;
    const int across = static_cast<int>((x - v.pickerLeft) / kSquare);
    const int down = static_cast<int>((y - v.pickerTop) / kSquare);
    return 1 + across + 3 * down;
}

void drawPickerSquares(Canvas& c, ViewState& v, bool showDigits, int column, int row) {
    const int x0 = pickerLeftOf(v, column);
    const int y0 = pickerTopOf(v, row);
    if (!v.pickerSaved) {
        v.pickerImage = c.copyImage(x0, y0, x0 + kPickerWidth - 1, y0 + kPickerHeight - 1);
        v.pickerSaved = true;
    }
    c.setPenWidth(1);
    c.selectFont(6);
    for (int value = 1; value <= 6; ++value) {
        const int x = x0 + ((value - 1) % 3) * kSquare;
        const int y = y0 + ((value - 1) / 3) * kSquare;
        c.setTransparentText(false);
        c.setForeground(v.colourTable[colour::kBlack]);
        c.setBackground(
            v.colourTable[value == v.pickerValue ? colour::kLightGrey : colour::kWhite]);
        c.fillRectangle(x, y, x + kSquare, y + kSquare);
        c.setTransparentText(true);
        c.text(x + (showDigits ? 6 : 3), y + 1,
               symbolText(static_cast<std::uint8_t>(value), showDigits));
    }
    c.setTransparentText(false);
    c.setBackground(v.colourTable[colour::kWhite]);
}

void putPickerImageBack(Canvas& c, const ViewState& v) {
    if (v.pickerSaved) c.putImage(v.pickerImage, v.pickerLeft, v.pickerTop);
}

}  // namespace zg
