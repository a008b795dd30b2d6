#include "files/slot_dialog.h"

#include "shell/program.h"

namespace zg {

void openLoadDialog(Program&) {
    // The slot dialog is not built yet.
}

void openSaveDialog(Program&) {
    // The slot dialog is not built yet.
}

}  // namespace zg
