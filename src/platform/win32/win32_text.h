// The game's texts are UTF-8; Windows wants UTF-16 for its W calls.
#pragma once

#include <windows.h>

#include <string>

#include "platform/canvas.h"

namespace zg {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

inline COLORREF colourRef(Colour c) {
    return RGB(c.r, c.g, c.b);
}

// The module's instance (the exe).
HINSTANCE appInstance();

// The folder holding the exe, without a trailing separator (UTF-8).
std::string exeFolder();

}  // namespace zg
