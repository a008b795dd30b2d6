// The game's icon for windows and task bars: the same picture as the installed SVG icon,
// painted here so that no image plugin is needed.
#pragma once

#include <QIcon>

namespace zg {

QIcon appIcon();

}  // namespace zg
