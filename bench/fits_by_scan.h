// fits as first written (set, scan the board, take back): the engine's is timed against it.
#pragma once

#include <cstdint>

#include "engine/rules.h"

namespace zg::test {

inline bool fitsByScan(BoardModel& m, int column, int row, int value) {
    m.board.at(column, row) = static_cast<std::uint8_t>(value);
    bool ok = isConsistent(m);
    m.board.at(column, row) = 0;
    return ok;
}

}  // namespace zg::test
