#include "panels/panels.h"

#include "engine/rules.h"
#include "shell/program.h"
#include "view/look.h"

namespace zg {

namespace {
void blackOnWhite(Program& p) {
    Canvas& c = p.canvas();
    c.setForeground(p.view.colourTable[colour::kBlack]);
    c.setBackground(p.view.colourTable[colour::kWhite]);
    c.setTransparentText(false);
}
}  // namespace

std::string rightAligned2(int n) {
    std::string s = std::to_string(n);
    if (s.size() < 2) s.insert(0, 2 - s.size(), ' ');
    return s;
}

void drawStatisticsPanel(Program& p) {
    Canvas& c = p.canvas();
    const int x0 = 423, y0 = 16;
    drawPanelFrame(c, p.view, x0, y0, 234, 78, 84, "STATISTIK:");
    blackOnWhite(p);
    c.selectFont(8);
    c.text(x0 + 16, 48, p.model.showDigits ? "Zahlen" : "Ziffer");
    c.text(x0 + 16, 68, "Anzahl");
    for (int i = 1; i <= 6; ++i) {
        const int x = 495 + 24 * (i - 1);
        if (p.model.showDigits)
            c.text(x, 48, rightAligned2(i));
        else
            c.text(p.view.largeFonts ? x + 4 : x + 8, 48,
                   std::string(1, static_cast<char>(64 + i)));
        c.text(x, 68, " 0");
    }
    c.setPenWidth(1);
    c.line(435, 62, 645, 62);
    c.line(494, 44, 494, 83);
    updateStatistics(p);
    drawStatusPanel(p);
}

void updateStatistics(Program& p) {
    zg::updateStatistics(p.model, p.screen);
}

void drawStatisticsCounts(Program& p) {
    Canvas& c = p.canvas();
    blackOnWhite(p);
    c.setPenWidth(1);
    c.line(494, 44, 494, 83);
    c.selectFont(8);
    for (int i = 1; i <= 6; ++i) {
        const int count = p.model.valueCount[i];
        int x = 471 + 24 * i;
        if (p.view.largeFonts && count >= 10) x -= 3;
        c.text(x, 68, rightAligned2(count) + " ");
    }
}

void drawStatusPanel(Program& p) {
    drawPanelFrame(p.canvas(), p.view, 423, 108, 234, 78, 60, "STATUSMELDUNG:");
    checkBoard(p);
}

void checkBoard(Program& p) {
    zg::checkBoard(p.model, p.screen);
}

void drawStatusMessage(Program& p) {
    Canvas& c = p.canvas();
    blackOnWhite(p);
    c.selectFont(20);
    c.text(446, 142, p.model.statusText);
}

void drawLevelPanel(Program& p) {
    Canvas& c = p.canvas();
    drawPanelFrame(c, p.view, 423, 200, 234, 78, 38, "SCHWIERIGKEITSGRAD:");
    blackOnWhite(p);
    c.selectFont(8);
    c.text(451, 230, "Vorgegebene Zahlen: " + rightAligned2(p.panels.givenCount));
    updateLevelPanel(p);
}

void updateLevelPanel(Program& p) {
    Canvas& c = p.canvas();
    p.panels.givenCount = static_cast<std::int16_t>(countGivens(p.model));
    blackOnWhite(p);
    c.selectFont(8);
    c.text(611, 230, rightAligned2(p.panels.givenCount) + " ");
    c.selectFont(20);
    const int level = p.model.level >= 0 && p.model.level <= 3 ? p.model.level : 0;
    c.text(487, 244, p.model.levelNames[level] + "  ");
}

void drawHelpPanel(Program& p) {
    drawPanelFrame(p.canvas(), p.view, 423, 292, 234, 72, 64, "HILFEFENSTER:");
    showHelpText(p);
}

void showHelpText(Program& p) {
    Canvas& c = p.canvas();
    c.selectFont(8);
    blackOnWhite(p);
    c.text(436, 331, p.panels.helpText);
}

}  // namespace zg
