#include "shell/exit.h"

#include "game/program.h"

namespace zg {

void askExit(Program& p) {
    const int answer = p.questions().ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2);
    // Only a chosen "&JA" ends the game; a box closed without a choice counts as "&NEIN".
    if (answer != 1) return;
    p.window.hide();
    p.shell.buttonRowImage.reset();
    throw ProgramExit{};
}

void Win_0_Close(Program& p) {
    askExit(p);
}

}  // namespace zg
