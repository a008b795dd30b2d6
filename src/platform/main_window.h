// The main window Win_0: a menu bar above a fixed 890 x 495 client area painted from a back
// buffer. Its Qt handlers only translate input into Events for the pump (see event_pump.h).
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/canvas.h"
#include "platform/event_pump.h"

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

// Translates a Qt key into the virtual-key code of a key-released event (0 when unused).
int virtualKeyCode(int qtKey);

class MainWindow;

// The painted client area.
class ClientArea : public QWidget {
  public:
    ClientArea(MainWindow& window, EventPump& pump);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void moveTo(QPointF pos);
    MainWindow& window_;
    EventPump& pump_;
    QPointF lastPos_{-1, -1};
    // Keys whose press this area took: only their releases are key events of the loops.
    std::set<quint32> pressedHere_;
};

// A text label control on the client area (the clock label uhr).
class TextLabel {
  public:
    TextLabel() = default;
    explicit TextLabel(QLabel* label) : label_(label) {}
    bool exists() const { return label_ != nullptr; }
    void setText(const std::string& utf8);
    std::string text() const;
    void setFontFace(const std::string& face);
    void setFontSize(int points);
    void setBackground(QColor colour);
    QLabel* widget() const { return label_; }

  private:
    QLabel* label_ = nullptr;
};

// The menu bar, built item by item. Handles are popups; nullptr stands for the bar itself.
class MenuBar {
  public:
    using Handle = QMenu*;
    explicit MenuBar(MainWindow& window);

    // Starts a new, not yet attached bar.
    void begin();
    Handle createPopup();
    void destroyPopup(Handle popup);
    void appendCommand(Handle popup, int command, const std::string& label);
    void appendSeparator(Handle popup);
    void appendPopup(Handle parent, Handle popup, const std::string& title);
    // Attaches the bar begun last to the window; the previous bar is destroyed.
    void attach();
    // Throws away the bar begun last (a failed build).
    void discard();

    void setChecked(int command, bool on);
    bool isChecked(int command) const;
    void setEnabled(bool on);
    bool isEnabled() const;
    QAction* action(int command) const;
    QMenuBar* bar() const;

  private:
    MainWindow& window_;
    QMenuBar* building_ = nullptr;
    std::map<int, QAction*> building_actions_;
    std::map<int, QAction*> actions_;
};

class MainWindow : public QMainWindow {
  public:
    // devicePixelRatio 0: that of the primary screen.
    explicit MainWindow(EventPump& pump, double devicePixelRatio = 0);
    ~MainWindow() override;

    Canvas& canvas() { return *canvas_; }
    const QImage& backBuffer() const { return backBuffer_; }
    ClientArea& client() { return *client_; }
    MenuBar& menu() { return menu_; }
    EventPump& pump() { return pump_; }

    // The window's background colour (the client area behind everything painted).
    void setBackgroundColour(QColor colour);
    // A label on the client area at (x, y), w x h.
    TextLabel createLabel(int x, int y, int w, int h);
    // Opens the window at its place on the primary screen.
    void place();
    // Shows what has been painted so far at once (for progress drawn inside a command), at
    // most once per display frame: the rest reaches the screen with the next frame or when
    // the pump runs Qt again.
    void presentNow();
    void damage(const QRect& r);
    // The client area has painted this region.
    void painted(const QRegion& region);
    // Runs once, after the client area has been painted for the first time (start-up
    // measurements).
    void setFirstPaintHandler(std::function<void()> handler) { firstPaint_ = std::move(handler); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    EventPump& pump_;
    QImage backBuffer_;
    std::unique_ptr<Canvas> canvas_;
    ClientArea* client_;
    MenuBar menu_;
    QRegion pending_;
    QElapsedTimer lastPresent_;
    std::function<void()> firstPaint_;
};

// The Qt event source of the game: runs Qt until a handler has posted an event.
class QtEventSource : public EventSource {
  public:
    void waitForEvents(EventPump& pump) override;
};

}  // namespace zg
