#include "panels/panels.h"

#include "engine/rules.h"
#include "panels/panels_state.h"
#include "view/look.h"

namespace zg {

namespace {
void blackOnWhite(Canvas& c, const ViewState& view) {
    c.setForeground(view.colourTable[colour::kBlack]);
    c.setBackground(view.colourTable[colour::kWhite]);
    c.setTransparentText(false);
}
}  // namespace

std::string rightAligned2(int n) {
    std::string s = std::to_string(n);
    if (s.size() < 2) s.insert(0, 2 - s.size(), ' ');
    return s;
}

void drawStatisticsPanel(Canvas& c, const ViewState& view, BoardModel& m, BoardView& boardView) {
    const auto [x0, y0, w, h] = kStatisticsFrame;
    drawPanelFrame(c, view, x0, y0, w, h, 84, "STATISTIK:");
    blackOnWhite(c, view);
    c.selectFont(8);
    c.text(x0 + 16, 48, m.showDigits ? "Zahlen" : "Ziffer");
    c.text(x0 + 16, 68, "Anzahl");
    for (int i = 1; i <= 6; ++i) {
        const int x = 495 + 24 * (i - 1);
        if (m.showDigits)
            c.text(x, 48, rightAligned2(i));
        else
            c.text(view.largeFonts ? x + 4 : x + 8, 48, std::string(1, static_cast<char>(64 + i)));
        c.text(x, 68, " 0");
    }
    c.setPenWidth(1);
    c.line(435, 62, 645, 62);
    c.line(494, 44, 494, 83);
    updateStatistics(m, boardView);
    drawStatusPanel(c, view, m, boardView);
}

void drawStatisticsCounts(Canvas& c, const ViewState& view, const BoardModel& m) {
    blackOnWhite(c, view);
    c.setPenWidth(1);
    c.line(494, 44, 494, 83);
    c.selectFont(8);
    for (int i = 1; i <= 6; ++i) {
        const int count = m.valueCount[i];
        int x = 471 + 24 * i;
        if (view.largeFonts && count >= 10) x -= 3;
        c.text(x, 68, rightAligned2(count) + " ");
    }
}

void drawStatusPanel(Canvas& c, const ViewState& view, BoardModel& m, BoardView& boardView) {
    const auto [x, y, w, h] = kStatusFrame;
    drawPanelFrame(c, view, x, y, w, h, 60, "STATUSMELDUNG:");
    checkBoard(m, boardView);
}

void drawStatusMessage(Canvas& c, const ViewState& view, const BoardModel& m) {
    blackOnWhite(c, view);
    c.selectFont(20);
    c.text(446, 142, m.statusText);
}

void drawLevelPanel(Canvas& c, const ViewState& view, const BoardModel& m, PanelsState& panels) {
    const auto [x, y, w, h] = kLevelFrame;
    drawPanelFrame(c, view, x, y, w, h, 38, "SCHWIERIGKEITSGRAD:");
    blackOnWhite(c, view);
    c.selectFont(8);
    c.text(451, 230, "Vorgegebene Zahlen: " + rightAligned2(panels.givenCount));
    updateLevelPanel(c, view, m, panels);
}

void updateLevelPanel(Canvas& c, const ViewState& view, const BoardModel& m, PanelsState& panels) {
    panels.givenCount = static_cast<std::int16_t>(countGivens(m));
    blackOnWhite(c, view);
    c.selectFont(8);
    c.text(611, 230, rightAligned2(panels.givenCount) + " ");
    c.selectFont(20);
    c.text(487, 244, levelName(m) + "  ");
}

void drawHelpPanel(Canvas& c, const ViewState& view, const PanelsState& panels) {
    const auto [x, y, w, h] = kHelpFrame;
    drawPanelFrame(c, view, x, y, w, h, 64, "HILFEFENSTER:");
    showHelpText(c, view, panels);
}

void showHelpText(Canvas& c, const ViewState& view, const PanelsState& panels) {
    c.selectFont(8);
    blackOnWhite(c, view);
    c.text(436, 331, panels.helpText);
}

}  // namespace zg
