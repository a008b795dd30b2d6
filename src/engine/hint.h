// The explained hint: the next step the human-like solver would take on the current board.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "engine/board.h"

namespace zg {

enum class UnitKind { box, row, column };
// box: 1..6 in the solver's box order kBoxOrder; row/column: 1..6
struct Unit {
    UnitKind kind = UnitKind::box;
    int index = 0;
};

enum class HintKind {
    place,     // a value can be placed: column,row,value set; reason says why
    conflict,  // the board holds a wrong entry: unit is the unit to frame
    guess,     // logic alone cannot advance (no single found)
    solved,    // nothing left to do (board full and consistent)
};
enum class HintReason { onlyValueInCell, onlyPlaceInUnit };

struct Hint {
    HintKind kind = HintKind::solved;
    Unit unit;
    int column = 0, row = 0, value = 0;
    HintReason reason = HintReason::onlyValueInCell;
};

// The cells of a unit, in order (6 (column,row) pairs).
std::array<std::pair<int, int>, 6> unitCells(Unit u);

// The hint for the board.
Hint findHint(const BoardModel& m);

// The help-panel texts, UTF-8:
//   "Tipp: Hier geht es weiter."  (first press: the unit is framed)
//   "Nur hier passt die 4."      (reason onlyPlaceInUnit, value as digit or letter A-F)
//   "Hier passt nur die 2."      (reason onlyValueInCell)
//   "Hier stimmt etwas nicht."   (conflict)
//   "Hier hilft nur Raten."      (guess)
// The second-press text for place, else the kind's text (solved: kStatusSolved).
std::string hintReasonText(const Hint& h, bool showDigits);
inline constexpr const char* kHintWhere = "Tipp: Hier geht es weiter.";

}  // namespace zg
