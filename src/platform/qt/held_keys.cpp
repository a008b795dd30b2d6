#include "platform/qt/held_keys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace zg {

namespace {
// The top-level window an event goes to; null for objects that are no window.
const void* windowOf(QObject* object) {
    if (object->isWindowType()) return object;
    if (object->isWidgetType()) {
        QWidget* top = static_cast<QWidget*>(object)->window();
        return top ? top->windowHandle() : nullptr;
    }
    return nullptr;
}
}  // namespace

HeldKeyFilter::HeldKeyFilter() {
    QCoreApplication::instance()->installEventFilter(this);
}

bool HeldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    const void* window = windowOf(watched);
    if (!window) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const KeyOwners::Key physical = physicalKey(key);
    bool pass = true;
    if (!watched->isWindowType()) {
        // The widget's share of an event its window has let through, or a shortcut's check.
        pass = owners_.mayReach(physical, window);
    } else if (type == QEvent::KeyPress) {
        pass = owners_.mayPress(physical, window, key->isAutoRepeat());
    } else if (type == QEvent::KeyRelease && !key->isAutoRepeat()) {
        pass = owners_.mayRelease(physical, window);
    }
    if (pass) return false;
    event->accept();  // a shortcut's check accepted: no shortcut fires for the key
    return true;
}

}  // namespace zg
