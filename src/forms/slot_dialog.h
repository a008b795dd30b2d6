// The board slot dialog frm1: load from or save into one of four places.
#pragma once

namespace zg {

struct Program;

void openLoadDialog(Program& p);  // loads from p.files.boardFileName
void openSaveDialog(Program& p);  // always saves into "brett.zgb"

}  // namespace zg
