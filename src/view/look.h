// The shared look: colours by index, 3-D frames, embossed titles, the panel frame.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "view/view_state.h"

namespace zg {

namespace colour {
inline constexpr int kBlack = 0;
inline constexpr int kDarkRed = 1;
inline constexpr int kGreen = 2;
inline constexpr int kBlue = 4;
inline constexpr int kLightGrey = 7;
inline constexpr int kDarkGrey = 8;
inline constexpr int kRed = 9;
inline constexpr int kBackground = 12;
inline constexpr int kMagenta = 13;
inline constexpr int kWhite = 15;
}  // namespace colour

void fillColourTable(ViewState& view);

// A raised (sunken 0) or sunken (1) frame on (x1, y1)-(x2, y2), corners inclusive:
// thickness + 1 - sunken pixel rings. Foreground black afterwards.
void drawBevel(Canvas& canvas, const ViewState& view, int sunken, int thickness, int x1, int y1,
               int x2, int y2);

// The text embossed with its top 14 pixels above y; leaves opaque text, black on light grey,
// font code 8.
void drawPanelTitle(Canvas& canvas, const ViewState& view, int fontCode, int colourIndex, int x,
                    int y, const std::string& text);

// Raised outer frame, sunken inner frame, title at (x + titleOffset, y + 20), white interior.
void drawPanelFrame(Canvas& canvas, const ViewState& view, int x, int y, int w, int h,
                    int titleOffset, const std::string& title);

}  // namespace zg
