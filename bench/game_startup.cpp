// The game itself, reporting its first painted frame to the start-up benchmark.
#include "first_paint.h"
#include "platform/application.h"
#include "shell/game_main.h"

int main(int argc, char** argv) {
    return zg::runApplication(argc, argv, [](zg::Platform& platform) {
        return zg::runGame(platform, [] { zg::bench::reportFirstPaint(); });
    });
}
