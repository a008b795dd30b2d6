// The two modal loops: playing the current board and the own-board editor.
#pragma once

namespace zg {

struct Program;

void playLoop(Program& p);
void editLoop(Program& p);

}  // namespace zg
