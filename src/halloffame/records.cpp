#include "halloffame/records.h"

#include <cerrno>
#include <cstdint>
#include <functional>
#include <vector>

namespace zg {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned codes map to the C1 controls, as Windows does,
// so that every byte survives a read and a write.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The base letter (in Windows-1252) of U+0100..U+024F, '?' for none: the letter without its
// accents, else the letter its Unicode name is built on (L for L with stroke). Made from the
// Unicode data; the characters Windows-1252 has are found before this table is looked at.
constexpr char32_t kBaseFirst = 0x100;
constexpr char kBase[] =
    "AaAaAaCcCcCcCcDd"                                // U+0100
    "DdEeEeEeEeEeGgGg"                                // U+0110
    "GgGgHhHhIiIiIiIi"                                // U+0120
    "Ii??JjKk?LlLlLlL"                                // U+0130
    "lLlNnNnNnn??OoOo"                                // U+0140
    "Oo??RrRrRrSsSsSs"                                // U+0150
    "??TtTtTtUuUuUuUu"                                // U+0160
    "UuUuWwYy?ZzZz??s"                                // U+0170
    "bBBb???Cc?DDd???"                                // U+0180
    "?F?G???IKkl??NnO"                                // U+0190
    "Oo??Pp?????tTtTU"                                // U+01A0
    "u?VYyZz?????????"                                // U+01B0
    "?????????????AaI"                                // U+01C0
    "iOoUu\xDC\xFC\xDC\xFC\xDC\xFC\xDC\xFC?\xC4\xE4"  // U+01D0
    "Aa\xC6\xE6GgGgKkOoOo??"                          // U+01E0
    "j???Gg??Nn\xC5\xE5\xC6\xE6\xD8\xF8"              // U+01F0
    "AaAaEeEeIiIiOoOo"                                // U+0200
    "RrRrUuUuSsTt??Hh"                                // U+0210
    "Nd??ZzAaEe\xD6\xF6\xD5\xF5Oo"                    // U+0220
    "OoYylntj??ACcLTs"                                // U+0230
    "z??BU?EeJj?qRrYy"                                // U+0240
    ;
static_assert(sizeof kBase - 1 == 0x250 - kBaseFirst);
// Ligatures and digraphs stay two letters.
constexpr struct {
    char32_t c;
    const char* letters;
} kTwoLetters[] = {{0x132, "IJ"},    {0x133, "ij"}, {0x1C4, "D\x8E"}, {0x1C5, "D\x9E"},
                   {0x1C6, "d\x9E"}, {0x1C7, "LJ"}, {0x1C8, "Lj"},    {0x1C9, "lj"},
                   {0x1CA, "NJ"},    {0x1CB, "Nj"}, {0x1CC, "nj"},    {0x1F1, "DZ"},
                   {0x1F2, "Dz"},    {0x1F3, "dz"}};

// Windows-1252 text for a character it lacks.
std::string baseLetters(char32_t c) {
    for (const auto& t : kTwoLetters)
        if (t.c == c) return t.letters;
    if (c >= kBaseFirst && c - kBaseFirst < sizeof kBase - 1) return {kBase[c - kBaseFirst]};
    return "?";
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int cp1252Of(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 sequence at text[i]; a malformed one yields U+FFFD and skips one byte.
char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b = byte(i);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        unsigned char cont = byte(i + k);
        if ((cont & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (cont & 0x3F);
    }
    i += length;
    return c;
}

std::vector<std::string> splitLines(const std::vector<unsigned char>& bytes, std::size_t count) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size() && lines.size() < count; ++i) {
        unsigned char b = bytes[i];
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.push_back(cp1252ToUtf8(line));
            line.clear();
            open = false;
            continue;
        }
        if (line.size() < kMaxLine) line += static_cast<char>(b);
        open = true;
    }
    if (open && lines.size() < count) lines.push_back(cp1252ToUtf8(line));
    return lines;
}

void setEmpty(HallOfFame& hall, int level, int place) {
    hall.fameNames[level][place].clear();
    hall.fameDates[level][place].clear();
    hall.fameTimes[level][place].assign(1, kEmptyTime[0]);  // assign(const char*) trips GCC 12
}

}  // namespace

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    for (unsigned char b : text) appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b);
    return out;
}

std::string utf8ToCp1252(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = nextCodePoint(text, i);
        if (c == '\r' || c == '\n' || c == 0x2028 || c == 0x2029 || c == 0x85) {
            out += ' ';
            continue;
        }
        int code = cp1252Of(c);
        if (code < 0)
            out += baseLetters(c);
        else
            out += static_cast<char>(code);
    }
    return out;
}

std::string asStored(const std::string& text) {
    std::string line = utf8ToCp1252(text);
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    return cp1252ToUtf8(line);
}

bool timeBefore(const std::string& a, const std::string& b) {
    return a.compare(b) < 0;
}

void resetHallOfFame(HallOfFame& hall) {
    for (int level = 0; level < 4; ++level)
        for (int place = 1; place <= 10; ++place) setEmpty(hall, level, place);
}

namespace {

// The file's entries into the lists; a missing file gives empty lists. On an error nothing
// changes.
ReadStatus readLists(HallOfFame& hall, FileIo& io) {
    std::vector<unsigned char> bytes;
    // 120 lines of at most kMaxLine bytes each. A longer file is no list the game wrote: were
    // it taken in part, the next record would write the rest of it away.
    constexpr std::size_t kLongest = 120 * (kMaxLine + 2);
    const ReadStatus status = io.readAll(hall.fileName, bytes, kLongest + 1);
    if (status == ReadStatus::error) return status;
    if (bytes.size() > kLongest) {
        errno = EFBIG;
        return ReadStatus::error;
    }
    if (status == ReadStatus::missing) {
        resetHallOfFame(hall);
        return status;
    }
    std::vector<std::string> lines = splitLines(bytes, 120);
    std::size_t next = 0;
    for (int level = 0; level < 4; ++level) {
        for (int place = 1; place <= 10; ++place) {
            if (next + 3 > lines.size()) {
                setEmpty(hall, level, place);
                continue;
            }
            hall.fameNames[level][place] = lines[next++];
            hall.fameDates[level][place] = lines[next++];
            hall.fameTimes[level][place] = lines[next++];
        }
    }
    return status;
}

// The entry at the place its time earns in level; nothing when it is slower than all ten.
void rankEntry(HallOfFame& hall, int level, const std::string& name, const std::string& date,
               const std::string& time) {
    for (int i = 1; i <= 10; ++i) {
        if (!timeBefore(time, hall.fameTimes[level][i])) continue;
        for (int j = 9; j >= i; --j) {
            hall.fameNames[level][j + 1] = hall.fameNames[level][j];
            hall.fameDates[level][j + 1] = hall.fameDates[level][j];
            hall.fameTimes[level][j + 1] = hall.fameTimes[level][j];
        }
        hall.fameNames[level][i] = name;
        hall.fameDates[level][i] = date;
        hall.fameTimes[level][i] = time;
        return;
    }
}

// Read again, changed and written under the folder lock: what another copy of the game wrote
// since this one read the file stays. The lists then hold the file as written; after a failure
// they stay as they were.
WriteResult updateHallOfFame(HallOfFame& hall, FileIo& io,
                             const std::function<void(HallOfFame&)>& change) {
    FolderLock lock(io, hall.fileName);
    if (!lock.held()) return {false, lockErrorText(hall.fileName, errno)};
    HallOfFame fresh = hall;
    if (readLists(fresh, io) == ReadStatus::error) {
        hall.readError = errno;
        return {false, readErrorText(hall.fileName, hall.readError)};
    }
    fresh.readError = 0;
    change(fresh);
    const WriteResult saved = saveHallOfFame(fresh, io);
    if (saved.ok) hall = fresh;
    return saved;
}

}  // namespace

std::string unreadHallOfFameText(const HallOfFame& hall) {
    return readFailureText(
        hall.fileName, hall.readError,
        "Neue Rekorde werden erst wieder gespeichert, wenn die Datei lesbar ist.");
}

std::string loadHallOfFame(HallOfFame& hall, FileIo& io) {
    if (readLists(hall, io) != ReadStatus::error) {
        hall.readError = 0;
        return {};
    }
    hall.readError = errno;
    // Nothing read yet (a time is never an empty text once the lists are set): empty lists,
    // which are still not the file's.
    if (hall.fameTimes[0][1].empty()) resetHallOfFame(hall);
    return unreadHallOfFameText(hall);
}

WriteResult saveHallOfFame(const HallOfFame& hall, FileIo& io) {
    if (hall.readError != 0) return {false, readErrorText(hall.fileName, hall.readError)};
    std::string text;
    auto line = [&](const std::string& s) {
        text += utf8ToCp1252(s);
        text += "\r\n";
    };
    for (int level = 0; level < 4; ++level) {
        for (int place = 1; place <= 10; ++place) {
            line(hall.fameNames[level][place]);
            line(hall.fameDates[level][place]);
            line(hall.fameTimes[level][place]);
        }
    }
    return replaceFile(io, hall.fileName, std::vector<unsigned char>(text.begin(), text.end()));
}

WriteResult clearLevel(HallOfFame& hall, int level, FileIo& io) {
    if (level < 0 || level > 3) return {};
    return updateHallOfFame(hall, io, [level](HallOfFame& h) {
        for (int place = 1; place <= 10; ++place) setEmpty(h, level, place);
    });
}

void checkNewRecord(HallOfFame& hall, int level, const std::string& finalTime, RecordUi& ui,
                    FileIo& io) {
    if (level < 0 || level > 3) level = 0;
    hall.championAccepted = false;
    const HallOfFame before = hall;
    std::string name, date;
    for (int i = 1; i <= 10; ++i) {
        if (!timeBefore(finalTime, hall.fameTimes[level][i])) continue;
        ui.askChampionName(hall);
        // The list holds what the file will give back, so it reads the same after a restart.
        name = asStored(hall.championName);
        date = ui.today();
        rankEntry(hall, level, name, date, finalTime);
        break;
    }
    std::string problem;
    if (hall.championAccepted) {
        problem = updateHallOfFame(hall, io, [&](HallOfFame& h) {
                      rankEntry(h, level, name, date, finalTime);
                  }).message;
    } else {
        problem = loadHallOfFame(hall, io);
        // Said once: a file that could not be read before has been reported already.
        if (before.readError != 0) problem.clear();
    }
    if (hall.readError != 0 || !problem.empty()) {
        // The entry just made is in no file: the lists as they were, which the file holds.
        const int error = hall.readError;
        const std::string champion = hall.championName;
        const bool accepted = hall.championAccepted;
        hall = before;
        hall.readError = error;
        hall.championName = champion;
        hall.championAccepted = accepted;
    }
    if (!problem.empty()) ui.reportError(problem);
    ui.showHallOfFame(hall, level);
}

}  // namespace zg
