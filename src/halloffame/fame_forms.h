// The hall-of-fame form ruhm and the champion form champ.
#pragma once

namespace zg {

struct Program;

void showHallOfFame(Program& p);
// A solved timed game: checkNewRecord for finalTime with the forms.
void recordCheck(Program& p);

}  // namespace zg
