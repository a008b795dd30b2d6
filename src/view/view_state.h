// State of the board view: layout, colours, pointer and the value chooser.
#pragma once

#include <array>
#include <cstdint>

#include "platform/canvas.h"

namespace zg {

struct ViewState {
    // Layout globals, set when the main screen is drawn.
    std::int16_t boardLeft = 29;
    std::int16_t boardTop = 45;
    std::int16_t cellWidth = 60;
    std::int16_t cellHeight = 60;

    std::array<Colour, 16> colourTable{};  // filled by fillColourTable at start-up
    bool largeFonts = false;               // never set here: the fixed fonts are 8 pixels wide

    // The last pointer position seen by Win_0_MouseMove; clicks are read here.
    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;

    // The value chooser of the cell edit.
    bool pickerOpen = false;
    std::int16_t pickerValue = 0;
    std::int16_t pickerLeft = 0;
    std::int16_t pickerTop = 0;
    std::int16_t pickerColumn = 0;
    std::int16_t pickerRow = 0;
    bool pickerSaved = false;
    SavedImage pickerImage;
    bool drawingBusy = false;  // the clock skips its update while set
    bool rightClick = false;   // the edit was opened with the right button: marking mode
    // The virtual-key code of the key whose typed character ended the last edit: its release
    // belongs to the chooser and is not seen by the play loops (0: none pending).
    int chooserKey = 0;
};

}  // namespace zg
