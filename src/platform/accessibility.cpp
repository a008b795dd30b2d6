#include "platform/accessibility.h"

#include "platform/event_pump.h"

namespace zg {

void pressAccessibleButton(EventPump& pump, const AccessibleRect& rect) {
    pump.post(Event::mouseMove(rect.x + rect.width / 2, rect.y + rect.height / 2));
    pump.post(Event::leftDown());
    pump.post(Event::leftUp());
}

}  // namespace zg
