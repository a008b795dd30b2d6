// The ZEITMESSUNG panel. The clock label's text is set by the clock control (play/clock.h).
#pragma once

namespace zg {

struct ViewState;
class Canvas;

void drawClockPanel(Canvas& c, const ViewState& view);

}  // namespace zg
