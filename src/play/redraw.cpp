#include "play/redraw.h"

#include "engine/rules.h"
#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "shell/program.h"
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

void drawCellCandidates(Canvas& c, const ViewState& v, const BoardModel& m, int col, int row,
                        bool eraseFirst) {
    const Colour white = v.colourTable[colour::kWhite];
    for (int value = 1; value <= 6; ++value) {
        const int px = v.boardLeft + (col - 1) * v.cellWidth + 6 + ((value - 1) % 3) * 19;
        const int py = v.boardTop + (row - 1) * v.cellHeight + 1 + ((value - 1) / 3) * 44;
        c.setPenWidth(1);
        c.setForeground(white);
        c.setBackground(white);
        if (eraseFirst) c.fillRectangle(px, py, px + 13, py + 13);
        if (m.candidateMarks.at(col, row, value)) {
            c.setTransparentText(true);
            c.setForeground(v.colourTable[colour::kBlack]);
            c.setBackground(white);
            c.selectFont(4);
            c.text(px, py, symbolText(static_cast<std::uint8_t>(value), m.showDigits));
            c.setTransparentText(false);
        }
    }
    c.setForeground(v.colourTable[colour::kBlack]);
    c.setBackground(white);
}

void drawCandidates(Canvas& c, const ViewState& v, const BoardModel& m) {
    for (int col = 1; col <= 6; ++col)
        for (int row = 1; row <= 6; ++row)
            if (m.board.at(col, row) == 0) drawCellCandidates(c, v, m, col, row);
    c.setForeground(v.colourTable[colour::kBlack]);
    c.setBackground(v.colourTable[colour::kWhite]);
}

}  // namespace zg
