#include "files/board_file.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace zg {

namespace {

void appendFiller(std::vector<unsigned char>& out, Random& random) {
    for (int i = kRecordImageSize; i < kRecordSize; ++i)
        out.push_back(static_cast<unsigned char>(random(6) + 1));
}

// Values outside 0..6, or a given that the board does not show, are never written by the game.
bool validRecord(const unsigned char* record) {
    for (int i = 0; i < 98; ++i)
        if (record[i] > 6) return false;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            int at = Grid::offset(c, r);
            if (record[49 + at] != 0 && record[at] != record[49 + at]) return false;
        }
    return true;
}

}  // namespace

const char* collectionFile(int level) {
    static constexpr const char* kNames[4] = {"leicht.zgb", "mittel.zgb", "schwer.zgb",
                                              "extrem.zgb"};
    return level >= 0 && level < 4 ? kNames[level] : kNames[0];
}

LoadResult loadBoardSlot(BoardFiles& files, BoardModel& m, ClockState& clock, FileIo& io,
                         int slot) {
    clock.clockRunning = false;
    if (slot < 0 || slot >= kRecordCount) return LoadResult::damaged;
    std::vector<unsigned char> bytes;
    // Only the records up to the wanted one matter; a huge file is not read whole.
    const std::size_t need = static_cast<std::size_t>(kRecordSize) * (slot + 1);
    switch (io.readAll(files.boardFileName, bytes, need)) {
        case ReadStatus::missing:
            return LoadResult::missing;
        case ReadStatus::error:
            return LoadResult::unreadable;
        case ReadStatus::ok:
            break;
    }
    const std::size_t start = static_cast<std::size_t>(kRecordSize) * slot;
    if (bytes.size() < start + kRecordImageSize) return LoadResult::damaged;
    const unsigned char* record = bytes.data() + start;
    if (!validRecord(record)) return LoadResult::damaged;

    for (int i = 0; i < 49; ++i) m.board.bytes[i] = record[i];
    for (int i = 0; i < 49; ++i) m.givens.bytes[i] = record[49 + i];
    MarkImage markBytes;
    for (int i = 0; i < 343; ++i) markBytes.items[i] = record[98 + i];
    m.candidateMarks.clear();
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            for (int v = 1; v <= 6; ++v) m.candidateMarks.at(c, r, v) = markBytes.at(c, r, v) != 0;
    return LoadResult::loaded;
}

std::vector<unsigned char> boardRecord(const BoardModel& m, Random& random) {
    std::vector<unsigned char> record;
    record.reserve(kRecordSize);
    record.insert(record.end(), m.board.bytes.begin(), m.board.bytes.end());
    record.insert(record.end(), m.givens.bytes.begin(), m.givens.bytes.end());
    MarkImage markBytes;  // index 0 of any coordinate stays 0
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            for (int v = 1; v <= 6; ++v)
                markBytes.at(c, r, v) = m.candidateMarks.at(c, r, v) ? 0xFF : 0x00;
    record.insert(record.end(), markBytes.items.begin(), markBytes.items.end());
    appendFiller(record, random);
    return record;
}

std::string loadErrorText(const std::string& path, int error) {
    return readFailureText(path, error, "Das Brett bleibt, wie es war.");
}

WriteResult saveBoardSlot(BoardFiles& files, const BoardModel& m, Random& random, FileIo& io,
                          int slot, bool renewDamaged) {
    if (slot < 0 || slot >= kRecordCount) return {false, "Ungültiger Speicherplatz."};
    const std::string& path = files.boardFileName;
    // Another copy of the game saving into the same file waits, so neither loses a place.
    FolderLock lock(io, path);
    if (!lock.held()) return {false, lockErrorText(path, errno)};
    std::vector<unsigned char> bytes;
    // One byte more than a valid file tells a longer file from a valid one.
    ReadStatus status = io.readAll(path, bytes, kBoardFileSize + 1);
    if (status == ReadStatus::error) return {false, readErrorText(path, errno)};
    if (status == ReadStatus::ok && !bytes.empty() && bytes.size() != kBoardFileSize &&
        !renewDamaged) {
        const std::string size =
            bytes.size() > kBoardFileSize
                ? "mehr als " + std::to_string(kBoardFileSize)
                : std::to_string(bytes.size()) + " statt " + std::to_string(kBoardFileSize);
        return {false,
                "Die Datei „" + baseName(path) + "“ ist beschädigt: sie hat " + size +
                    " Bytes. „Ersetzen“ legt eine neue Datei an. Alle vier bisherigen Plätze "
                    "gehen dabei verloren, das Brett kommt auf den gewählten Platz. „Behalten“ "
                    "lässt die Datei, wie sie ist, und speichert nichts.",
                true};
    }
    if (status == ReadStatus::missing || bytes.size() != kBoardFileSize) {
        // Any other length: four fresh records, the old contents are given up.
        bytes.clear();
        for (int s = 0; s < kRecordCount; ++s) {
            bytes.insert(bytes.end(), kRecordImageSize, 0);
            appendFiller(bytes, random);
        }
    }
    const std::vector<unsigned char> record = boardRecord(m, random);
    std::copy(record.begin(), record.end(), bytes.begin() + kRecordSize * slot);
    return replaceFile(io, path, bytes);
}

}  // namespace zg
