// State of the application shell.
#pragma once

#include <QImage>
#include <cstdint>

namespace zg {

struct ShellState {
    bool useHtmlHelp = false;      // decided once at start-up
    std::int16_t alertChoice = 0;  // the button chosen in the last question box, from 1
    QImage buttonRowImage;         // the empty button strip, (30, 416)-(387, 444)
    bool abortRequested = false;   // Escape typed in the cell edit
    bool commandRunning = false;   // a menu command runs: the bar is off
};

}  // namespace zg
