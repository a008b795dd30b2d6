#include "shell/game_main.h"

#include "game/program.h"
#include "shell/exit.h"
#include "shell/startup.h"

namespace zg {

int runGame(Platform& platform, std::function<void()> onFirstPaint) {
    Program program(Services::from(platform));
    if (onFirstPaint) program.window.setFirstPaintHandler(std::move(onFirstPaint));
    openMainWindow(program);
    try {
        initProgram(program);
    } catch (const ProgramExit&) {
        // "&JA" at the exit question: every loop has unwound to here.
    }
    return 0;
}

}  // namespace zg
