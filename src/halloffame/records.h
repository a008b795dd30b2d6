// The hall of fame: the ten fastest times per level and the file "Champions.Rhm".
#pragma once

#include <array>
#include <string>

#include "files/file_io.h"

namespace zg {

inline constexpr const char* kHallOfFameFile = "Champions.Rhm";
inline constexpr const char* kEmptyTime = "9";
inline constexpr std::size_t kMaxLine = 1000;

struct HallOfFame {
    // [level 0..3][place 0..10]; place 0 is never used. Texts are UTF-8 in memory.
    std::array<std::array<std::string, 11>, 4> fameNames;
    std::array<std::array<std::string, 11>, 4> fameDates;
    std::array<std::array<std::string, 11>, 4> fameTimes;
    std::string championName;
    bool championAccepted = false;
    std::string fileName = kHallOfFameFile;
    // errno of the last read when the file is there but could not be read: the lists are then
    // not the file's, and the file is never written over until a read succeeds. 0 otherwise.
    int readError = 0;
};

// What checkNewRecord needs from the GUI.
class RecordUi {
  public:
    virtual ~RecordUi() = default;
    // The champ form: on accept sets championAccepted and championName.
    virtual void askChampionName(HallOfFame& hall) = 0;
    // The ruhm form, opened on the tab of level.
    virtual void showHallOfFame(HallOfFame& hall, int level) = 0;
    // Today's date as "dd.MM.yyyy".
    virtual std::string today() = 0;
    // A save failed: tell the player (German text naming the file).
    virtual void reportError(const std::string& message) = 0;
};

// Times compare as texts by character code; a prefix sorts first.
bool timeBefore(const std::string& a, const std::string& b);

void resetHallOfFame(HallOfFame& hall);
// Empties the ten places of level in the file as it is now (read again under the folder lock,
// so another copy's records stay) and saves it; the lists then hold the file.
WriteResult clearLevel(HallOfFame& hall, int level, FileIo& io);
// Missing file: all empty. Short file: the missing entries are empty. CR LF, LF or CR endings.
// Lines longer than kMaxLine bytes are cut. A file that is there but cannot be read sets
// readError and leaves the lists (empty when nothing was read before); the German message for
// it is returned, else an empty text.
std::string loadHallOfFame(HallOfFame& hall, FileIo& io);
// The message for a hall of fame whose file could not be read (readError).
std::string unreadHallOfFameText(const HallOfFame& hall);
// 120 lines, CR LF, Windows-1252, replaced atomically; refused while readError is set.
WriteResult saveHallOfFame(const HallOfFame& hall, FileIo& io);

// After a solved timed game: a place for finalTime in the list of level, the name prompt,
// then the accepted entry ranked into the file as it is now (under the folder lock, so a
// record of another copy of the game stays) or the file re-read, and the hall of fame shown.
void checkNewRecord(HallOfFame& hall, int level, const std::string& finalTime, RecordUi& ui,
                    FileIo& io);

// Windows-1252 <-> UTF-8. A letter Windows-1252 lacks becomes its base letter (Ł → L), other
// characters "?"; line breaks become blanks, so every text is written as one line.
std::string utf8ToCp1252(const std::string& text);
std::string cp1252ToUtf8(const std::string& text);
// text as a line of "Champions.Rhm" reads back: in Windows-1252, cut to kMaxLine bytes.
std::string asStored(const std::string& text);

}  // namespace zg
