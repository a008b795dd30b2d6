// The game itself, reporting its first painted frame to the start-up benchmark.
#include "first_paint.h"
#include "shell/game_main.h"

int main(int argc, char** argv) {
    return zg::runGame(argc, argv, [] { zg::bench::reportFirstPaint(); });
}
