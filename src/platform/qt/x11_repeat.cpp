// Apart from the key handling: Xlib's macros (KeyPress, None, ...) clash with Qt's names.
#include <QGuiApplication>

#include "platform/qt/held_keys.h"

#include <X11/XKBlib.h>

namespace zg {

void askForDetectableAutoRepeat() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

}  // namespace zg
