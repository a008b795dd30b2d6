// fits as first written: write the value, scan the whole board, take the value back. The
// engine's fits must always agree with it; the benchmark measures what the short cut saves.
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
