#include "play/redraw.h"

#include "engine/rules.h"
#include "shell/program.h"
#include "view/look.h"

namespace zg {

void drawBoard(Program& p) {
    p.view.cellWidth = 60;
    p.view.cellHeight = 60;
    zg::drawBoard(p.model, p.clock, p.screen);
}

void drawCellCandidates(Program& p, int col, int row) {
    Canvas& c = p.canvas();
    const ViewState& v = p.view;
    const Colour white = v.colourTable[colour::kWhite];
    for (int value = 1; value <= 6; ++value) {
        p.play.candidateValue = static_cast<std::int16_t>(value);
        const int px = v.boardLeft + (col - 1) * v.cellWidth + 6 + ((value - 1) % 3) * 19;
        const int py = v.boardTop + (row - 1) * v.cellHeight + 1 + ((value - 1) / 3) * 44;
        c.setPenWidth(1);
        c.setForeground(white);
        c.setBackground(white);
        c.fillRectangle(px, py, px + 13, py + 13);
        if (p.model.candidateMarks.at(col, row, value)) {
            c.setTransparentText(true);
            c.setForeground(v.colourTable[colour::kBlack]);
            c.setBackground(white);
            c.selectFont(4);
            c.text(px, py, symbolText(static_cast<std::uint8_t>(value), p.model.showDigits));
            c.setTransparentText(false);
        }
    }
    c.setForeground(v.colourTable[colour::kBlack]);
    c.setBackground(white);
}

void drawCandidates(Program& p) {
    for (int col = 1; col <= 6; ++col)
        for (int row = 1; row <= 6; ++row)
            if (p.model.board.at(col, row) == 0) drawCellCandidates(p, col, row);
    p.canvas().setForeground(p.view.colourTable[colour::kBlack]);
    p.canvas().setBackground(p.view.colourTable[colour::kWhite]);
}

}  // namespace zg
