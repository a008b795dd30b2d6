#include "view/look.h"

namespace zg {

void fillColourTable(ViewState& view) {
    view.colourTable = {{{0, 0, 0},
                         {128, 0, 0},
                         {0, 128, 0},
                         {255, 255, 0},
                         {0, 0, 188},
                         {128, 0, 128},
                         {0, 128, 128},
                         {192, 192, 192},
                         {64, 64, 64},
                         {255, 0, 0},
                         {0, 255, 0},
                         {255, 255, 0},
                         {180, 201, 208},
                         {255, 0, 255},
                         {0, 255, 255},
                         {255, 255, 255}}};
}

void drawBevel(Canvas& canvas, const ViewState& view, int sunken, int thickness, int x1, int y1,
               int x2, int y2) {
    const Colour light = view.colourTable[colour::kWhite];
    const Colour dark = view.colourTable[colour::kDarkGrey];
    canvas.setPenWidth(1);
    const int n = thickness - sunken;
    canvas.setForeground(sunken ? dark : light);
    for (int i = 0; i <= n; ++i) {
        canvas.line(x1 + i, y1 + i, x2, y1 + i);
        canvas.line(x1 + i, y1 + i, x1 + i, y2);
    }
    canvas.setForeground(sunken ? light : dark);
    for (int i = 0; i <= n; ++i) {
        canvas.line(x1 + i, y2 - i, x2 + 1, y2 - i);
        canvas.line(x2 - i, y1 + i, x2 - i, y2);
    }
    canvas.setForeground(view.colourTable[colour::kBlack]);
}

void drawPanelTitle(Canvas& canvas, const ViewState& view, int fontCode, int colourIndex, int x,
                    int y, const std::string& text) {
    canvas.selectFont(fontCode);
    if (view.largeFonts && fontCode == 14) x += 11;
    const int top = y - 14;
    canvas.setTransparentText(true);
    canvas.setForeground(view.colourTable[colour::kWhite]);
    canvas.text(x, top, text);
    canvas.setForeground(view.colourTable[colourIndex & 15]);
    canvas.text(x - 1, top - 1, text);
    canvas.setTransparentText(false);
    canvas.setForeground(view.colourTable[colour::kBlack]);
    canvas.setBackground(view.colourTable[colour::kLightGrey]);
    canvas.selectFont(8);
}

void drawPanelFrame(Canvas& canvas, const ViewState& view, int x, int y, int w, int h,
                    int titleOffset, const std::string& title) {
    drawBevel(canvas, view, 0, 2, x, y, x + w, y + h);
    drawBevel(canvas, view, 1, 2, x + 6, y + 22, x + w - 6, y + h - 6);
    drawPanelTitle(canvas, view, 16, colour::kBlack, x + titleOffset, y + 20, title);
    canvas.setForeground(view.colourTable[colour::kBlack]);
    canvas.setBackground(view.colourTable[colour::kWhite]);
    canvas.fillRectangle(x + 6, y + 22, x + w - 7, y + h - 7);
}

}  // namespace zg
