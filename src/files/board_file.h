// Board files: exactly 4000 bytes, four records of 1000 bytes.
#pragma once

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/random.h"
#include "files/file_io.h"

namespace zg {

inline constexpr int kRecordSize = 1000;
inline constexpr int kRecordCount = 4;
inline constexpr int kBoardFileSize = kRecordSize * kRecordCount;
inline constexpr int kRecordImageSize = 49 + 49 + 343;  // the filler follows

inline constexpr const char* kPlayerBoardFile = "brett.zgb";
inline constexpr const char* kEditorBoardFile = "brett.sud";
// The collection of each level, 0..3.
const char* collectionFile(int level);

struct BoardFiles {
    std::string boardFileName;
};

enum class LoadResult {
    loaded,
    missing,    // no such file: nothing changed
    damaged,    // record past the end of the file, or a value outside 0..6: nothing changed
    unreadable  // the file exists but could not be read: nothing changed
};

// Reads record slot (0..3) of files.boardFileName into board, givens and candidateMarks.
// Clears clockRunning first, whatever follows.
LoadResult loadBoardSlot(BoardFiles& files, BoardModel& m, ClockState& clock, FileIo& io, int slot);

// Writes board, givens and candidateMarks into record slot of files.boardFileName, keeping the
// other three records, under the folder lock. A file of another length is rewritten as four
// fresh records only with renewDamaged; without it nothing is written and the result is
// damaged, its message the German question to ask first.
WriteResult saveBoardSlot(BoardFiles& files, const BoardModel& m, Random& random, FileIo& io,
                          int slot, bool renewDamaged = false);

// One 1000-byte record of m: the three images and fresh filler.
std::vector<unsigned char> boardRecord(const BoardModel& m, Random& random);

// "Die Datei "name" konnte nicht gelesen werden: reason. Das Brett bleibt, wie es war."
std::string loadErrorText(const std::string& path, int error);

}  // namespace zg
