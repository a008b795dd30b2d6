#include "shell/startup.h"

#include "engine/clock_state.h"
#include "forms/help.h"
#include "game/program.h"
#include "halloffame/records.h"
#include "panels/panels.h"
#include "play/cell_edit.h"
#include "play/redraw.h"
#include "shell/exit.h"
#include "shell/menu.h"
#include "view/look.h"

namespace zg {

namespace {

// The main window's handlers, run by the pump for each event.
void dispatchEvent(Program& p, const Event& ev) {
    switch (ev.message) {
        case msg::kMouseMove:
            Win_0_MouseMove(p, ev.x, ev.y);
            break;
        case msg::kMenu:
            Win_0_MenuEvent(p, ev.command);
            break;
        case msg::kClose:
            Win_0_Close(p);
            break;
        case msg::kKeyUp:
            // F1 opens the instructions where the menu would; a loop's own F1 is its "Hilfe".
            if (ev.keyCode == vk::kF1 && !p.shell.commandRunning)
                Win_0_MenuEvent(p, cmd::kInstructions);
            break;
        default:
            break;
    }
}

}  // namespace

void openMainWindow(Program& p) {
    p.window.open();
}

void initGlobals(Program& p) {
    p.model = BoardModel{};
    p.model.showDigits = true;
    p.model.symmetricShuffle = true;
    loadHallOfFame(p.hall, p.fileIo());
    p.model.levelNames = {" Leicht ", " Mittel ", "Schwer ", "Extrem "};
    buildMenuBar(p);
    updateMenuChecks(p);
}

void drawStartScreen(Program& p) {
    Canvas& c = p.canvas();
    drawBevel(c, p.view, 0, 2, 0, 472, 889, 494);
    c.setForeground(p.view.colourTable[colour::kBlack]);
    c.setBackground(p.view.colourTable[colour::kBlue]);
    c.selectFont(8);
    c.setTransparentText(true);
    drawPanelTitle(c, p.view, 16, colour::kBlack, 10, 490, "Zahlgarten V5.0");
    drawMainScreen(p);
    drawHelpPanel(p.canvas(), p.view, p.panels);
}

void startUp(Program& p) {
    p.pump.setHandler([&p](const Event& ev) { dispatchEvent(p, ev); });
    fillColourTable(p.view);
    initGlobals(p);
    p.window.setBackgroundColour(p.view.colourTable[colour::kBackground]);
    // Taken before anything is painted: the plain background that erases the drawn buttons.
    p.shell.buttonRowImage = p.canvas().copyImage(30, 416, 387, 444);
    p.panels.helpText = kHelpChooseMenu;
    p.panels.uhr = p.window.createLabel(703, 322, 160, 30);
    p.panels.uhr->setFontFace("Arial");
    p.panels.uhr->setBackground(p.view.colourTable[colour::kWhite]);
    p.panels.uhr->setFontSize(24);
    setClockText(p.panels, kClockIdle);
    drawStartScreen(p);
    const std::string folder = p.fileIo().currentFolderProblem();
    if (!folder.empty()) p.questions().message(folder);
    // A hall of fame that is there but cannot be read is never written over: said once.
    if (p.hall.readError != 0) p.questions().message(unreadHallOfFameText(p.hall));
    p.shell.useHtmlHelp = detectHtmlHelp();
    p.canvas().selectFont(16);
}

void mainEventLoop(Program& p) {
    for (;;) p.pump.next();
}

void initProgram(Program& p) {
    startUp(p);
    mainEventLoop(p);
}

}  // namespace zg
