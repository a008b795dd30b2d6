// The Win32 main window Win_0: a menu bar above a fixed 890 x 495 client area painted from a
// DIB back buffer, and the clock label on it. Its window procedure only translates input into
// Events for the pump. At a dpi above 96 the client area, the back buffer and the label are
// that many times larger (the window is per-monitor dpi aware), the layout stays the same.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/event_pump.h"
#include "platform/key_filter.h"
#include "platform/win32/win32_accessible.h"
#include "platform/win32/win32_canvas.h"
#include "platform/window.h"

namespace zg {

inline constexpr const wchar_t* kMainWindowClass = L"ZahlgartenWin0";

// Registers the main window's class once (harmless when it exists).
void registerWindowClasses();

// The virtual-key code of a key event of the loops (0 when the loops do not use the key):
// letters, digits (the number pad's too), Escape, Enter, Backspace, Tab, Space, arrows, Delete.
int loopKeyCode(WPARAM virtualKey);

// A STATIC control on the client area; it goes with the window.
class Win32Label : public Label {
  public:
    // At (x, y), w x h layout pixels, on a client area of scale device pixels per pixel.
    Win32Label(HWND label, RECT place, double scale);
    ~Win32Label() override;
    Win32Label(const Win32Label&) = delete;
    Win32Label& operator=(const Win32Label&) = delete;

    void setText(const std::string& utf8) override;
    std::string text() const override;
    void setFontFace(const std::string& face) override;
    void setFontSize(int points) override;
    void setBackground(Colour colour) override;

    HWND handle() const { return label_; }
    // The client area's scale changed: place and font anew.
    void rescale(double scale);
    // The brush behind the text (WM_CTLCOLORSTATIC), nullptr for the default.
    HBRUSH brush(HDC dc) const;

  private:
    void applyFont();
    HWND label_;
    RECT place_;
    double scale_;
    std::string face_ = "MS Shell Dlg";
    int points_ = 8;
    HFONT font_ = nullptr;
    HBRUSH brush_ = nullptr;
    Colour background_{};
};

class Win32Window;

class Win32MenuBar : public MenuBar {
  public:
    explicit Win32MenuBar(Win32Window& window) : window_(window) {}
    ~Win32MenuBar() override;

    void begin() override;
    Handle createPopup() override;
    void destroyPopup(Handle popup) override;
    void appendCommand(Handle popup, int command, const std::string& label) override;
    void appendSeparator(Handle popup) override;
    void appendPopup(Handle parent, Handle popup, const std::string& title) override;
    void attach() override;
    void discard() override;
    void setChecked(int command, bool on) override;
    bool isChecked(int command) const override;
    void setEnabled(bool on) override;
    bool isEnabled() const override { return enabled_; }

    HMENU bar() const;

  private:
    HMENU target(Handle popup) const;
    Win32Window& window_;
    HMENU building_ = nullptr;
    bool enabled_ = true;
};

class Win32Window : public Window {
  public:
    // devicePixelRatio 0: the dpi of the screen the window is on, followed when it moves to
    // another; else that scale, fixed.
    explicit Win32Window(EventPump& pump, double devicePixelRatio = 0);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    Canvas& canvas() override { return canvas_; }
    MenuBar& menu() override { return menu_; }
    void setBackgroundColour(Colour colour) override;
    std::unique_ptr<Label> createLabel(int x, int y, int w, int h) override;
    void open() override;
    void hide() override;
    void presentNow() override;
    void setFirstPaintHandler(std::function<void()> handler) override {
        firstPaint_ = std::move(handler);
    }
    void setAccessibleScene(std::function<AccessibleScene()> describe) override {
        describeScene_ = std::move(describe);
    }

    HWND handle() const { return hwnd_; }
    Win32Canvas& backBuffer() { return canvas_; }
    EventPump& pump() { return pump_; }
    // Sizes the frame so that the client area is 890 x 495 below the menu bar as it is now.
    void fitClientArea();
    // Device pixels per layout pixel.
    double scale() const { return canvas_.scale(); }

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void moveTo(int x, int y);
    void show();
    void dpiChanged(int dpi, const RECT* suggested);
    void keyDown(WPARAM key, LPARAM info, bool altHeld);
    void keyUp(WPARAM key, LPARAM info, bool altHeld);

    EventPump& pump_;
    Win32Canvas canvas_;
    Win32MenuBar menu_;
    HWND hwnd_ = nullptr;
    bool fixedScale_ = false;
    bool showPending_ = false;
    int fitRequests_ = 0;  // fits asked for in a row without getting the size
    int lastX_ = -1;
    int lastY_ = -1;
    // Keys whose press this window took: only their releases are key events of the loops.
    PressedKeys pressedHere_;
    ULONGLONG lastPresent_ = 0;
    std::function<void()> firstPaint_;
    std::function<AccessibleScene()> describeScene_;
    std::unique_ptr<ClientAccessibility> accessible_;  // from a screen reader's first ask
};

// Shows the main window now if open() has asked for it and it is not shown yet (a form
// opened before the game waited for events comes after it).
void showIfPending(HWND window);

// Hands one message to its window, through IsDialogMessage when it belongs to a dialog (a
// form), so Tab, Enter, Escape and the accelerators work there.
void dispatchMessage(MSG& message);

// The Win32 event source of the game: runs the message loop until a window has posted an
// event.
class Win32EventSource : public EventSource {
  public:
    // While it lives, a held key's repeats and release reach only the window of its first press
    // (KeyOwners), through every message loop of the thread: ours, a dialog box's, a menu's.
    Win32EventSource();
    ~Win32EventSource() override;
    Win32EventSource(const Win32EventSource&) = delete;
    Win32EventSource& operator=(const Win32EventSource&) = delete;

    void waitForEvents(EventPump& pump) override;
    // Handles the messages waiting now, without waiting for more.
    static void dispatchPending();

  private:
    KeyOwners owners_;
    HHOOK hook_ = nullptr;
    KeyOwners* previous_ = nullptr;
};

}  // namespace zg
