#include "view/board_render.h"

#include "view/look.h"

namespace zg {

namespace {

void paintCell(Canvas& canvas, const ViewState& view, const BoardModel& m, int column, int row,
               std::uint8_t value, int fillIndex) {
    const int x = view.boardLeft + (column - 1) * view.cellWidth + 1;
    const int y = view.boardTop + (row - 1) * view.cellHeight + 1;
    const int e = column % 3 == 0 ? 1 : 0;  // a thick border runs along the right side
    const int f = row % 2 == 0 ? 1 : 0;     // ... along the bottom
    const Colour fill = view.colourTable[fillIndex];
    canvas.setPenWidth(1);
    canvas.setForeground(fill);
    canvas.setBackground(fill);
    canvas.fillRectangle(x, y, x + view.cellWidth - 2 - e, y + view.cellHeight - 2 - f);
    canvas.setForeground(view.colourTable[colour::kBlack]);
    if (value != 0) {
        canvas.selectFont(40);
        canvas.setTransparentText(true);
        canvas.text(m.showDigits ? x + 10 : x + 5, y + 1, symbolText(value, m.showDigits));
        canvas.setTransparentText(false);
        canvas.selectFont(24);
    }
    canvas.setForeground(view.colourTable[colour::kBlack]);
    canvas.setBackground(view.colourTable[colour::kWhite]);
}

}  // namespace

void drawCell(Canvas& canvas, const ViewState& view, const BoardModel& m, int column, int row,
              std::uint8_t value) {
    paintCell(canvas, view, m, column, row, value, colour::kWhite);
}

void drawGivenCell(Canvas& canvas, const ViewState& view, const BoardModel& m, int column, int row,
                   std::uint8_t value) {
    paintCell(canvas, view, m, column, row, value, colour::kLightGrey);
}

void drawBoardPanel(Canvas& canvas, ViewState& view) {
    drawBevel(canvas, view, 0, 2, 20, 16, 397, 454);
    drawBevel(canvas, view, 1, 2, 28, 44, 389, 405);
    drawBevel(canvas, view, 1, 2, 28, 414, 389, 446);
    view.boardLeft = 29;
    view.boardTop = 45;
    view.cellWidth = 60;
    view.cellHeight = 60;
    drawPanelTitle(canvas, view, 18, colour::kBlack, view.boardLeft + 108, view.boardTop - 8,
                   "SPIELBRETT:");
    canvas.setForeground(view.colourTable[colour::kBlack]);
    canvas.setBackground(view.colourTable[colour::kWhite]);
    canvas.fillRectangle(28, 44, 389, 405);
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            const int x = view.boardLeft + (c - 1) * 60;
            const int y = view.boardTop + (r - 1) * 60;
            canvas.rectangle(x, y, x + 60, y + 60);
        }
    canvas.setPenWidth(2);
    canvas.setForeground(view.colourTable[colour::kRed]);
    canvas.setBackground(view.colourTable[colour::kWhite]);
    for (int b = 1; b <= 3; ++b)
        for (int s = 1; s <= 2; ++s) {
            const int x = view.boardLeft + (s - 1) * 180;
            const int y = view.boardTop + (b - 1) * 120;
            canvas.rectangle(x, y, x + 180, y + 120);
        }
    canvas.setPenWidth(1);
    canvas.setForeground(view.colourTable[colour::kBlack]);
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
