// The program's start, given by the backend: it sets up the toolkit, makes its platform and
// runs game with it. Returns the process's exit code.
#pragma once

#include <functional>

namespace zg {

class Platform;

int runApplication(int argc, char** argv, const std::function<int(Platform&)>& game);

}  // namespace zg
