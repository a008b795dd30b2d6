// State of the play loops.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/hint.h"
#include "engine/history.h"

namespace zg {

// A push button drawn on the strip below the board: its caption and pixels.
struct DrawnButton {
    std::string caption;
    int left, top, right, bottom;
};

struct PlayState {
    std::string shortcutArmed;  // "K" after K was released; O then solves
    bool ownBoardMode = false;  // the own-board editor runs

    // Beyond the menu's game, each unseen until its key is used.
    History history;           // Ctrl+Z / Ctrl+Y in both loops
    bool cursorShown = false;  // the keyboard cursor, after the first arrow key
    std::int16_t cursorColumn = 1;
    std::int16_t cursorRow = 1;
    int hintStage = 0;  // T pressed 0..2 times on hintBoard
    Hint hint;
    Grid hintBoard;  // the board the hint was found on
    std::string helpBeforeHint;
    bool paused = false;  // P in a running timed game
    double pauseStart = 0;
    std::vector<DrawnButton> buttonsShown;  // the strip's buttons while drawn, for screen readers
};

}  // namespace zg
