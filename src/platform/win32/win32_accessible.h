// The client area for screen readers on Windows (MSAA): the game's AccessibleScene as
// IAccessible objects, in the order and with the roles and names of the Qt tree. Made only when
// a client sends WM_GETOBJECT for the client area; from then on, whenever the thread is about
// to wait for input, the scene is compared with the one told last and what changed is sent as
// WinEvents: a cell or value of the chooser as OBJID_CLIENT with a negative child id of its own,
// the client's direct children with their 1-based index.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/accessibility.h"

struct IAccessible;

namespace zg {

class Win32Window;
struct AccessibleClient;

class ClientAccessibility {
  public:
    ClientAccessibility(Win32Window& window, std::function<AccessibleScene()> describe);
    // The window goes: objects a client still holds answer E_FAIL from then on.
    ~ClientAccessibility();
    ClientAccessibility(const ClientAccessibility&) = delete;
    ClientAccessibility& operator=(const ClientAccessibility&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT.
    LRESULT answer(WPARAM wParam);

  private:
    std::shared_ptr<AccessibleClient> client_;
    IAccessible* root_ = nullptr;
};

// Tells a listening screen reader what changed in the client areas of this thread since it was
// told last. The event source does it whenever it is about to wait; tests, which never wait,
// call it themselves.
void refreshAccessible();

}  // namespace zg
