#include "panels/clock_panel.h"

#include "view/look.h"

namespace zg {

void drawClockPanel(Canvas& c, const ViewState& view) {
    drawPanelFrame(c, view, 680, 292, 192, 72, 45, "ZEITMESSUNG:");
}

}  // namespace zg
