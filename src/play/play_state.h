// State of the play loops.
#pragma once

#include <cstdint>
#include <string>

namespace zg {

struct PlayState {
    std::string shortcutArmed;     // "K" after K was released; O then solves
    std::int16_t clickColumn = 0;  // the cell of the click being handled, 1..6
    std::int16_t clickRow = 0;
    std::int16_t candidateValue = 0;  // the value whose mark drawCandidates is drawing
    bool ownBoardMode = false;        // the own-board editor runs
};

}  // namespace zg
