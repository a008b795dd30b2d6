// The event pump: one window event at a time, on our own stack.
//
// A backend's handlers of the main window (and the signal handlers of the forms) never run game
// code: they translate what happened into an Event and post() it. Game code pulls events
// with next(), which pops the oldest one (letting the toolkit run until there is one), first runs
// the program's handler for it (mouse move, menu command, close request, deferred action), and then
// returns it to the calling loop. Every loop of the program is a plain loop:
//
//     for (;;) {
//         zg::Event ev = p.pump.next();
//         if (ev.message == zg::msg::kKeyUp && ev.keyCode == 27) break;   // Escape released
//         if (ev.message == zg::msg::kLeftDown) { ... p.view.mouseX, p.view.mouseY ... }
//     }
//
// Positions of clicks are not carried by the click: they are p.view.mouseX/mouseY, kept by
// Win_0_MouseMove (a click at a new place is always preceded by a move to it).
// Ending the program unwinds every loop through one exception (zg::ProgramExit) thrown by
// a handler inside next(); loops need no exit checks of their own.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace zg {

// Message codes of Event::message.
namespace msg {
inline constexpr int kClose = 0x0010;      // close request for the main window
inline constexpr int kKeyDown = 0x0100;    // key pressed (also repeated): keyCode, modifiers
inline constexpr int kKeyUp = 0x0101;      // key released: keyCode is the virtual-key code
inline constexpr int kChar = 0x0102;       // character typed: charCode
inline constexpr int kMenu = 0x0111;       // menu command: command
inline constexpr int kMouseMove = 0x0200;  // pointer moved: x, y (client pixels, reals)
inline constexpr int kLeftDown = 0x0201;
inline constexpr int kLeftUp = 0x0202;
inline constexpr int kRightDown = 0x0204;
inline constexpr int kRightUp = 0x0205;
inline constexpr int kAction = 0x8000;  // deferred action: action() runs inside next()
}  // namespace msg

// Virtual-key codes used by the loops: letters are their upper-case codes ('A' = 65), digits
// their codes ('0' = 48).
namespace vk {
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
inline constexpr int kF1 = 112;
}  // namespace vk

// Bits of Event::modifiers of a key press.
namespace mod {
inline constexpr int kShift = 1;
inline constexpr int kControl = 2;
}  // namespace mod

struct Event {
    int message = 0;
    int keyCode = 0;               // kKeyUp, kKeyDown
    int modifiers = 0;             // kKeyDown: mod::kShift | mod::kControl
    int charCode = 0;              // kChar
    double x = 0, y = 0;           // kMouseMove
    int command = 0;               // kMenu
    std::function<void()> action;  // kAction

    static Event keyUp(int keyCode);
    static Event keyDown(int keyCode, int modifiers = 0);
    static Event character(int charCode);
    static Event mouseMove(double x, double y);
    static Event leftDown();
    static Event leftUp();
    static Event rightDown();
    static Event rightUp();
    static Event menu(int command);
    static Event close();
    static Event deferred(std::function<void()> action);
};

// Bits of EventPump::buttonsHeld().
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

class EventPump;

// Where events come from when the queue is empty.
class EventSource {
  public:
    virtual ~EventSource() = default;
    // Must post at least one new event to the pump before returning, or throw. Events already
    // queued do not count: waitButtonsUp() waits here with other events still queued.
    virtual void waitForEvents(EventPump& pump) = 0;
};

class EventPump {
  public:
    using Handler = std::function<void(const Event&)>;

    explicit EventPump(std::unique_ptr<EventSource> source);

    // The program's dispatch, run by next() for every window event before it is returned
    // (deferred actions run their own function instead).
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Enqueue only. Safe to call from any toolkit handler; consecutive pointer moves merge.
    void post(Event ev);
    void postAction(std::function<void()> action) { post(Event::deferred(std::move(action))); }

    // Pops one event (waiting for one), updates the held buttons, runs the handler, returns
    // the event. Re-entrant: handlers may run loops over next() themselves.
    Event next();

    // Waits until no mouse button is held. Only the button releases are taken from the
    // queue; every other event stays queued, unhandled, for the loop that follows, so a
    // press is judged where it happened and nothing typed meanwhile is lost.
    void waitButtonsUp();

    // The mouse buttons held now (kLeftButton | kRightButton), from the button events seen.
    int buttonsHeld() const { return buttons_; }
    bool pending() const { return !queue_.empty(); }
    // Counts every post(): a source waits until this changes.
    unsigned long long posted() const { return posted_; }
    // The last event returned by next().
    const Event& last() const { return last_; }
    EventSource& source() { return *source_; }

  private:
    std::unique_ptr<EventSource> source_;
    Handler handler_;
    std::deque<Event> queue_;
    Event last_;
    int buttons_ = 0;
    unsigned long long posted_ = 0;
};

// Tests: a script of events. Each waitForEvents() delivers the next one; events posted by
// widgets during a step (a form's button clicked in an action) come first. Running out of
// script throws ScriptExhausted, so a loop that does not end fails the test instead of
// hanging.
struct ScriptExhausted : std::runtime_error {
    ScriptExhausted() : std::runtime_error("scripted event pump ran out of events") {}
};

class ScriptedEventSource : public EventSource {
  public:
    ScriptedEventSource() = default;
    explicit ScriptedEventSource(std::vector<Event> events) { add(std::move(events)); }
    void add(Event ev) { script_.push_back(std::move(ev)); }
    void add(std::vector<Event> events) {
        for (auto& e : events) script_.push_back(std::move(e));
    }
    std::size_t remaining() const { return script_.size(); }
    int delivered() const { return delivered_; }
    void waitForEvents(EventPump& pump) override;

  private:
    std::deque<Event> script_;
    int delivered_ = 0;
};

}  // namespace zg
