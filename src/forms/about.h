// The about form Inf.
#pragma once

namespace zg {

struct Program;

void openAboutForm(Program& p);

}  // namespace zg
