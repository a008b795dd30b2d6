// From program start to the main event loop.
#pragma once

namespace zg {

struct Program;

// Places the main window on the primary screen and shows it.
void openMainWindow(Program& p);

// Arrays, option defaults, the hall of fame, the level names, the menu bar and its marks.
void initGlobals(Program& p);

// The status bar, the board panel with the empty board, all panels, the help text.
void drawStartScreen(Program& p);

// Everything before the main event loop: the main window's handlers, colours, globals,
// background, the saved button strip, the clock label, the first screen, the help system.
void startUp(Program& p);

// Processes window events until the program ends (by an exception from askExit).
[[noreturn]] void mainEventLoop(Program& p);

// startUp, then mainEventLoop.
[[noreturn]] void initProgram(Program& p);

}  // namespace zg
