#include "platform/window.h"

#include <cmath>

namespace zg {

WindowPosition windowPosition(int screenWidth, int screenHeight) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double x = std::nearbyint((screenWidth - 799) / 2.0);
    const double y = std::nearbyint((screenHeight - 424) / 2.0 - 32.0);
    return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

}  // namespace zg
