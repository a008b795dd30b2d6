// State of the application shell.
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace zg {

struct ShellState {
    bool useHtmlHelp = false;     // decided once at start-up
    SavedImage buttonRowImage;    // the empty button strip, (30, 416)-(387, 444)
    bool commandRunning = false;  // a menu command runs: the bar is off
};

// Shared by the modal forms (slot dialog, hall of fame, champion name, about box).
struct DialogState {
    std::int16_t selectedSlot = 0;  // the board place chosen last, 0..3
    bool slotDialogLoads = false;   // the slot dialog was opened for loading
    bool dialogDone = false;        // ends the wait loop of the open form
};

}  // namespace zg
