// Any text as a puzzle line: the parser never crashes, and what it accepts prints back as it
// reads and can be counted.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/puzzle_line.h"
#include "solution_counter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    zg::PuzzleLine line = zg::parsePuzzleLine(text);
    if (line.ok && (line.blank || !line.error.empty())) std::abort();
    if (!line.ok) return 0;
    for (std::uint8_t v : line.cells)
        if (v > 6) std::abort();
    zg::PuzzleLine again = zg::parsePuzzleLine(zg::cellsText(line.cells));
    if (!again.ok || again.cells != line.cells) std::abort();
    zg::Cells solution{};
    int n = zg::tools::countSolutions(line.cells, 2, &solution);
    if (n < 0 || n > 2) std::abort();
    if (n > 0) {
        for (int i = 0; i < 36; ++i)
            if (line.cells[i] != 0 && solution[i] != line.cells[i]) std::abort();
    }
    return 0;
}
