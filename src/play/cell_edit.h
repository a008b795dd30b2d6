// Pointer tracking and the cell edit with its value chooser.
#pragma once

#include "platform/event_pump.h"

namespace zg {

struct Program;

inline constexpr const char* kHelpClearCell = "Rechte Taste löscht Feld!";
inline constexpr const char* kHelpNoteCandidates = "Bitte Kandidaten notieren!";
inline constexpr const char* kHelpAfterEdit = "Bitte ein Feld anklicken! ";

// The main window's mouse-move handler: moves the chooser's highlight while it is open, and
// keeps mouseX, mouseY (rounded) current.
void Win_0_MouseMove(Program& p, double x, double y);

// Returns as soon as no mouse button is held; other events stay queued (EventPump).
void waitButtonsUp(Program& p);

// The value chooser with its hint, and the modal edit of one cell: drawPicker, then
// chooseValue, which returns what the player chose with the chooser's squares gone; the caller
// applies the choice, then endCellEdit waits for the buttons and shows the help and the marks.
// Escape types 0 and ends a timed game.
struct Choice {
    bool clear = false;  // the right button: the cell (or in marking mode its marks) is cleared
    int value = 0;       // else the value picked or typed, 0..6
};
void drawPicker(Program& p, int column, int row);
Choice chooseValue(Program& p, int column, int row);
void endCellEdit(Program& p);

// A released key whose typed character ended the last edit: it belongs to the chooser, and
// the loops must not act on it. Consumes the claim.
bool releaseBelongsToChooser(Program& p, const Event& ev);

}  // namespace zg
