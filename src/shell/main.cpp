// The program entry.
#include "shell/game_main.h"

int main(int argc, char** argv) {
    return zg::runGame(argc, argv);
}
