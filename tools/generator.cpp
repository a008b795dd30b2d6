#include "generator.h"

#include <algorithm>

#include "engine/puzzle_line.h"

namespace zg::tools {

namespace {

template <typename T, std::size_t N>
void shuffleWith(std::array<T, N>& items, Random& random) {
    for (int i = static_cast<int>(N) - 1; i > 0; --i) std::swap(items[i], items[random(i + 1)]);
}

}  // namespace

Cells randomSolution(Random& random) {
    Cells cells{};
    for (int i = 0; i < 36; ++i) {
        std::array<std::uint8_t, 6> values{1, 2, 3, 4, 5, 6};
        shuffleWith(values, random);
        // The filled prefix always extends to a solution, so one of the six keeps it so.
        for (auto v : values) {
            cells[i] = v;
            if (countSolutions(cells, 1) == 1) break;
        }
    }
    return cells;
}

Cells removePairs(const Cells& solution, Random& random, int minGivens) {
    std::array<int, 18> pairs{};
    for (int i = 0; i < 18; ++i) pairs[i] = i;
    shuffleWith(pairs, random);
    Cells puzzle = solution;
    int givens = filledCount(puzzle);
    for (int i : pairs) {
        if (givens - 2 < minGivens) break;
        Cells trial = puzzle;
        trial[i] = 0;
        trial[35 - i] = 0;
        if (countSolutions(trial) == 1) {
            puzzle = trial;
            givens -= 2;
        }
    }
    return puzzle;
}

std::optional<Level> levelNamed(const std::string& name) {
    for (Level l : {Level::leicht, Level::mittel, Level::schwer, Level::extrem})
        if (name == levelName(l)) return l;
    return std::nullopt;
}

const char* levelName(Level level) {
    switch (level) {
        case Level::leicht:
            return "leicht";
        case Level::mittel:
            return "mittel";
        case Level::schwer:
            return "schwer";
        case Level::extrem:
            return "extrem";
    }
    return "";
}

LevelRule ruleFor(Level level) {
    switch (level) {
        // One pass, and most values found by the box step.
        case Level::leicht:
            return {14, 16, true, {1, 0}, {1, 4}};
        case Level::mittel:
            return {10, 12, true, {2, 0}, {2, 36}};
        case Level::schwer:
            return {8, 10, true, {3, 0}, {10, 36}};
        case Level::extrem:
            return {10, 12, false, {}, {}};
    }
    return {};
}

bool fitsRule(const LevelRule& rule, const Assessment& a, int givens) {
    if (givens < rule.minGivens || givens > rule.maxGivens || !a.traceAgrees) return false;
    if (rule.logic)
        return !a.game.raisedLevel && a.game.outcome == Outcome::solved &&
               rule.lowest <= a.rating && a.rating <= rule.highest;
    return a.game.raisedLevel && a.game.outcome == Outcome::solved;
}

std::vector<Found> findPuzzles(Level level, std::uint64_t seed, int count, int maxCandidates) {
    LevelRule rule = ruleFor(level);
    SeededRandom random(seed);
    std::vector<Found> found;
    for (int n = 0; n < maxCandidates && static_cast<int>(found.size()) < count; ++n) {
        Cells puzzle = removePairs(randomSolution(random), random, rule.minGivens);
        Assessment a = assess(puzzle);
        if (fitsRule(rule, a, filledCount(puzzle))) found.push_back({puzzle, a, n});
    }
    return found;
}

}  // namespace zg::tools
