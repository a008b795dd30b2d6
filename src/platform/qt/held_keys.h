// Held keys on Qt: a key's repeats and its release reach only the window its first press went
// to (see KeyOwners), for every window of the program: the main window, forms, boxes, menus.
#pragma once

#include <QKeyEvent>
#include <QObject>

#include "platform/key_filter.h"

namespace zg {

// The physical key of a key event where the platform names it: Shift+1 and 1 are one key.
inline PressedKeys::Key physicalKey(const QKeyEvent* event) {
    return PressedKeys::keyOf(event->nativeScanCode(), static_cast<quint32>(event->key()));
}

class HeldKeyFilter : public QObject {
  public:
    HeldKeyFilter();  // watches the application's key events while it lives

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyOwners owners_;
};

// X11 sends a held key's repeats as pairs of release and press, which Qt cannot always tell from
// real ones: the server is asked to send repeated presses only, so every release is real.
void askForDetectableAutoRepeat();

}  // namespace zg
