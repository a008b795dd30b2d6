// The font codes of the game, mapped to the fonts of this system.
//
// Arial codes: Liberation Sans (metric-compatible with Arial) with GDI's meaning of the
// height (ascent + descent, the character cell) and of the width (Arial's average character
// width, reached by stretching). Codes 8 and 14 (the stock fixed fonts): DejaVu Sans Mono
// with every character advancing exactly 8 pixels; code 8 keeps the 8 x 12 cell of the OEM font
// (baseline 10 pixels down), so its text never reaches the line drawn 14 pixels below it. Any
// other code (16 is used): a bold sans
// about 16 pixels high, like the stock system font.
#pragma once

#include <QFont>

namespace zg {

struct FontChoice {
    QFont font;
    bool fixedPitch8 = false;  // every character advances 8 pixels
    // The character cell when it differs from the font's own ascent + descent (0: the font's).
    int cellAscent = 0;
    int cellHeight = 0;
};

// The font for a code. Independent of any paint device: sizes are in pixels.
FontChoice fontForCode(int code);

// An Arial font by GDI cell height and average width in pixels (weights as in GDI: 400 normal,
// 700 bold; lighter weights fall back to normal as Arial has none).
QFont arialFont(int height, int width, int weight);

}  // namespace zg
