#include "shell/menu.h"

#include <cctype>
#include <stdexcept>

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

const std::vector<MenuEntry>& menuEntries() {
    using namespace cmd;
    static const std::vector<MenuEntry> entries = {
        {0, "&Zahlgarten"},
        {kNewGame, "&Neues Spiel", kAsksForCell},
        {0, "-"},
        {kStartGame, "&Spielstart", kAsksForCell},
        {kRestart, "N&eustart", kAsksForCell},
        {0, "-"},
        {kPrintGames, "Spieledruck"},
        {0, "-"},
        {kExit, "&Beenden"},
        {0, ""},
        {0, "&Optionen"},
        {kLoadBoard, "&lade Brett", kAsksForCell},
        {kSaveBoard, "&sichere Brett", kAsksForCell},
        {0, "-"},
        {kSolve, "&Brett lösen", kAsksForCell},
        {kClear, "B&rett löschen"},
        {kPrintBoard, "Brett &drucken"},
        {kShuffle, "Brett &mischen", kAsksForCell},
        {0, "-"},
        {kOwnBoard, "&Eigenes Brett", kAsksForCell},
        {0, ""},
        {0, "Sch&wierigkeit"},
        {kEasy, "&Leicht", kCheckable},
        {kMedium, "&Mittel", kCheckable},
        {kHard, "&Schwer", kCheckable},
        {kExtreme, "&Extrem", kCheckable},
        {0, "-"},
        {kDigits, "&Zahlen", kCheckable},
        {kLetters, "&Buchstaben", kCheckable},
        {0, "-"},
        {kCandidates, "Zeige &Kandidaten", kCheckable},
        {0, "-"},
        {kSymmetry, "Rätsel-Symmetrie", kCheckable},
        {0, "-"},
        {kHallOfFame, "&Ruhmeshalle"},
        {0, ""},
        {0, "&Hilfe"},
        {kInstructions, "&Anleitung"},
        {0, "-"},
        {kAbout, "über &Zahlgarten..."},
        {0, ""},
        {0, ""},
    };
    return entries;
}

const std::vector<std::string>& menuTextTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> t;
        for (const MenuEntry& e : menuEntries())
            t.push_back(e.command != 0 ? std::to_string(e.command) + ":" + e.text : e.text);
        return t;
    }();
    return table;
}

bool commandHas(int command, unsigned flag) {
    for (const MenuEntry& e : menuEntries())
        if (e.command == command) return (e.flags & flag) != 0;
    return false;
}

namespace {

int leadingNumber(const std::string& entry) {
    int n = 0;
    for (char ch : entry) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) break;
        n = n * 10 + (ch - '0');
    }
    return n;
}

std::string afterColon(const std::string& entry) {
    const std::size_t colon = entry.find(':');
    return colon == std::string::npos ? std::string() : entry.substr(colon + 1);
}

}  // namespace

MenuBar::Handle buildPopup(Program& p, const std::vector<std::string>& table, std::size_t& pos) {
    MenuBar& menu = p.window.menu();
    MenuBar::Handle popup = menu.createPopup();
    if (!popup) return nullptr;
    while (pos < table.size()) {
        const std::string& entry = table[pos++];
        if (entry.empty()) return popup;
        if (entry == "-") {
            menu.appendSeparator(popup);
        } else if (entry[0] == '>') {
            MenuBar::Handle sub = buildPopup(p, table, pos);
            if (!sub) {
                menu.destroyPopup(popup);
                return nullptr;
            }
            menu.appendPopup(popup, sub, entry.substr(1));
        } else {
            menu.appendCommand(popup, leadingNumber(entry), afterColon(entry));
        }
    }
    menu.destroyPopup(popup);  // the table ended inside the popup
    return nullptr;
}

void buildMenuBar(Program& p) {
    MenuBar& menu = p.window.menu();
    const std::vector<std::string>& table = menuTextTable();
    std::size_t pos = 0;
    menu.begin();
    while (pos < table.size()) {
        const std::string& entry = table[pos++];
        if (entry.empty()) {
            menu.attach();
            return;
        }
        if (entry.find(':') != std::string::npos) {
            menu.appendCommand(nullptr, leadingNumber(entry), afterColon(entry));
            continue;
        }
        MenuBar::Handle popup = buildPopup(p, table, pos);
        if (!popup) {
            menu.discard();
            throw std::runtime_error("menu bar: popup \"" + entry + "\" could not be built");
        }
        menu.appendPopup(nullptr, popup, entry);
    }
    menu.discard();
    throw std::runtime_error("menu bar: the table has no end");
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
    BoardModel& m = p.model;
    switch (command) {
        case cmd::kAbout:
            openAboutForm(p);
            if (!p.shell.useHtmlHelp) showClassicHelp(p, "Einführung");
            break;
        case cmd::kNewGame:
            newGame(p);
            break;
        case cmd::kStartGame:
            playLoop(p);
            break;
        case cmd::kOwnBoard:
            editLoop(p);
            p.play.ownBoardMode = false;
            break;
        case cmd::kPrintGames:
            printGameSet(p);
            drawBoard(p);
            break;
        case cmd::kLoadBoard:
            p.files.boardFileName = kPlayerBoardFile;
            openLoadDialog(p);
            updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
            drawBoard(p);
            playLoop(p);
            break;
        case cmd::kSaveBoard:
            openSaveDialog(p);
            playLoop(p);
            break;
        case cmd::kSolve:
            solve(p);
            break;
        case cmd::kShuffle:
            shuffle(p);
            drawBoard(p);
            break;
        case cmd::kRestart:
            restart(p);
            playLoop(p);
            break;
        case cmd::kClear:
            clearAll(p);
            break;
        case cmd::kPrintBoard:
            printBoard(p);
            break;
        case cmd::kEasy:
        case cmd::kMedium:
        case cmd::kHard:
        case cmd::kExtreme:
            m.level = static_cast<std::int16_t>(command - cmd::kEasy);
            break;
        case cmd::kDigits:
        case cmd::kLetters:
            m.showDigits = command == cmd::kDigits;
            drawBoard(p);
            drawStatisticsPanel(p.canvas(), p.view, p.model, p.screen);
            break;
        case cmd::kCandidates:
            toggleCandidates(p, false);
            drawBoard(p);
            break;
        case cmd::kSymmetry:
            m.symmetricShuffle = !m.symmetricShuffle;
            break;
        case cmd::kHallOfFame:
            showHallOfFame(p);
            break;
        case cmd::kInstructions:
            showMenuHelp(p);
            break;
        case cmd::kExit:
            askExit(p);
            break;
        default:
            break;
    }
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
