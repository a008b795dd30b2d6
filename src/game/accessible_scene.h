// The screen reader's view of the main window's client area, built from the program's state.
#pragma once

#include "platform/accessibility.h"

namespace zg {

struct Program;

AccessibleScene describeScene(const Program& p);

}  // namespace zg
