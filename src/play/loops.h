// The two modal loops: playing the current board and the own-board editor.
#pragma once

namespace zg {

struct Program;

// The four drawn buttons of the button strip, left to right.
enum class StripButton { none, load, save, help, abort };

// The button whose click area holds (x, y): y 417..443; "Abbruch" reaches to x 431.
StripButton stripButtonAt(int x, int y);

// Both return when the player chooses "Abbruch".
void playLoop(Program& p);
void editLoop(Program& p);

}  // namespace zg
