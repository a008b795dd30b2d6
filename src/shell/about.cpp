#include "shell/about.h"

#include "shell/program.h"

namespace zg {

void openAboutForm(Program&) {
    // The about form is not built yet.
}

}  // namespace zg
