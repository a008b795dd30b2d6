// State of the information panels and the clock display.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/services.h"
#include "platform/window.h"

namespace zg {

inline constexpr const char* kHelpChooseMenu = "Bitte Menupunkt auswählen!";
inline constexpr const char* kHelpClickCell = "Bitte ein Feld anklicken!";

struct PanelsState {
    std::string helpText;                         // the hint of HILFEFENSTER
    std::string statusShown;                      // the status text drawn last
    std::int16_t givenCount = 0;                  // givens counted by the level panel
    std::unique_ptr<Label> uhr;                   // the clock label, created at start-up
    std::unique_ptr<PeriodicWorker> clockWorker;  // clockThread: refreshes uhr while a game runs
};

// The clock label shows text (nothing happens before it exists).
inline void setClockText(PanelsState& panels, const std::string& text) {
    if (panels.uhr) panels.uhr->setText(text);
}

}  // namespace zg
