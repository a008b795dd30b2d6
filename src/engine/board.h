// The board model: cell values, givens, candidate marks and the option flags the engine reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zg {

// A 7 x 7 byte array whose storage is the 49-byte file image (offset = column + 7 * row).
// Only indices 1..6 are used by the game; index 0 is kept so the image matches the file.
struct Grid {
    std::array<std::uint8_t, 49> bytes{};

    static constexpr int offset(int c, int r) { return c + 7 * r; }
    std::uint8_t& at(int c, int r) { return bytes[offset(c, r)]; }
    std::uint8_t at(int c, int r) const { return bytes[offset(c, r)]; }
    void clear() { bytes.fill(0); }
    bool operator==(const Grid&) const = default;
};

// 7 x 7 x 7 elements, offset = column + 7 * row + 49 * value.
template <typename T>
struct Cube {
    std::array<T, 343> items{};

    static constexpr int offset(int c, int r, int v) { return c + 7 * r + 49 * v; }
    T& at(int c, int r, int v) { return items[offset(c, r, v)]; }
    T at(int c, int r, int v) const { return items[offset(c, r, v)]; }
    void clear() { items.fill(T{}); }
    bool operator==(const Cube&) const = default;
};

using Marks = Cube<bool>;              // candidateMarks
using MarkImage = Cube<std::uint8_t>;  // the file image of the marks

inline constexpr const char* kStatusWrong = "Falsche Zahl! ";
inline constexpr const char* kStatusNoErrors = "Keine Fehler! ";
inline constexpr const char* kStatusSolved = "Brett gelöst!!!";

struct BoardModel {
    Grid board;
    Grid givens;
    Marks candidateMarks;
    std::array<std::uint8_t, 7> valueCount{};
    std::array<std::string, 4> levelNames{" Leicht ", " Mittel ", "Schwer ", "Extrem "};

    std::int16_t level = 0;
    bool showDigits = true;
    bool symmetricShuffle = true;
    bool showCandidates = false;
    bool boardSolved = false;
    bool inTrial = false;
    std::string statusText;
};

// The box of cell (x, y) starts at these coordinates.
constexpr int boxLeft(int x) {
    return 3 * ((x - 1) / 3) + 1;
}
constexpr int boxTop(int y) {
    return 2 * ((y - 1) / 2) + 1;
}

// Box order used wherever all boxes are visited: stack by stack, band by band.
inline constexpr std::array<std::array<int, 2>, 6> kBoxOrder{
    {{1, 1}, {1, 3}, {1, 5}, {4, 1}, {4, 3}, {4, 5}}};

// "1".."6" with digits shown, "A".."F" with letters; empty for 0.
std::string symbolText(std::uint8_t value, bool showDigits);

// The level's name; a level out of range, which no menu sets, is shown as the first.
const std::string& levelName(const BoardModel& m);
int countGivens(const BoardModel& m);

}  // namespace zg
