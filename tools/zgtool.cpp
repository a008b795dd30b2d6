// zgtool: the command-line tool for puzzle authors. It runs the game's own solver and board
// file code, so what it reports is what the game will do with a puzzle.
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/puzzle_line.h"
#include "engine/random.h"
#include "files/board_file.h"
#include "files/file_io.h"
#include "rating.h"
#include "solution_counter.h"

namespace {

using namespace zg;
using namespace zg::tools;

constexpr const char* kUsage =
    "usage: zgtool solve          solve each puzzle line from stdin with the game's solver\n"
    "       zgtool count          count the solutions of each puzzle line (0, 1 or 2+)\n"
    "       zgtool show FILE      print the four records of a board file\n"
    "       zgtool make FILE      write a board file from four puzzle lines on stdin\n"
    "A puzzle line has 36 characters, row by row from the top left: 1-6 a given, 0 or . empty.\n";

// A puzzle line is 36 characters; blanks and a CR may follow. A longer line (an endless one
// from /dev/zero, a binary file) means the input is no file of puzzle lines: it is not read
// into memory.
constexpr std::size_t kLongestLine = 256;

enum class Got { line, end, tooLong };

Got readLine(std::istream& in, std::string& line) {
    line.clear();
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') return Got::line;
        if (line.size() == kLongestLine) return Got::tooLong;
        line += static_cast<char>(c);
    }
    return line.empty() ? Got::end : Got::line;
}

std::string tooLongText(int number) {
    return "line " + std::to_string(number) + " is longer than " + std::to_string(kLongestLine) +
           " characters: not a file of puzzle lines";
}

// Calls each for every non-blank line of in; prints "error: ..." for a malformed one and stops
// at a line too long to be one. Returns 1 when any line was malformed.
template <typename Each>
int forEachPuzzle(std::istream& in, std::ostream& out, Each each) {
    int status = 0;
    std::string line;
    for (int number = 1;; ++number) {
        const Got got = readLine(in, line);
        if (got == Got::end) break;
        if (got == Got::tooLong) {
            out << "error: " << tooLongText(number) << '\n';
            return 1;
        }
        PuzzleLine p = parsePuzzleLine(line);
        if (p.blank) continue;
        if (!p.ok) {
            out << "error: " << p.error << '\n';
            status = 1;
            continue;
        }
        each(p.cells);
    }
    return status;
}

const char* outcomeWord(Outcome o) {
    switch (o) {
        case Outcome::solved:
            return "solved";
        case Outcome::conflict:
            return "conflict";
        case Outcome::open:
            return "open";
    }
    return "";
}

int solve(std::istream& in, std::ostream& out) {
    return forEachPuzzle(in, out, [&](const Cells& cells) {
        GameSolve g = runGameSolver(cells);
        out << cellsText(g.board) << ' ' << outcomeWord(g.outcome) << ' '
            << (g.raisedLevel ? "extrem" : "logic") << '\n';
    });
}

int count(std::istream& in, std::ostream& out) {
    return forEachPuzzle(in, out, [&](const Cells& cells) {
        int n = countSolutions(cells);
        out << (n >= 2 ? "2+" : std::to_string(n)) << '\n';
    });
}

// Givens in brackets, other values plain, empty cells as dots; boxes framed.
void printRecord(std::ostream& out, int slot, const BoardModel& m) {
    int givens = 0, entries = 0, marks = 0;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            if (m.givens.at(c, r) != 0)
                ++givens;
            else if (m.board.at(c, r) != 0)
                ++entries;
            for (int v = 1; v <= 6; ++v) marks += m.candidateMarks.at(c, r, v);
        }
    out << "record " << slot << ": " << givens << " givens, " << entries << " entries, " << marks
        << " marks\n";
    const char* rule = "+---------+---------+\n";
    for (int r = 1; r <= 6; ++r) {
        if (r % 2 == 1) out << rule;
        for (int c = 1; c <= 6; ++c) {
            if (c == 1 || c == 4) out << '|';
            char digit = static_cast<char>('0' + m.board.at(c, r));
            if (m.givens.at(c, r) != 0)
                out << '[' << static_cast<char>('0' + m.givens.at(c, r)) << ']';
            else if (m.board.at(c, r) != 0)
                out << ' ' << digit << ' ';
            else
                out << " . ";
        }
        out << "|\n";
    }
    out << rule << "givens " << cellsText(cellsOf(m.givens)) << "\n\n";
}

int show(const std::string& path, std::ostream& out, std::ostream& err) {
    PosixFileIo io;
    std::vector<unsigned char> bytes;
    ReadStatus rs = io.readAll(path, bytes, kBoardFileSize + 1);
    if (rs == ReadStatus::missing) {
        err << "zgtool: " << path << ": no such file\n";
        return 1;
    }
    if (rs != ReadStatus::ok) {
        const int error = errno;
        err << "zgtool: " << path << ": cannot be read ("
            << (error == EINVAL ? "not a regular file" : std::strerror(error)) << ")\n";
        return 1;
    }
    if (bytes.size() != static_cast<std::size_t>(kBoardFileSize)) {
        err << "zgtool: " << path << ": not a board file (";
        if (bytes.size() > static_cast<std::size_t>(kBoardFileSize))
            err << "more than " << kBoardFileSize;
        else
            err << bytes.size();
        err << " bytes, a board file has exactly " << kBoardFileSize << ")\n";
        return 1;
    }
    int status = 0;
    BoardFiles files{path};
    for (int slot = 0; slot < kRecordCount; ++slot) {
        BoardModel m;
        ClockState clock;
        if (loadBoardSlot(files, m, clock, io, slot) != LoadResult::loaded) {
            err << "zgtool: " << path << ": record " << slot << " holds values outside 0-6\n";
            status = 1;
            continue;
        }
        printRecord(out, slot, m);
    }
    return status;
}

int make(const std::string& path, std::istream& in, std::ostream& err) {
    std::vector<Cells> puzzles;
    bool bad = false;
    int lines = 0;  // not blank
    std::size_t blanks = 0;
    std::string line;
    for (int number = 1;; ++number) {
        const Got got = readLine(in, line);
        if (got == Got::end) break;
        if (got == Got::tooLong) {
            err << "zgtool: " << tooLongText(number) << '\n';
            bad = true;
            break;
        }
        PuzzleLine p = parsePuzzleLine(line);
        // An endless stream of blank lines is no file of puzzle lines either.
        if (p.blank && ++blanks > kLongestLine) {
            err << "zgtool: more than " << kLongestLine
                << " blank lines: not a file of puzzle lines\n";
            bad = true;
            break;
        }
        if (p.blank) continue;
        if (++lines > kRecordCount) break;  // too many: refused below, the rest not read
        std::string problem = p.ok ? describeClash(p.cells) : p.error;
        if (problem.empty() && countSolutions(p.cells) == 0) problem = "no solution";
        if (!problem.empty()) {
            err << "zgtool: line " << number << ": " << problem << '\n';
            bad = true;
            continue;
        }
        if (countSolutions(p.cells) > 1)
            err << "zgtool: line " << number << ": warning: more than one solution\n";
        puzzles.push_back(p.cells);
    }
    if (!bad &&
        (lines > kRecordCount || puzzles.size() != static_cast<std::size_t>(kRecordCount))) {
        err << "zgtool: a board file takes exactly " << kRecordCount << " puzzles, got "
            << (lines > kRecordCount ? "more" : std::to_string(puzzles.size())) << '\n';
        bad = true;
    }
    if (bad) {
        err << "zgtool: " << path << " not written\n";
        return 1;
    }
    // Written as the game saves: a temporary file of a name of its own beside the target,
    // renamed over it; a file the game would not replace (read-only, a FIFO) is refused.
    SeededRandom filler(0);  // the same puzzles always give the same file
    // The draws of the four fresh records that a save into a new file makes first, which
    // the stored collections were made with.
    for (int i = 0; i < kRecordCount * (kRecordSize - kRecordImageSize); ++i) filler(6);
    std::vector<unsigned char> bytes;
    for (const Cells& puzzle : puzzles) {
        BoardModel m;
        putCells(m.board, puzzle);
        m.givens = m.board;
        const std::vector<unsigned char> record = boardRecord(m, filler);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    PosixFileIo io;
    FolderLock lock(io, path);
    const WriteResult w =
        lock.held() ? replaceFile(io, path, bytes) : WriteResult{false, lockErrorText(path, errno)};
    if (!w.ok) {
        err << "zgtool: " << w.message << "\nzgtool: " << path << " not written\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "solve") return solve(std::cin, std::cout);
    if (args.size() == 1 && args[0] == "count") return count(std::cin, std::cout);
    if (args.size() == 2 && args[0] == "show") return show(args[1], std::cout, std::cerr);
    if (args.size() == 2 && args[0] == "make") return make(args[1], std::cin, std::cerr);
    std::cerr << kUsage;
    return 2;
}
