// Finds puzzles for the four collections: a random solution grid, cells removed in pairs
// that a half turn swaps while exactly one solution remains, then a rating by the game's
// solver. Everything follows from the seed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/random.h"
#include "rating.h"
#include "solution_counter.h"

namespace zg::tools {

// A complete valid grid; values tried in an order drawn from random.
Cells randomSolution(Random& random);

// Empties pairs (i, 35 - i) of the solution in a drawn order, keeping a removal only while
// the counter still finds exactly one solution, and never going below minGivens.
Cells removePairs(const Cells& solution, Random& random, int minGivens);

enum class Level { leicht, mittel, schwer, extrem };

std::optional<Level> levelNamed(const std::string& name);
const char* levelName(Level level);

// What a puzzle must be to join a level's collection.
struct LevelRule {
    int minGivens;  // removal stops here
    int maxGivens;
    bool logic;              // finished by the passes (else: finished by the one level of guessing)
    Rating lowest, highest;  // inclusive bounds of the rating, for logic levels
};

LevelRule ruleFor(Level level);

// Whether the assessed puzzle with that many givens meets the rule.
bool fitsRule(const LevelRule& rule, const Assessment& a, int givens);

struct Found {
    Cells puzzle;
    Assessment assessment;
    int candidate;  // how many candidates were tried before this one, for the log
};

// The first count puzzles of the level that the seed leads to; at most maxCandidates tried.
std::vector<Found> findPuzzles(Level level, std::uint64_t seed, int count, int maxCandidates);

}  // namespace zg::tools
