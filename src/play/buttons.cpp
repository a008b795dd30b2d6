#include "play/buttons.h"

#include <vector>

#include "game/program.h"
#include "view/look.h"

namespace zg {

void drawButton(Program& p, int state, int x, int y, std::string caption) {
    Canvas& c = p.canvas();
    const ViewState& v = p.view;
    const int n = static_cast<int>(caption.size()) - 1;
    const int x2 = x + n * 8 + 20;
    const int y2 = y + 26;
    auto& shown = p.play.buttonsShown;
    std::erase_if(shown, [x](const DrawnButton& b) { return b.left == x; });
    shown.push_back({caption, x, y, x2, y2});
    const std::size_t underscore = caption.find('_');
    const int m = underscore == std::string::npos ? 0 : static_cast<int>(underscore) + 1;
    std::string letter;
    if (m != 0 && underscore + 1 < caption.size()) {
        letter = caption.substr(underscore + 1, 1);
        caption = caption.substr(0, underscore) + " " + caption.substr(underscore + 2);
    } else if (m != 0) {
        caption = caption.substr(0, underscore) + " ";
    }
    drawBevel(c, v, state, 2, x, y, x2, y2);
    c.setPenWidth(1);
    c.setForeground(v.colourTable[colour::kBlack]);
    c.rectangle(x - 1, y - 1, x2, y2);
    const int tx = x + (n - 1 - static_cast<int>(caption.size())) * 4 + 14;
    const int ty = y + 20;
    drawPanelTitle(c, v, 14, colour::kBlack, tx, ty, caption);
    if (m != 0 && !letter.empty()) {
        const int lx = (m == 1 ? tx - 1 : tx) + (m - 1) * 8;
        const int top = y + 6;
        c.selectFont(14);
        c.setTransparentText(true);
        c.setForeground(v.colourTable[colour::kWhite]);
        c.text(lx, top, letter);
        c.setForeground(v.colourTable[colour::kDarkRed]);
        c.text(lx - 1, top - 1, letter);
    }
    c.setTransparentText(false);
    c.setForeground(v.colourTable[colour::kBlack]);
    c.setBackground(v.colourTable[colour::kWhite]);
}

}  // namespace zg
