// The whole program behind main(): the application, the main window, start-up and the main
// event loop, until the player confirms the exit.
#pragma once

#include <functional>

namespace zg {

// Qt's own texts (printer dialog, file chooser, the line edit's menu) in German. Needs the
// application object; false when Qt's translations are not installed.
bool installQtTranslations();

// onFirstPaint, if given, runs once when the main window has first been painted.
int runGame(int argc, char** argv, std::function<void()> onFirstPaint = {});

}  // namespace zg
