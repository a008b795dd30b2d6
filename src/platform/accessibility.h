// What a screen reader is told about the painted client area: the board as a 6 x 6 table of
// named cells, the panels' texts, the drawn push buttons and the open value chooser. The game
// describes it once (a snapshot, built on request); each backend exposes the snapshot through
// its toolkit's accessibility interface and, while a screen reader listens, compares it with
// the one it told last whenever the program waits for input, telling only what changed.
#pragma once

#include <array>
#include <compare>
#include <functional>
#include <optional>
#include <string>
#include <utility>
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

// What a backend's object stands for. client is the painted area itself, the parent of the
// rest; window is a child window on it (the clock label), which the toolkit describes.
enum class AccessibleKind { client, table, cell, panel, button, chooser, chooserItem, window };

struct AccessibleRef {
    AccessibleKind kind = AccessibleKind::client;
    int index = 0;
    auto operator<=>(const AccessibleRef&) const = default;
};

// The item r names in the scene; nullptr for the client, a window and what is not shown now
// (a button gone, the closed chooser and its values).
const AccessibleItem* accessibleItem(const AccessibleScene& scene, AccessibleRef r);

// The value selected in the open chooser, else the cursor's cell.
std::optional<AccessibleRef> accessibleFocus(const AccessibleScene& scene);

struct AccessibleChange {
    enum class Type { renamed, created, destroyed, focused };
    Type type;
    AccessibleRef item;
    bool announced = false;  // the item is a panel whose every change is spoken
    bool operator==(const AccessibleChange&) const = default;
};

// What a screen reader is told when the scene goes from before to after: renamed cells, panels,
// buttons and chooser values; panels and buttons created or gone; the chooser opened or closed
// (its values come and go with it); the focus, when it moved somewhere.
std::vector<AccessibleChange> accessibleChanges(const AccessibleScene& before,
                                                const AccessibleScene& after);

// The scene told last. Nothing is described until a screen reader first asks, so a program
// nobody listens to pays nothing.
class ToldScene {
  public:
    explicit ToldScene(std::function<AccessibleScene()> describe)
        : describe_(std::move(describe)) {}
    const AccessibleScene& scene();
    bool asked() const { return told_.has_value(); }
    // Describes the scene anew and returns what changed since it was told last.
    std::vector<AccessibleChange> refresh();

  private:
    std::function<AccessibleScene()> describe_;
    std::optional<AccessibleScene> told_;
};

// Presses a drawn button the way the player does: the pointer moves to its centre, the left
// button goes down and up, so the loops act exactly as for a click.
void pressAccessibleButton(EventPump& pump, const AccessibleRect& rect);

}  // namespace zg
