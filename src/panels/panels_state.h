// State of the information panels and the clock display.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock_worker.h"
#include "platform/main_window.h"

namespace zg {

inline constexpr const char* kHelpChooseMenu = "Bitte Menupunkt ausw\xC3\xA4hlen!";
inline constexpr const char* kHelpClickCell = "Bitte ein Feld anklicken!";

struct PanelsState {
    std::string helpText;         // the hint of HILFEFENSTER
    std::int16_t givenCount = 0;  // givens counted by the level panel (and by printing)
    TextLabel uhr;                // the clock label, created at start-up
    ClockWorker clockWorker;      // clockThread: refreshes uhr while a timed game runs
};

}  // namespace zg
