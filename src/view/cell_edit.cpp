#include "view/cell_edit.h"

#include <cmath>

#include "shell/program.h"

namespace zg {

void Win_0_MouseMove(Program& p, double x, double y) {
    // While the chooser is open the highlight follows the pointer (with the cell edit).
    p.view.mouseX = static_cast<std::int32_t>(std::lround(x));
    p.view.mouseY = static_cast<std::int32_t>(std::lround(y));
}

void waitButtonsUp(Program& p) {
    while (p.pump.buttonsHeld() != 0) p.pump.next();
}

void drawPicker(Program&, int, int) {
    // The value chooser comes with the play loop.
}

void editCell(Program&, int, int) {
    // The modal cell edit comes with the play loop.
}

}  // namespace zg
