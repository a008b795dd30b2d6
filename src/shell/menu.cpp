#include "shell/menu.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "forms/about.h"
#include "forms/fame_forms.h"
#include "forms/help.h"
#include "forms/slot_dialog.h"
#include "game/board_ops.h"
#include "game/program.h"
#include "panels/panels.h"
#include "play/game_boundary.h"
#include "play/loops.h"
#include "play/new_game.h"
#include "play/redraw.h"
#include "printing/printing.h"
#include "shell/exit.h"

namespace zg {

namespace {

constexpr const char* kGame = "&Zahlgarten";
constexpr const char* kOptions = "&Optionen";
constexpr const char* kLevels = "Sch&wierigkeit";
constexpr const char* kHelp = "&Hilfe";

void showDigitsOrLetters(Program& p, bool digits) {
    p.model.showDigits = digits;
    drawBoard(p);
    drawStatisticsPanel(p.canvas(), p.view, p.model, p.screen);
}

}  // namespace

const std::vector<MenuEntry>& menuEntries() {
    using namespace cmd;
    static const std::vector<MenuEntry> entries = {
        {kNewGame, kGame, "&Neues Spiel", kAsksForCell, [](Program& p) { newGame(p); }},
        {kStartGame, kGame, "&Spielstart", kAsksForCell | kLineBefore,
         [](Program& p) { playLoop(p); }},
        {kRestart, kGame, "N&eustart", kAsksForCell,
         [](Program& p) {
             restart(p);
             playLoop(p);
         }},
        {kPrintGames, kGame, "Spieledruck", kLineBefore,
         [](Program& p) {
             printGameSet(p);
             drawBoard(p);
         }},
        {kExit, kGame, "&Beenden", kLineBefore, [](Program& p) { askExit(p); }},

        {kLoadBoard, kOptions, "&lade Brett", kAsksForCell,
         [](Program& p) {
             p.files.boardFileName = kPlayerBoardFile;
             openLoadDialog(p);
             updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
             drawBoard(p);
             playLoop(p);
         }},
        {kSaveBoard, kOptions, "&sichere Brett", kAsksForCell,
         [](Program& p) {
             openSaveDialog(p);
             playLoop(p);
         }},
        {kSolve, kOptions, "&Brett lösen", kAsksForCell | kLineBefore,
         [](Program& p) { solve(p); }},
        {kClear, kOptions, "B&rett löschen", 0, [](Program& p) { clearAll(p); }},
        {kPrintBoard, kOptions, "Brett &drucken", 0, [](Program& p) { printBoard(p); }},
        {kShuffle, kOptions, "Brett &mischen", kAsksForCell,
         [](Program& p) {
             shuffle(p);
             drawBoard(p);
         }},
        {kOwnBoard, kOptions, "&Eigenes Brett", kAsksForCell | kLineBefore,
         [](Program& p) {
             editLoop(p);
             p.play.ownBoardMode = false;
         }},

        // The level is the command's distance from kEasy (updateMenuChecks counts on it).
        {kEasy, kLevels, "&Leicht", kCheckable, [](Program& p) { p.model.level = 0; }},
        {kMedium, kLevels, "&Mittel", kCheckable, [](Program& p) { p.model.level = 1; }},
        {kHard, kLevels, "&Schwer", kCheckable, [](Program& p) { p.model.level = 2; }},
        {kExtreme, kLevels, "&Extrem", kCheckable, [](Program& p) { p.model.level = 3; }},
        {kDigits, kLevels, "&Zahlen", kCheckable | kLineBefore,
         [](Program& p) { showDigitsOrLetters(p, true); }},
        {kLetters, kLevels, "&Buchstaben", kCheckable,
         [](Program& p) { showDigitsOrLetters(p, false); }},
        {kCandidates, kLevels, "Zeige &Kandidaten", kCheckable | kLineBefore,
         [](Program& p) {
             toggleCandidates(p, false);
             drawBoard(p);
         }},
        {kSymmetry, kLevels, "Rätsel-Symmetrie", kCheckable | kLineBefore,
         [](Program& p) { p.model.symmetricShuffle = !p.model.symmetricShuffle; }},
        {kHallOfFame, kLevels, "&Ruhmeshalle", kLineBefore, [](Program& p) { showHallOfFame(p); }},

        {kInstructions, kHelp, "&Anleitung", 0, [](Program& p) { showMenuHelp(p); }},
        {kAbout, kHelp, "über &Zahlgarten...", kLineBefore,
         [](Program& p) {
             openAboutForm(p);
             if (!p.shell.useHtmlHelp) showClassicHelp(p, "Einführung");
         }},
    };
    return entries;
}

namespace {

const MenuEntry* entryOf(int command) {
    for (const MenuEntry& e : menuEntries())
        if (e.command == command) return &e;
    return nullptr;
}

}  // namespace

bool commandHas(int command, unsigned flag) {
    const MenuEntry* e = entryOf(command);
    return e && (e->flags & flag) != 0;
}

void buildMenuBar(Program& p) {
    MenuBar& menu = p.window.menu();
    const std::vector<MenuEntry>& entries = menuEntries();
    menu.begin();
    for (auto e = entries.begin(); e != entries.end();) {
        const std::string_view title = e->popup;
        MenuBar::Handle popup = menu.createPopup();
        if (!popup) {
            menu.discard();
            throw std::runtime_error("menu bar: popup \"" + std::string(title) +
                                     "\" could not be built");
        }
        for (; e != entries.end() && e->popup == title; ++e) {
            if (e->flags & kLineBefore) menu.appendSeparator(popup);
            menu.appendCommand(popup, e->command, e->text);
        }
        menu.appendPopup(nullptr, popup, std::string(title));
    }
    menu.attach();
}

void updateMenuChecks(Program& p) {
    MenuBar& menu = p.window.menu();
    for (const MenuEntry& e : menuEntries())
        if (e.flags & kCheckable) menu.setChecked(e.command, false);
    menu.setChecked(cmd::kEasy + p.model.level, true);
    menu.setChecked(p.model.showDigits ? cmd::kDigits : cmd::kLetters, true);
    if (p.model.showCandidates) menu.setChecked(cmd::kCandidates, true);
    if (p.model.symmetricShuffle) menu.setChecked(cmd::kSymmetry, true);
}

void runCommand(Program& p, int command) {
    if (const MenuEntry* e = entryOf(command)) e->run(p);
}

void Win_0_MenuEvent(Program& p, int command) {
    // A command never starts while another runs, even if a menu event slips through.
    if (p.shell.commandRunning) return;
    p.shell.commandRunning = true;
    MenuBar& menu = p.window.menu();
    menu.setEnabled(false);
    if (commandHas(command, kAsksForCell)) {
        p.panels.helpText = kHelpClickCell;
        drawHelpPanel(p.canvas(), p.view, p.panels);
    }
    if (!p.shell.useHtmlHelp) closeClassicHelp(p);
    runCommand(p, command);
    menu.setEnabled(true);
    p.shell.commandRunning = false;
    updateMenuChecks(p);
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
    p.panels.helpText = kHelpChooseMenu;
    showHelpText(p.canvas(), p.view, p.panels);
    p.canvas().putImage(p.shell.buttonRowImage, 30, 416);
    p.play.buttonsShown.clear();
    crossBoundary(p, Boundary::commandEnd);
}

}  // namespace zg
