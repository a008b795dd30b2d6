#include "platform/event_pump.h"

#include <utility>

namespace zg {

namespace {
Event make(int message) {
    Event e;
    e.message = message;
    return e;
}
}  // namespace

Event Event::keyUp(int keyCode) {
    Event e = make(msg::kKeyUp);
    e.keyCode = keyCode;
    return e;
}
Event Event::keyDown(int keyCode, int modifiers) {
    Event e = make(msg::kKeyDown);
    e.keyCode = keyCode;
    e.modifiers = modifiers;
    return e;
}
Event Event::character(int charCode) {
    Event e = make(msg::kChar);
    e.charCode = charCode;
    return e;
}
Event Event::mouseMove(double x, double y) {
    Event e = make(msg::kMouseMove);
    e.x = x;
    e.y = y;
    return e;
}
Event Event::leftDown() {
    return make(msg::kLeftDown);
}
Event Event::leftUp() {
    return make(msg::kLeftUp);
}
Event Event::rightDown() {
    return make(msg::kRightDown);
}
Event Event::rightUp() {
    return make(msg::kRightUp);
}
Event Event::menu(int command) {
    Event e = make(msg::kMenu);
    e.command = command;
    return e;
}
Event Event::close() {
    return make(msg::kClose);
}
Event Event::deferred(std::function<void()> action) {
    Event e = make(msg::kAction);
    e.action = std::move(action);
    return e;
}

EventPump::EventPump(std::unique_ptr<EventSource> source) : source_(std::move(source)) {}

void EventPump::post(Event ev) {
    ++posted_;
    if (ev.message == msg::kMouseMove && !queue_.empty() &&
        queue_.back().message == msg::kMouseMove) {
        queue_.back() = std::move(ev);
        return;
    }
    queue_.push_back(std::move(ev));
}

Event EventPump::next() {
    while (queue_.empty()) source_->waitForEvents(*this);
    Event ev = std::move(queue_.front());
    queue_.pop_front();
    switch (ev.message) {
        case msg::kLeftDown:
            buttons_ |= kLeftButton;
            break;
        case msg::kLeftUp:
            buttons_ &= ~kLeftButton;
            break;
        case msg::kRightDown:
            buttons_ |= kRightButton;
            break;
        case msg::kRightUp:
            buttons_ &= ~kRightButton;
            break;
        default:
            break;
    }
    last_ = ev;
    if (ev.message == msg::kAction) {
        if (ev.action) ev.action();
    } else if (handler_) {
        handler_(ev);
    }
    return ev;
}

void EventPump::waitButtonsUp() {
    std::size_t scanned = 0;
    while (buttons_ != 0) {
        if (scanned == queue_.size()) {
            source_->waitForEvents(*this);
            continue;
        }
        const int message = queue_[scanned].message;
        const int bit = message == msg::kLeftUp    ? kLeftButton
                        : message == msg::kRightUp ? kRightButton
                                                   : 0;
        if ((buttons_ & bit) != 0) {
            buttons_ &= ~bit;
            queue_.erase(queue_.begin() + static_cast<std::ptrdiff_t>(scanned));
        } else {
            ++scanned;
        }
    }
}

void ScriptedEventSource::waitForEvents(EventPump& pump) {
    if (script_.empty()) throw ScriptExhausted();
    Event ev = std::move(script_.front());
    script_.pop_front();
    ++delivered_;
    pump.post(std::move(ev));
}

}  // namespace zg
