// The menu commands as one table of records, the menu bar built from it and their dispatch.
//
// Adding a command: its number in cmd, its record in menuEntries() (menu.cpp) and the item's
// text on the menu help page (docs/ARCHITECTURE.md, "Adding a command or a form").
// Win_0_MenuEvent switches the bar off around it and ends every command with the idle steps, so a
// record's run does only the command's own steps; one that starts a loop simply calls it (the
// loop runs on pump.next()).
#pragma once

#include <vector>

namespace zg {

struct Program;

namespace cmd {
inline constexpr int kAbout = 1;
inline constexpr int kNewGame = 8;
inline constexpr int kStartGame = 10;
inline constexpr int kOwnBoard = 11;
inline constexpr int kPrintGames = 12;
inline constexpr int kLoadBoard = 20;
inline constexpr int kSaveBoard = 21;
inline constexpr int kSolve = 22;
inline constexpr int kShuffle = 24;
inline constexpr int kRestart = 25;
inline constexpr int kClear = 26;
inline constexpr int kPrintBoard = 27;
inline constexpr int kEasy = 30;
inline constexpr int kMedium = 31;
inline constexpr int kHard = 32;
inline constexpr int kExtreme = 33;
inline constexpr int kDigits = 40;
inline constexpr int kLetters = 41;
inline constexpr int kCandidates = 44;
inline constexpr int kSymmetry = 45;
inline constexpr int kHallOfFame = 50;
inline constexpr int kInstructions = 60;
inline constexpr int kExit = 99;
}  // namespace cmd

// Flags of a menu entry.
inline constexpr unsigned kAsksForCell = 1;  // the help line asks for a cell while it runs
inline constexpr unsigned kCheckable = 2;    // shows a check mark (updateMenuChecks)
inline constexpr unsigned kLineBefore = 4;   // a separator above it in its popup

// One command: the bar shows the records in their order, a popup for each run of records with
// the same popup title.
struct MenuEntry {
    int command = 0;
    const char* popup = "";  // the title of its popup on the bar
    const char* text = "";   // "&" marks the accelerator letter
    unsigned flags = 0;
    void (*run)(Program&) = nullptr;  // the command's own steps
};
const std::vector<MenuEntry>& menuEntries();
// Whether command's entry has flag.
bool commandHas(int command, unsigned flag);

// Builds the bar from the records and attaches it to the main window. Throws
// std::runtime_error, and keeps no half-built bar, when the toolkit cannot make a popup.
void buildMenuBar(Program& p);
// Check marks from level, showDigits, showCandidates and symmetricShuffle.
void updateMenuChecks(Program& p);

// The menu event handler: runs the command completely, then the idle steps.
void Win_0_MenuEvent(Program& p, int command);
// The command itself, without the handler's steps around it.
void runCommand(Program& p, int command);

}  // namespace zg
