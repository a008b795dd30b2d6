// The whole program behind main(): the main window, start-up and the main event loop, until
// the player confirms the exit.
#pragma once

#include <functional>

namespace zg {

class Platform;

// onFirstPaint, if given, runs once when the main window has first been painted.
int runGame(Platform& platform, std::function<void()> onFirstPaint = {});

}  // namespace zg
