// Boards as puzzle lines (36 characters row by row, '0' or '.' empty), the collections, CR LF.
#pragma once

#include <filesystem>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/puzzle_line.h"
#include "files/board_file.h"
#include "halloffame/records.h"
#ifdef _WIN32
#include "platform/win32/win32_file_io.h"
#endif

namespace zg::test {

// The real files of the system the tests run on.
#ifdef _WIN32
using RealFileIo = Win32FileIo;
#else
using RealFileIo = PosixFileIo;
#endif

// A solved board, and a puzzle of it that the solver's passes finish without guessing.
inline constexpr const char* kSolvedLine = "123456456123231564564231312645645312";
inline constexpr const char* kSinglesLine = "103050450100030504064001302040040302";

inline Cells cellsFromLine(std::string_view line) {
    PuzzleLine p = parsePuzzleLine(line);
    if (!p.ok) throw std::invalid_argument("not a puzzle line: " + std::string(line));
    return p.cells;
}

// The value of (c, r), both from 1, in a puzzle line.
inline int valueAt(std::string_view line, int c, int r) {
    return cellsFromLine(line)[static_cast<std::size_t>(6 * (r - 1) + c - 1)];
}

// line with the listed cells (c, r) emptied.
inline std::string withOpen(std::string_view line, const std::vector<std::pair<int, int>>& open) {
    std::string s(line);
    for (auto [c, r] : open) s[static_cast<std::size_t>(6 * (r - 1) + c - 1)] = '0';
    return s;
}

// givens as board and givens; entries, when given, are the player's values in the empty cells.
inline BoardModel boardFromLine(std::string_view givens, std::string_view entries = {}) {
    BoardModel m;
    putCells(m.givens, cellsFromLine(givens));
    m.board = m.givens;
    if (!entries.empty()) putCells(m.board, cellsFromLine(entries));
    for (std::size_t i = 0; i < m.board.bytes.size(); ++i)
        if (m.givens.bytes[i] != 0) m.board.bytes[i] = m.givens.bytes[i];
    return m;
}

// Puts givens (and entries) on m's board without marks, keeping the rest of m.
inline void setBoard(BoardModel& m, std::string_view givens, std::string_view entries = {}) {
    const BoardModel b = boardFromLine(givens, entries);
    m.board = b.board;
    m.givens = b.givens;
    m.candidateMarks.clear();
}

inline std::string lineOf(const Grid& g) {
    return cellsText(cellsOf(g));
}

inline std::vector<unsigned char> readDataFile(const std::string& name) {
    RealFileIo io;
    std::vector<unsigned char> bytes;
    if (io.readAll(ZG_SOURCE_DIR "/data/" + name, bytes) != ReadStatus::ok)
        throw std::runtime_error("cannot read " + name);
    return bytes;
}

// A path of this run's own in the temporary folder: runs side by side never share a folder.
inline std::filesystem::path freshTempPath(const std::string& prefix) {
    return std::filesystem::temp_directory_path() /
           (prefix + std::to_string(std::random_device{}()));
}

// Record slot of the collection of level, as the game loads it.
inline BoardModel collectionBoard(int level, int slot) {
    BoardFiles files{ZG_SOURCE_DIR "/data/" + std::string(collectionFile(level))};
    RealFileIo io;
    BoardModel m;
    ClockState clock;
    if (loadBoardSlot(files, m, clock, io, slot) != LoadResult::loaded)
        throw std::runtime_error("cannot load " + files.boardFileName);
    return m;
}

// Text after the last CR LF is a line too.
inline std::vector<std::string> splitCrLf(const std::vector<unsigned char>& bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string_view::npos; at = end + 2)
        lines.emplace_back(text.substr(at, end - at));
    if (at < text.size()) lines.emplace_back(text.substr(at));
    return lines;
}

// checkNewRecord's player: types a name and accepts, or cancels; keeps what it was shown.
struct ScriptedUi : RecordUi {
    bool accept = true;
    std::string typed = "Anna";
    int asked = 0, shown = 0, shownLevel = -1;
    std::vector<std::string> errors;
    void askChampionName(HallOfFame& hall) override {
        ++asked;
        if (accept) hall.championAccepted = true, hall.championName = typed;
    }
    void showHallOfFame(HallOfFame&, int level) override { ++shown, shownLevel = level; }
    std::string today() override { return "07.12.2026"; }
    void reportError(const std::string& message) override { errors.push_back(message); }
};

// The names of level, place 1 to 10, each followed by a blank.
inline std::string namesOf(const HallOfFame& hall, int level) {
    std::string listed;
    for (int place = 1; place <= 10; ++place) listed += hall.fameNames[level][place] + " ";
    return listed;
}

}  // namespace zg::test

namespace zg {
// A failing comparison prints a board as its puzzle line and marks as "column,row:values".
inline void PrintTo(const Grid& g, std::ostream* os) {
    *os << test::lineOf(g);
}
inline void PrintTo(const Marks& m, std::ostream* os) {
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c)
            for (int v = 1; v <= 6; ++v)
                if (m.at(c, r, v)) *os << ' ' << c << ',' << r << ':' << v;
}
}  // namespace zg
