#include "play/redraw.h"

#include "engine/rules.h"
#include "game/program.h"
#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "view/board_render.h"
#include "view/look.h"

namespace zg {

void drawMainScreen(Program& p) {
    drawBoardPanel(p.canvas(), p.view);
    drawStatisticsPanel(p.canvas(), p.view, p.model, p.screen);
    drawLevelPanel(p.canvas(), p.view, p.model, p.panels);
    drawClockPanel(p.canvas(), p.view);
}

void drawBoard(Program& p) {
    p.view.cellWidth = 60;
    p.view.cellHeight = 60;
    zg::drawBoard(p.model, p.clock, p.screen);
}

}  // namespace zg
