// What the play loops offer beyond the menu's game, each unseen until its key is used: undo
// and redo, the keyboard cursor with entries at it, the explained hint, and the pause.
#pragma once

namespace zg {

struct Program;
struct Event;

// The frames drawn inside the cells, over the board: the hint's unit and cell, the cursor.
// Hiding one repaints its cells; the loops draw the others again after every event.
void drawOverlays(Program& p);
bool overlaysShown(const Program& p);
void hideCursor(Program& p);
// The hint's frames go and the help panel shows what it showed before the hint.
void endHint(Program& p);

// Arrow keys: the first shows the cursor, the next move it, wrapping at the edges.
void moveCursor(Program& p, int keyCode);
// Digits, 0, Delete, Backspace and Shift+digit at the cursor; editor: the own-board editor.
void keyboardEntry(Program& p, bool editor, const Event& ev);
void undoRedo(Program& p, bool redo);

// T in the play loop: the unit, then the reasoning, then the value placed.
void hintStep(Program& p);
// P in a running timed game, and P again.
void togglePause(Program& p);
// The pause ends without the clock going on (leaving the loop): the board is shown again.
void uncoverBoard(Program& p);

}  // namespace zg
