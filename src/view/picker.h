// The value chooser's place and squares: six 30 x 30 squares, 1 2 3 above 4 5 6.
#pragma once

#include "view/view_state.h"

namespace zg {

class Canvas;

inline constexpr int kPickerSquare = 30;  // a square's side, in pixels

// The chooser's top-left corner for the cell: 16 pixels left of the cell, level with it.
int pickerLeftOf(const ViewState& view, int column);
int pickerTopOf(const ViewState& view, int row);
// Whether (x, y) lies on the open chooser at pickerLeft, pickerTop.
bool insidePicker(const ViewState& view, double x, double y);
// The value of the square under (x, y) on the open chooser; 0 off it.
int pickerValueAt(const ViewState& view, double x, double y);

// The squares of the cell's chooser, pickerValue's light grey. Saves the screen under it
// first (pickerImage) unless pickerSaved.
void drawPickerSquares(Canvas& c, ViewState& view, bool showDigits, int column, int row);
// Puts the saved screen back over the chooser.
void putPickerImageBack(Canvas& c, const ViewState& view);

}  // namespace zg
