// What a screen reader is told about the painted client area: the board as a 6 x 6 table of
// named cells, the panels' texts, the drawn push buttons and the open value chooser. The game
// describes it once (a snapshot, built on request); each backend exposes the snapshot through
// its toolkit's accessibility interface and, while a screen reader listens, compares it with
// the one it told last whenever the program waits for input, telling only what changed.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zg {

class EventPump;

struct AccessibleRect {  // client pixels
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const AccessibleRect&) const = default;
};

struct AccessibleItem {
    std::string name;
    AccessibleRect rect;
    bool announced = false;  // a panel whose every change is spoken (status, hint)
    bool operator==(const AccessibleItem&) const = default;
};

struct AccessibleScene {
    AccessibleItem board;                  // the table
    std::array<AccessibleItem, 36> cells;  // row by row
    int focusedCell = -1;                  // the keyboard cursor's cell; -1 none
    std::vector<AccessibleItem> panels;    // in reading order
    std::vector<AccessibleItem> buttons;   // those drawn now
    AccessibleItem chooser;                // the value chooser; its items empty while closed
    std::vector<AccessibleItem> chooserItems;
    int chooserSelected = -1;
    bool operator==(const AccessibleScene&) const = default;
};

// Presses a drawn button the way the player does: the pointer moves to its centre, the left
// button goes down and up, so the loops act exactly as for a click.
void pressAccessibleButton(EventPump& pump, const AccessibleRect& rect);

}  // namespace zg
