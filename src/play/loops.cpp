#include "play/loops.h"

#include "shell/program.h"

namespace zg {

void playLoop(Program&) {
    // The play loop with its buttons and keys is not built yet.
}

void editLoop(Program&) {
    // The own-board editor is not built yet.
}

}  // namespace zg
