// The main window Win_0: a menu bar above a fixed 890 x 495 client area painted from a back
// buffer, and the clock label on it. A backend's handlers only translate input into Events for
// the pump (see event_pump.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/accessibility.h"
#include "platform/canvas.h"

namespace zg {

inline constexpr int kClientWidth = 890;
inline constexpr int kClientHeight = 495;
inline constexpr const char* kWindowTitle = "Zahlgarten V5.0 by Velto";

struct WindowPosition {
    std::int16_t x;
    std::int16_t y;
};
// Where the window opens on a screen of the given size: centred on 799 x 424, 32 pixels up,
// halves rounded to even.
WindowPosition windowPosition(int screenWidth, int screenHeight);

// A text label control on the client area (the clock label uhr).
class Label {
  public:
    virtual ~Label() = default;
    virtual void setText(const std::string& utf8) = 0;
    virtual std::string text() const = 0;
    virtual void setFontFace(const std::string& face) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setBackground(Colour colour) = 0;
};

// The menu bar, built item by item. Handles are popups; nullptr stands for the bar itself.
class MenuBar {
  public:
    struct Popup;  // a backend's popup menu
    using Handle = Popup*;
    virtual ~MenuBar() = default;

    // Starts a new, not yet attached bar.
    virtual void begin() = 0;
    virtual Handle createPopup() = 0;
    virtual void destroyPopup(Handle popup) = 0;
    virtual void appendCommand(Handle popup, int command, const std::string& label) = 0;
    virtual void appendSeparator(Handle popup) = 0;
    virtual void appendPopup(Handle parent, Handle popup, const std::string& title) = 0;
    // Attaches the bar begun last to the window; the previous bar is destroyed.
    virtual void attach() = 0;
    // Throws away the bar begun last (a failed build).
    virtual void discard() = 0;

    virtual void setChecked(int command, bool on) = 0;
    virtual bool isChecked(int command) const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
};

class Window {
  public:
    virtual ~Window() = default;
    virtual Canvas& canvas() = 0;
    virtual MenuBar& menu() = 0;
    // The window's background colour (the client area behind everything painted).
    virtual void setBackgroundColour(Colour colour) = 0;
    // A label on the client area at (x, y), w x h, owned by the caller.
    virtual std::unique_ptr<Label> createLabel(int x, int y, int w, int h) = 0;
    // Opens the window at its place on the primary screen.
    virtual void open() = 0;
    virtual void hide() = 0;
    // Shows what has been painted so far at once (progress drawn inside a command), at most
    // once per display frame.
    virtual void presentNow() = 0;
    // Runs once, after the client area has been painted for the first time.
    virtual void setFirstPaintHandler(std::function<void()> handler) = 0;
    // What a screen reader is told about the client area (platform/accessibility.h). A backend
    // calls it only while a screen reader asks; one without accessibility ignores it.
    virtual void setAccessibleScene(std::function<AccessibleScene()> describe) { (void)describe; }
};

}  // namespace zg
