// Ending the program after the player's confirmation.
#pragma once

namespace zg {

struct Program;

// Thrown after "&JA": unwinds every loop on our stack; caught in runGame only.
struct ProgramExit {};

// "Spiel beenden?" with "&JA|&NEIN", "&NEIN" the default. Returns after "&NEIN"; after
// "&JA" throws ProgramExit.
void askExit(Program& p);
// The close request of the main window: askExit; the window stays after "&NEIN".
void Win_0_Close(Program& p);

}  // namespace zg
