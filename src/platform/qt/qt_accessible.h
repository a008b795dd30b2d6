// The client area for screen readers (AT-SPI on Linux): the game's AccessibleScene as Qt
// accessible interfaces. Built only when a client asks for the client area's interface.
#pragma once

class QWidget;

namespace zg {

// Lets Qt find the client area's interface; once per application.
void installAccessibility();
// Tells a listening screen reader what changed since it was told last. The client area does it
// by itself whenever the program waits for input; this is for tests, which never wait.
void refreshAccessible(QWidget* clientArea);

}  // namespace zg
