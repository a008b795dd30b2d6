// The menu bar, built from its text table, and the dispatch of menu commands.
//
// Adding a command: a number in cmd, a row in menuEntries, a case in runCommand and the item's
// text on the menu help page (docs/ARCHITECTURE.md, "Adding a command or a form").
// Win_0_MenuEvent switches the bar off around it and ends every command with the idle steps, so a
// case only does its own steps; a case that starts a loop simply calls it (the loop runs on
// pump.next()).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/window.h"

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

// The menu in the order the builder reads it: a popup title, its entries, "-" a separator,
// "" the end of a popup (and a second "" the end of the bar). command 0: not a command.
struct MenuEntry {
    int command = 0;
    const char* text = "";
    unsigned flags = 0;
};
const std::vector<MenuEntry>& menuEntries();
// The text table made from it ("8:&Neues Spiel"), in the same order.
const std::vector<std::string>& menuTextTable();
// Whether command's entry has flag.
bool commandHas(int command, unsigned flag);

// Builds the bar from the table and attaches it to the main window. Throws
// std::runtime_error when a popup cannot be built.
void buildMenuBar(Program& p);
// One popup from the entries after pos (advanced past its closing ""); nullptr on failure.
MenuBar::Handle buildPopup(Program& p, const std::vector<std::string>& table, std::size_t& pos);
// Check marks from level, showDigits, showCandidates and symmetricShuffle.
void updateMenuChecks(Program& p);

// The menu event handler: runs the command completely, then the idle steps.
void Win_0_MenuEvent(Program& p, int command);
// The command itself, without the handler's steps around it.
void runCommand(Program& p, int command);

}  // namespace zg
