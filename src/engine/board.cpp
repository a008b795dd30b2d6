#include "engine/board.h"

namespace zg {

std::string symbolText(std::uint8_t value, bool showDigits) {
    if (value == 0) return {};
    return std::string(1, static_cast<char>(showDigits ? '0' + value : 64 + value));
}

const std::string& levelName(const BoardModel& m) {
    const bool known = m.level >= 0 && m.level < static_cast<int>(m.levelNames.size());
    return m.levelNames[known ? static_cast<std::size_t>(m.level) : 0];
}

int countGivens(const BoardModel& m) {
    int n = 0;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (m.givens.at(c, r) != 0) ++n;
    return n;
}

}  // namespace zg
