// The program entry.
#include "platform/application.h"
#include "shell/game_main.h"

int main(int argc, char** argv) {
    return zg::runApplication(argc, argv,
                              [](zg::Platform& platform) { return zg::runGame(platform); });
}
