// The Qt main window: a QMainWindow with a menu bar above a fixed 890 x 495 client area painted
// from a back-buffer QImage. Its Qt handlers only translate input into Events for the pump.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/event_pump.h"
#include "platform/key_filter.h"
#include "platform/qt/held_keys.h"
#include "platform/qt/qt_canvas.h"
#include "platform/window.h"

namespace zg {

// Translates a Qt key into the virtual-key code of a key-released event (0 when unused).
int virtualKeyCode(int qtKey);

class QtWindow;

// The painted client area.
class ClientArea : public QWidget {
  public:
    ClientArea(QtWindow& window, EventPump& pump);
    QtWindow& gameWindow() const { return window_; }
    EventPump& pump() const { return pump_; }

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
    QtWindow& window_;
    EventPump& pump_;
    QPointF lastPos_{-1, -1};
    // Keys whose press this area took: only their releases are key events of the loops.
    PressedKeys pressedHere_;
};

// A QLabel on the client area; it goes with the window.
class QtLabel : public Label {
  public:
    explicit QtLabel(QLabel* label) : label_(label) {}
    void setText(const std::string& utf8) override;
    std::string text() const override;
    void setFontFace(const std::string& face) override;
    void setFontSize(int points) override;
    void setBackground(Colour colour) override;
    QLabel* widget() const { return label_; }

  private:
    QPointer<QLabel> label_;
};

class QtMenuBar : public MenuBar {
  public:
    explicit QtMenuBar(QtWindow& window);

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
    bool isEnabled() const override;

    QAction* action(int command) const;
    QMenuBar* bar() const;

  private:
    QtWindow& window_;
    QMenuBar* building_ = nullptr;
    std::map<int, QAction*> building_actions_;
    std::map<int, QAction*> actions_;
};

class QtWindow : public QMainWindow, public Window {
  public:
    // devicePixelRatio 0: that of the primary screen.
    explicit QtWindow(EventPump& pump, double devicePixelRatio = 0);
    ~QtWindow() override;

    Canvas& canvas() override { return *canvas_; }
    MenuBar& menu() override { return menu_; }
    void setBackgroundColour(Colour colour) override;
    std::unique_ptr<Label> createLabel(int x, int y, int w, int h) override;
    void open() override;
    void hide() override { QMainWindow::hide(); }
    void presentNow() override;
    void setFirstPaintHandler(std::function<void()> handler) override {
        firstPaint_ = std::move(handler);
    }
    void setAccessibleScene(std::function<AccessibleScene()> describe) override {
        describeScene_ = std::move(describe);
    }
    const std::function<AccessibleScene()>& accessibleScene() const { return describeScene_; }

    const QImage& backBuffer() const { return backBuffer_; }
    ClientArea& client() { return *client_; }
    QtMenuBar& qtMenu() { return menu_; }
    EventPump& pump() { return pump_; }
    void damage(const QRect& r);
    // The client area has painted this region.
    void painted(const QRegion& region);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    EventPump& pump_;
    QImage backBuffer_;
    std::unique_ptr<QtCanvas> canvas_;
    ClientArea* client_;
    QtMenuBar menu_;
    QRegion pending_;
    QElapsedTimer lastPresent_;
    std::function<void()> firstPaint_;
    int sizeRequests_ = 0;  // asked back in a row without getting it
    std::function<AccessibleScene()> describeScene_;
};

// The Qt event source of the game: runs Qt until a handler has posted an event.
class QtEventSource : public EventSource {
  public:
    void waitForEvents(EventPump& pump) override;

  private:
    HeldKeyFilter heldKeys_;
};

}  // namespace zg
