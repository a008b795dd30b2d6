// zg_generate LEVEL SEED [COUNT]: prints COUNT (default 4) puzzle lines for the level's
// collection, found deterministically from SEED; the rating of each goes to stderr.
#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/puzzle_line.h"
#include "generator.h"

int main(int argc, char** argv) {
    using namespace zg;
    using namespace zg::tools;
    auto level = argc >= 3 ? levelNamed(argv[1]) : std::nullopt;
    char* end = nullptr;
    unsigned long long seed = argc >= 3 ? std::strtoull(argv[2], &end, 10) : 0;
    int count = argc == 4 ? std::atoi(argv[3]) : 4;
    if (!level || argc > 4 || end == argv[2] || *end != '\0' || count < 1) {
        std::cerr << "usage: zg_generate leicht|mittel|schwer|extrem SEED [COUNT]\n";
        return 2;
    }
    auto found = findPuzzles(*level, seed, count, 200000);
    for (const auto& f : found) {
        std::cout << cellsText(f.puzzle) << '\n';
        const auto& t = f.assessment.trace;
        std::cerr << cellsText(f.puzzle) << "  givens " << filledCount(f.puzzle) << "  passes "
                  << t.passesNeeded << "  cell " << t.byCell << "  box " << t.byBox << "  line "
                  << t.byLine << "  candidate " << f.candidate << '\n';
    }
    if (static_cast<int>(found.size()) < count) {
        std::cerr << "zg_generate: only " << found.size() << " of " << count << " puzzles found\n";
        return 1;
    }
    return 0;
}
