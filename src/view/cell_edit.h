// Pointer tracking and the cell edit with its value chooser.
#pragma once

#include "platform/event_pump.h"

namespace zg {

struct Program;

// The main window's mouse-move handler: keeps mouseX, mouseY (rounded) current.
void Win_0_MouseMove(Program& p, double x, double y);

// Returns as soon as no mouse button is held, processing events meanwhile.
void waitButtonsUp(Program& p);

// The value chooser and the modal edit of one cell.
void drawPicker(Program& p, int column, int row);
void editCell(Program& p, int column, int row);

}  // namespace zg
